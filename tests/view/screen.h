#pragma once

// A form on the recording platform and its window, shown: the view tests reach the
// widgets of the controls and act on them as a user would.

#include "tests/formfixture.h"
#include "view/mainwindow.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
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
    // The pointer entering a widget and moving over it, as the window system reports
    // it. QTest::mouseMove moves the system's pointer, which not every platform turns
    // into these events (Wine does not).
    static void hover(QWidget* w)
    {
        const QPointF local = QRectF(w->rect()).center();
        const QPointF global = w->mapToGlobal(local);
        QEnterEvent enter(local, local, global);
        QApplication::sendEvent(w, &enter);
        QMouseEvent move(
            QEvent::MouseMove, local, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
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
