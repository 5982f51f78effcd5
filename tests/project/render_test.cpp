// The reports rendered from a project are the reports of its piles computed one after
// the other; a design load adds its check line inside the pile's section; the schedule
// shows each pile as its precision does.

#include "tests/project/project_fixtures.h"
#include "tests/report/reference_lines.h"
#include "tests/testmain.h"

#include "project/render.h"
#include "report/calculation_book.h"

#include <QTest>

using namespace project_testing;
using project::Project;

class RenderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fivePilesRenderTheFormsReports()
    {
        const Project p = FivePiles();
        COMPARE_LINES(project::BookLines(p, QLatin1Char('.')),
            testing_support::ReadReferenceLines(QStringLiteral("report_five_piles_book.txt")));
        COMPARE_LINES(project::TableLines(p, QLatin1Char('.')),
            testing_support::ReadReferenceLines(QStringLiteral("report_five_piles_table.txt")));
    }

    void emptyProjectRendersNothing()
    {
        const Project p;
        QVERIFY(project::BookLines(p, QLatin1Char('.')).isEmpty());
        QVERIFY(project::TableLines(p, QLatin1Char('.')).isEmpty());
    }

    // The check stands right above the closing line, which stays the section's last.
    void designLoadAddsTheCheckLineInsideTheSection()
    {
        Project p = FivePiles();
        p.setDesignLoad(0, 9800);
        const QStringList plain = project::BookSection(FivePiles(), 0, QLatin1Char('.'));
        const QStringList checked = project::BookSection(p, 0, QLatin1Char('.'));
        QCOMPARE(checked.size(), plain.size() + 1);
        QCOMPARE(checked.last(), report::BookClosingLine());
        QCOMPARE(checked.at(checked.size() - 2),
            QStringLiteral("  6. 承载力验算: N = 9800.00 kN ≤ [P] = 10210 kN，满足要求 (N/[P] "
                           "= 96.0%)"));
        QStringList without = checked;
        without.removeAt(checked.size() - 2);
        COMPARE_LINES(without, plain);
        // The table has no place for N: its row is the same.
        QCOMPARE(project::TableRow(p, 0, QLatin1Char('.')),
            project::TableRow(FivePiles(), 0, QLatin1Char('.')));
        // Only the pile with N: the book has exactly one check line.
        QCOMPARE(
            project::BookLines(p, QLatin1Char('.')).filter(QStringLiteral("承载力验算")).size(), 1);
    }

    void scheduleRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("N"); // 0: none
        QTest::addColumn<QStringList>("row");
        QTest::newRow("round, whole units, N carried")
            << 0 << 9800.0
            << QStringList{"ZH1", "3#墩-1", "圆桩", "1000", "-", "1.0d", "25", "钻(挖)孔", "一般",
                   "10210", "9800", "96.0", "满足", "830 (0.9d)"};
        QTest::newRow("driven: the socket does not apply")
            << 1 << 20000.0
            << QStringList{"ZH2", "3#墩-2", "圆桩", "1200", "-", "1.0d", "25", "打入震沉",
                   "匀质无裂缝的岩石", "12723.45", "20000", "157.2", "不满足", "不适用"};
        QTest::newRow("rectangle to the tens, no N")
            << 3 << 0.0
            << QStringList{"ZH4", "3#墩-4", "矩形桩", "1500", "1000", "1000", "10", "钻(挖)孔",
                   "较差", "5500", "", "", "", ""};
        QTest::newRow("square to the hundreds")
            << 4 << 24500.0
            << QStringList{"ZH5", "3#墩-5", "方桩", "1000", "1000", "400", "70", "钻(挖)孔", "良好",
                   "24500", "24500", "100.0", "满足", "0 (0.0b)"};
    }
    void scheduleRows()
    {
        QFETCH(int, index);
        QFETCH(double, N);
        QFETCH(QStringList, row);
        Project p = FivePiles();
        for (int i = 0; i < p.pileCount(); ++i)
            p.setLabel(i, QStringLiteral("3#墩-%1").arg(i + 1));
        if (N > 0)
            p.setDesignLoad(index, N);
        QCOMPARE(project::ScheduleRow(p, index, QLatin1Char('.')), row);
    }

    void printedBookHeaderAndSignatures()
    {
        project::ProjectHeader h;
        h.name = QStringLiteral("某铁路特大桥");
        h.site = QStringLiteral("3#墩");
        h.designer = QStringLiteral("张三");
        h.approver = QStringLiteral("王五");
        const QStringList header = project::PrintedBookHeader(
            h, QStringLiteral("嵌岩桩承载力计算 1.0"), QStringLiteral("2026/12/10"));
        QCOMPARE(header.at(0), QStringLiteral("工程名称：某铁路特大桥"));
        QCOMPARE(header.at(1), QStringLiteral("桥名/工点：3#墩"));
        QCOMPARE(header.at(2), QStringLiteral("日    期：2026/12/10"));
        QCOMPARE(header.at(3), QStringLiteral("计算程序：嵌岩桩承载力计算 1.0"));
        h.date = QStringLiteral("2026年12月");
        QCOMPARE(project::PrintedBookHeader(h, QString(), QStringLiteral("2026/12/10")).at(2),
            QStringLiteral("日    期：2026年12月"));
        QCOMPARE(project::PrintedBookSignatures(h).last(),
            QStringLiteral("计算：张三    复核：________    审核：王五"));
    }
};

ROCKPILE_TEST(RenderTest)
#include "render_test.moc"
