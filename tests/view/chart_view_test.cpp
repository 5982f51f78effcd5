// The chart window on the offscreen platform: F6 and the grid's "图表" open it on the
// chart of the screen on display, a click on a point reaches the grid on screen, and the
// exports write a picture and a PDF page (or report a folder that cannot be written).

#include "tests/testmain.h"
#include "tests/view/screen.h"
#include "view/chartview.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTableView>
#include <QTest>

class ChartViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void f6OpensTheChartOfTheScreenOnDisplay()
    {
        Screen s;
        QVERIFY(s.activate());
        QTest::keyClick(&s.window, Qt::Key_F6);
        view::ChartWindow* chart = s.window.chartWindow();
        QVERIFY(chart);
        QVERIFY(chart->isVisible());
        QCOMPARE(s.window.chartPanel().kind(), ui::ChartKind::Pile);
        QVERIFY(!chart->axisBox().isVisible());
        chart->close();
        QVERIFY(!s.window.chartPanel().isOpen());

        // "图表" in the result grid's context menu.
        s.click(s.f->cbt_YouHua);
        s.click(s.f->cbt_YHcompute);
        auto* table = s.widget<QTableView>(s.f->Grid2_Youhuajieguo);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 30),
            table->viewport()->mapToGlobal(QPoint(20, 30)));
        QApplication::sendEvent(table->viewport(), &event);
        QMenu* menu = table->findChild<QMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().last()->text(), QStringLiteral("图表"));
        menu->actions().last()->trigger();
        menu->close();
        QVERIFY(chart->isVisible());
        QCOMPARE(s.window.chartPanel().kind(), ui::ChartKind::Optimization);
        QCOMPARE(chart->kindBox().currentIndex(), 1);
        QVERIFY(chart->axisBox().isVisible());
    }

    void clickOnAPointSelectsTheRowOnScreen()
    {
        Screen s;
        s.click(s.f->cbt_YouHua);
        s.click(s.f->cbt_YHcompute);
        s.window.showChart();
        view::ChartWindow* chart = s.window.chartWindow();
        QVERIFY(QTest::qWaitForWindowExposed(chart));
        const ui::ChartLayout& layout = s.window.chartPanel().layout();
        QCOMPARE(layout.size, QSizeF(chart->chart().size()));
        const ui::ChartLaidPoint point = layout.points.at(layout.points.size() / 3);
        const QPoint at(qRound(point.x), qRound(point.y));
        QTest::mouseMove(&chart->chart(), at);
        QTest::mouseClick(&chart->chart(), Qt::LeftButton, Qt::NoModifier, at);
        const int row = s.f->Grid2_Youhuajieguo.selectedRow();
        QVERIFY(row >= 0);
        auto* table = s.widget<QTableView>(s.f->Grid2_Youhuajieguo);
        QCOMPARE(table->currentIndex().row(), row);
    }

    void exportsAPictureAndAPage()
    {
        Screen s;
        s.window.showChart();
        view::ChartWindow* chart = s.window.chartWindow();
        QStringList asked;
        QString target;
        chart->choosePath = [&asked, &target](const QString& proposed, const QString&) {
            asked << proposed;
            return target.isEmpty() ? proposed : target;
        };
        chart->exportPng();
        chart->exportPdf();
        QCOMPARE(asked.size(), 2);
        QImage picture(asked[0]);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), chart->chart().size() * 2);
        QFile pdf(asked[1]);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));

        target = asked[0] + QStringLiteral("/chart.png"); // inside a file: cannot be written
        chart->exportPng();
        QCOMPARE(s.f.platform.takeErrors().size(), 1);
    }
};

ROCKPILE_TEST(ChartViewTest)

#include "chart_view_test.moc"
