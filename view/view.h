#pragma once

// The widget view of the program. It renders the headless forms of ui/ with real Qt
// widgets and forwards what the user does to the forms' user actions:
//  - in: a form (its controls are the whole state); the user's clicks, commits, picks,
//    grid edits and header clicks;
//  - out: widgets placed at the design coordinates, refreshed from the controls'
//    revision counters after every forwarded action;
//  - called by app/main.cpp, which builds the form on the desktop platform and shows
//    the main window.
// The view holds no program state and makes no decision of its own: it never sorts,
// filters or formats; a header click goes to the form, which orders the rows.

#include "view/desktopplatform.h"
#include "view/mainwindow.h"
