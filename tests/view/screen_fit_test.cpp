// The window on every screen: the form at its own size where the screen's available area
// holds it, else a window as large as the area with the form scrolling inside, every
// control reachable with Tab and scrolled into view, and "计算" pressed with the mouse
// after scrolling to it.

#include "tests/testmain.h"
#include "tests/view/screen.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using view::FitWindow;
using view::WindowFit;

namespace {

// What a screen of `width` x `height` pixels at `scale` leaves for windows, in
// device-independent pixels, less a taskbar of `taskbar` of them.
QSize available(int width, int height, double scale, int taskbar)
{
    return QSize(int(width / scale), int(height / scale) - taskbar);
}

} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fit_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<bool>("scrolls");
        QTest::addColumn<QSize>("client");
        QTest::newRow("1920 x 1080 at 100 %")
            << available(1920, 1080, 1, 48) << false << QSize(380, 700);
        QTest::newRow("1920 x 1080 at 150 %: 640 high between title and taskbar")
            << available(1920, 1080, 1.5, 48) << true << QSize(395, 640);
        QTest::newRow("1366 x 768 at 100 %")
            << available(1366, 768, 1, 40) << true << QSize(395, 696);
        QTest::newRow("1280 x 1024 at 150 %")
            << available(1280, 1024, 1.5, 0) << true << QSize(395, 650);
        QTest::newRow("1280 x 1024 at 200 %")
            << available(1280, 1024, 2, 0) << true << QSize(395, 480);
        QTest::newRow("just high enough") << QSize(382, 732) << false << QSize(380, 700);
        QTest::newRow("one pixel too low") << QSize(382, 731) << true << QSize(380, 699);
        QTest::newRow("too narrow only") << QSize(300, 900) << true << QSize(298, 715);
        QTest::newRow("a screen smaller than a window can be")
            << QSize(50, 40) << true << QSize(120, 120);
    }
    void fit()
    {
        QFETCH(QSize, area);
        QFETCH(bool, scrolls);
        QFETCH(QSize, client);
        // A title bar and thin borders, and 15-pixel scroll bars.
        const WindowFit fit = FitWindow(QSize(380, 700), area, QMargins(1, 31, 1, 1), 15);
        QCOMPARE(fit.scrolls, scrolls);
        QCOMPARE(fit.client, client);
    }

    void scrollAreaExactlyWhenTheFormDoesNotFit_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("1920 x 1080 at 100 %") << available(1920, 1080, 1, 48) << false;
        QTest::newRow("1280 x 1024 at 150 %") << available(1280, 1024, 1.5, 0) << true;
        QTest::newRow("1280 x 1024 at 200 %") << available(1280, 1024, 2, 0) << true;
        QTest::newRow("1366 x 768 at 125 %") << available(1366, 768, 1.25, 40) << true;
        QTest::newRow("1366 x 768 at 200 %") << available(1366, 768, 2, 40) << true;
    }
    void scrollAreaExactlyWhenTheFormDoesNotFit()
    {
        QFETCH(QSize, area);
        QFETCH(bool, scrolls);
        Screen s;
        const QRect screen(QPoint(0, 0), area);
        s.window.fitInto(screen);
        QCOMPARE(s.window.scrolls(), scrolls);
        QVERIFY(s.window.frameGeometry().height() <= area.height() || !scrolls);
        QVERIFY(screen.contains(s.window.geometry()));
        QScrollArea* scroll = s.window.scrollArea();
        // The window system resizes the window, then the scroll bars follow.
        QTRY_COMPARE(scroll->verticalScrollBar()->isVisible(), scrolls);
        QCOMPARE(scroll->size(), s.window.size());
        if (!scrolls) {
            QCOMPARE(s.window.size(), QSize(380, 700));
            return;
        }
        // The mouse wheel scrolls the form.
        const int before = scroll->verticalScrollBar()->value();
        QWheelEvent wheel(QPointF(100, 100), scroll->viewport()->mapToGlobal(QPointF(100, 100)),
            QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll->viewport(), &wheel);
        QVERIFY(scroll->verticalScrollBar()->value() > before);
    }

    // Tab from the first field to the last control of the input screen: each one the
    // keyboard reaches is in the visible part of the window.
    void tabScrollsTheFocusedControlIntoView()
    {
        Screen s;
        s.window.fitInto(QRect(QPoint(0, 0), available(1280, 1024, 2, 0)));
        QVERIFY(s.window.scrolls());
        QVERIFY(s.activate());
        s.window.widgetFor(s.f->cbb_jmlx)->setFocus(Qt::TabFocusReason);
        QScrollArea* scroll = s.window.scrollArea();
        QSet<QWidget*> seen;
        bool reachedCompute = false;
        for (int step = 0; step < 60; ++step) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (seen.contains(focus))
                break;
            QVERIFY2(scroll->viewport()->isAncestorOf(focus), qPrintable(focus->objectName()));
            seen.insert(focus);
            const QRect inViewport(focus->mapTo(scroll->viewport(), QPoint(0, 0)), focus->size());
            QVERIFY2(
                scroll->viewport()->rect().intersects(inViewport), qPrintable(focus->objectName()));
            QVERIFY2(scroll->viewport()->rect().contains(inViewport.center()),
                qPrintable(focus->objectName()));
            reachedCompute |= focus == s.window.widgetFor(s.f->cbt_compute);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QVERIFY(reachedCompute);
        QVERIFY(seen.size() > 8);
    }

    void computePressedWithTheMouseAfterScrolling()
    {
        Screen s;
        s.window.fitInto(QRect(QPoint(0, 0), available(1280, 1024, 1.5, 0)));
        QScrollArea* scroll = s.window.scrollArea();
        auto* compute = s.widget<QPushButton>(s.f->cbt_compute);
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        const QPoint centre = compute->mapTo(scroll->viewport(), compute->rect().center());
        QVERIFY(scroll->viewport()->rect().contains(centre));
        QTest::mouseClick(compute, Qt::LeftButton);
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_ra)->text(), QStringLiteral("10210"));
        QVERIFY(s.shown(s.f->cbt_View));
    }
};

ROCKPILE_TEST(ScreenFitTest)

#include "screen_fit_test.moc"
