#pragma once

// A form on the recording platform and its window, shown: the view tests reach the
// widgets of the controls and act on them as a user would.

#include "tests/formfixture.h"
#include "view/mainwindow.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>
#include <QTest>

struct Screen {
    FormFixture f;
    view::MainWindow window{*f};

    Screen() { window.show(); }

    template <class W> W* widget(const ui::Control& control)
    {
        return qobject_cast<W*>(window.widgetFor(control));
    }
    bool shown(const ui::Control& control)
    {
        return window.widgetFor(control)->isVisibleTo(&window);
    }
    void click(const ui::Button& button)
    {
        QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton);
    }
    QColor textColor(QWidget* w, QPalette::ColorRole role)
    {
        return w->palette().color(QPalette::Active, role);
    }
    // Keyboard focus needs the window to be the active one.
    bool activate()
    {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};
