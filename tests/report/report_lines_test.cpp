#include "tests/report/reference_lines.h"
#include "tests/testmain.h"

#include "core/capacity.h"
#include "core/textwidth.h"
#include "report/calculation_book.h"
#include "report/summary_table.h"

#include <QTest>

using core::PileDesignCase;
using core::PrecisionMode;

namespace {

const QString Time = QStringLiteral("2026/12/10 09:05:03");

// Validated cases as the input panel hands them over (texts as typed, values completed).
PileDesignCase panelCase(const QString& name)
{
    PileDesignCase p;
    p.section = core::SectionType::Circular;
    p.dText = QStringLiteral("1000");
    p.d = 1000;
    p.cText = QStringLiteral("0");
    p.R = 25;
    p.hText = QStringLiteral("1.0d");
    p.embedmentForm = core::EmbedmentForm::Multiple;
    p.h = 1000;
    p.process = core::PileProcess::Bored;
    p.processText = QStringLiteral("钻(挖)孔灌注桩、管柱");
    p.condition = 1;
    p.conditionText = QStringLiteral("一般");
    if (name == QLatin1String("default mm")) {
        p.hText = QStringLiteral("1000");
        p.embedmentForm = core::EmbedmentForm::Millimetres;
    } else if (name == QLatin1String("driven")) {
        p.dText = QStringLiteral("1200");
        p.d = 1200;
        p.h = 1200;
        p.process = core::PileProcess::Driven;
        p.processText = QStringLiteral("打入桩、震动下沉桩(管柱)");
        p.condition = 0;
        p.conditionText = QStringLiteral("匀质无裂缝的岩石");
    } else if (name == QLatin1String("ellipse")) {
        p.section = core::SectionType::Elliptical;
        p.cText = QStringLiteral("500");
        p.c = 500;
        p.hText = QStringLiteral("1.5d");
        p.h = 1500;
        p.R = 40;
        p.condition = 0;
        p.conditionText = QStringLiteral("良好");
    } else if (name == QLatin1String("rectangle") || name == QLatin1String("square")) {
        const bool square = name == QLatin1String("square");
        p.section = core::SectionType::Rectangular;
        p.dText = square ? QStringLiteral("1000") : QStringLiteral("1500");
        p.d = p.a = square ? 1000 : 1500;
        p.cText = QStringLiteral("1000");
        p.c = p.b = 1000;
        p.hText = square ? QStringLiteral("400") : QStringLiteral("1000");
        p.embedmentForm = core::EmbedmentForm::Millimetres;
        p.h = square ? 400 : 1000;
        p.R = square ? 70 : 10;
        p.condition = square ? 0 : 2;
        p.conditionText = square ? QStringLiteral("良好") : QStringLiteral("较差");
    } else if (name == QLatin1String("strong")) { // [P] above 99999.99 kN
        p.dText = QStringLiteral("2000");
        p.d = 2000;
        p.hText = QStringLiteral("2.0d");
        p.h = 4000;
        p.R = 60;
        p.condition = 0;
        p.conditionText = QStringLiteral("良好");
    }
    return p;
}

} // namespace

class ReportLinesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bookSection_data()
    {
        QTest::addColumn<QString>("pileCase");
        QTest::addColumn<QString>("reference");
        QTest::newRow("default round bored pile") << "default"
                                                  << "report_book_default.txt";
        QTest::newRow("round driven pile") << "driven"
                                           << "report_book_driven.txt";
        QTest::newRow("ellipse") << "ellipse"
                                 << "report_book_ellipse.txt";
        QTest::newRow("rectangle 1500 x 1000") << "rectangle"
                                               << "report_book_rectangle.txt";
        QTest::newRow("square 1000 x 1000, shallow socket") << "square"
                                                            << "report_book_square.txt";
    }
    void bookSection()
    {
        QFETCH(QString, pileCase);
        QFETCH(QString, reference);
        const PileDesignCase pile = panelCase(pileCase);
        const QStringList lines = report::BookSectionLines(pile, core::ComputeCapacity(pile), 1,
            PrecisionMode::WholeUnits, Time, QLatin1Char('.'));
        COMPARE_LINES(lines, testing_support::ReadReferenceLines(reference));
        // Delete-last finds a section's end by this line: it must be there exactly once.
        QCOMPARE(lines.count(report::BookClosingLine()), 1);
        QCOMPARE(lines.at(lines.size() - 2), report::BookClosingLine());
    }

    // Lines quoted for the panel defaults, by their position in the section counted from 1.
    void defaultPileLines_data()
    {
        QTest::addColumn<QString>("pileCase");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("line");
        QTest::newRow("pile number") << "default" << 2 << "1.基桩编号: ZH1";
        QTest::newRow("diameter") << "default" << 6
                                  << "      桩身直径d:                         1000 mm";
        QTest::newRow("embedment as multiple, no unit")
            << "default" << 7 << "      桩身嵌岩深度h:                     1.0d";
        QTest::newRow("embedment in mm")
            << "default mm" << 7 << "      桩身嵌岩深度h:                     1000 mm";
        QTest::newRow("process") << "default" << 8
                                 << "  2.3 基桩成桩工艺:      钻(挖)孔灌注桩、管柱";
        QTest::newRow("area") << "default" << 23
                              << "      桩身截面面积A:                       0.79 m^2";
        QTest::newRow("[P]") << "default" << 31
                             << "  4.5 桩及管柱的容许承载力[P]          10210.18 kN";
        QTest::newRow("summary row 1")
            << "default" << 39 << "        ZH1      圆  桩     1000        -    ";
        QTest::newRow("summary row 2")
            << "default" << 44 << "        1.000     25.00     7854      2356   ";
        QTest::newRow("summary row 3")
            << "default" << 49 << "        10210      77%       23%     较软岩  ";
        QTest::newRow("driven: no embedment")
            << "driven" << 7 << "      桩身嵌岩深度h:           支承于岩石层上";
        QTest::newRow("driven: rock condition")
            << "driven" << 11 << "      岩石情况:      有严重裂缝的风(易)化岩石";
    }
    void defaultPileLines()
    {
        QFETCH(QString, pileCase);
        QFETCH(int, position);
        QFETCH(QString, line);
        PileDesignCase pile = panelCase(pileCase);
        if (pileCase == QLatin1String("driven")) { // the other condition, the longest text
            pile.condition = 1;
            pile.conditionText = QStringLiteral("有严重裂缝的风(易)化岩石");
        }
        const QStringList lines = report::BookSectionLines(pile, core::ComputeCapacity(pile), 1,
            PrecisionMode::WholeUnits, Time, QLatin1Char('.'));
        QCOMPARE(lines.value(position - 1), line);
    }

    void summaryRow_data()
    {
        QTest::addColumn<QString>("pileCase");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("row");
        QTest::newRow("defaults, 个位取整")
            << "default" << 1 << int(PrecisionMode::WholeUnits)
            << "   ZH1      圆  桩     1000        -         -         -       0.79      3.14    "
               "钻(挖)孔    1.0d      "
               "25.00    一  般     0.40       7854      77%      0.03       2356      23%      "
               "10210  ";
        QTest::newRow("defaults, 两位小数")
            << "default" << 1 << int(PrecisionMode::TwoDecimals)
            << "   ZH1      圆  桩     1000        -         -         -       0.79      3.14    "
               "钻(挖)孔    1.0d      "
               "25.00    一  般     0.40     7853.98   76.92%     0.03     2356.19   23.08%   "
               "10210.18 ";
        QTest::newRow("driven, embedment text ignored")
            << "driven" << 2 << int(PrecisionMode::TwoDecimals)
            << "   ZH2      圆  桩     1200        -         -         -       1.13      3.77    "
               "打入震沉    0.00      "
               "25.00   匀质完整    0.45    12723.45  100.00%     0.00        0.00    0.00%   "
               "12723.45 ";
        QTest::newRow("ellipse, 一位小数") << "ellipse" << 3 << int(PrecisionMode::OneDecimal)
                                           << "   ZH3      椭圆桩     1000       500        -      "
                                              "   -       1.29      4.14    钻(挖)孔    1.5d      "
                                              "40.00    良  好     0.50     25708.0    72.1%     "
                                              "0.04      9939.8    27.9%    35647.8 ";
        QTest::newRow("rectangle, 十位取整")
            << "rectangle" << 4 << int(PrecisionMode::WholeTens)
            << "   ZH4      矩形桩       -         -       1500      1000      1.50      5.00    "
               "钻(挖)孔    1000      "
               "10.00    较  差     0.30       4500      82%      0.02       1000      18%       "
               "5500  ";
        QTest::newRow("square, 百位取整") << "square" << 5 << int(PrecisionMode::WholeHundreds)
                                          << "   ZH5      方  桩       -         -       1000      "
                                             "1000      1.00      4.00    钻(挖)孔     400      "
                                             "70.00    良  好     0.35      24500     100%      "
                                             "0.00          0       0%      24500  ";
        // 154566.40 (seven significant digits) needs 9 columns of the 8 its cell has: the row
        // grows, nothing is cut.
        QTest::newRow("[P] too wide for its cell")
            << "strong" << 12 << int(PrecisionMode::TwoDecimals)
            << "   ZH12     圆  桩     2000        -         -         -       3.14      6.28    "
               "钻(挖)孔    2.0d      "
               "60.00    良  好     0.50    94247.78   60.98%     0.04    60318.58   39.02%   "
               "154566.40 ";
    }
    void summaryRow()
    {
        QFETCH(QString, pileCase);
        QFETCH(int, n);
        QFETCH(int, mode);
        QFETCH(QString, row);
        const PileDesignCase pile = panelCase(pileCase);
        const QString actual = report::SummaryTableRow(pile, core::ComputeCapacity(pile), n,
            static_cast<PrecisionMode>(mode), QLatin1Char('.'));
        QCOMPARE(actual, row);
        QCOMPARE(core::DisplayWidth(actual), pileCase == QLatin1String("strong") ? 191 : 190);
    }

    void bookRowTooWide()
    {
        const PileDesignCase pile = panelCase(QStringLiteral("strong"));
        const QStringList lines = report::BookSectionLines(pile, core::ComputeCapacity(pile), 12,
            PrecisionMode::TwoDecimals, Time, QLatin1Char('.'));
        QCOMPARE(lines.at(lines.size() - 4),
            QStringLiteral("      154566.40   60.98%    39.02%    较硬岩  "));
    }

    void headAndFooterSpanTheRow()
    {
        const QStringList head = report::SummaryTableHead();
        QCOMPARE(head.size(), 5);
        for (const QString& line : head)
            QCOMPARE(core::DisplayWidth(line), report::SummaryTableWidth);
        QCOMPARE(head[0].size(), 184);
        const QStringList footer = report::SummaryTableFooter(Time);
        QCOMPARE(footer.size(), report::SummaryTableFooterLines);
        QCOMPARE(core::DisplayWidth(footer[0]), 190);
        QCOMPARE(core::DisplayWidth(footer[2]), 190);
        QCOMPARE(footer[3], QStringLiteral("计算时间：2026/12/10 09:05:03"));
    }

    // Numbers follow the decimal separator handed in, never a global locale.
    void decimalSeparator()
    {
        const PileDesignCase pile = panelCase(QStringLiteral("default"));
        const core::CapacityResult result = core::ComputeCapacity(pile);
        const QStringList lines = report::BookSectionLines(
            pile, result, 1, PrecisionMode::TwoDecimals, Time, QLatin1Char(','));
        QCOMPARE(
            lines.at(22), QStringLiteral("      桩身截面面积A:                       0,79 m^2"));
        QCOMPARE(lines.at(lines.size() - 4),
            QStringLiteral("      10210,18   76,92%    23,08%    较软岩  "));
        const QString row = report::SummaryTableRow(
            pile, result, 1, PrecisionMode::TwoDecimals, QLatin1Char(','));
        QVERIFY(row.endsWith(QStringLiteral(
            "  0,40     7853,98   76,92%     0,03     2356,19   23,08%   10210,18 ")));
    }
};

ROCKPILE_TEST(ReportLinesTest)
#include "report_lines_test.moc"
