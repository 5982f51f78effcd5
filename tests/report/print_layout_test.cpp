// A report on A4: the size that fits the widest line, the pages the lines fall on, and
// the footer's page text.

#include "report/calculation_book.h"
#include "report/print_layout.h"
#include "tests/testmain.h"

#include <QTest>

using namespace report;

namespace {

// A book of sections of the given lengths (each ending with the closing line), and the
// stamp under the last one.
PrintedReport book(const QList<int>& sections, bool stamp = true)
{
    PrintedReport printed;
    printed.keepSectionsTogether = true;
    for (int s = 0; s < sections.size(); ++s) {
        for (int i = 1; i < sections[s]; ++i)
            printed.lines << QStringLiteral("ZH%1 line %2").arg(s + 1).arg(i);
        printed.lines << BookClosingLine();
    }
    if (stamp)
        printed.lines << StampLine(QStringLiteral("2026/12/10 9:05:03"));
    return printed;
}

PrintedReport table(int lines)
{
    PrintedReport printed;
    printed.orientation = PageOrientation::Landscape;
    for (int i = 0; i < lines; ++i)
        printed.lines << QString::number(i);
    return printed;
}

// A page height that holds exactly `lines` lines at the largest size.
double heightFor(int lines)
{
    return lines * MaximumPrintSize * PrintLineFactor + 1;
}

QList<int> pageCounts(const PrintLayout& layout)
{
    QList<int> counts;
    int next = 0;
    for (const PrintLayout::Page& page : layout.pages) {
        // Pages are consecutive runs: no line is left out or printed twice.
        if (page.first != next)
            return {-1};
        next = page.first + page.count;
        counts << page.count;
    }
    return counts;
}

} // namespace

Q_DECLARE_METATYPE(report::PrintedReport)

class PrintLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Widths at 1 pt: a monospaced font's column is half a point, a Chinese character a
    // whole one.
    void fontSizeFitsTheWidestLine_data()
    {
        QTest::addColumn<QList<double>>("widths");
        QTest::addColumn<double>("bodyWidth");
        QTest::addColumn<double>("size");
        // A4 across with 15 mm margins: 267 mm = 756.85 pt.
        QTest::newRow("190-column table across A4, cut to a tenth")
            << QList<double>{95, 40, 95} << 756.85 << 7.9;
        QTest::newRow("a row wider than 190 columns is the widest")
            << QList<double>{95, 104} << 756.85 << 7.2;
        QTest::newRow("never below 7 pt") << QList<double>{150} << 756.85 << 7.0;
        // A4 upright: 180 mm = 510.24 pt; a 51-column book would fit at 20 pt.
        QTest::newRow("the book at body size, not 20 pt") << QList<double>{25.5} << 510.24 << 10.5;
        QTest::newRow("exactly 8 pt") << QList<double>{50} << 400.0 << 8.0;
        QTest::newRow("only empty lines") << QList<double>{0, 0} << 510.24 << 10.5;
    }
    void fontSizeFitsTheWidestLine()
    {
        QFETCH(QList<double>, widths);
        QFETCH(double, bodyWidth);
        QFETCH(double, size);
        const PrintedReport printed = table(int(widths.size()));
        const PrintLayout layout = LayOutPrintedReport(
            printed, std::span(widths.constData(), size_t(widths.size())), bodyWidth, 500);
        QCOMPARE(layout.fontSize, size);
        QCOMPARE(layout.lineHeight, size * PrintLineFactor);
        // At that size the widest line does fit, unless the floor of 7 pt forbids it.
        const double widest = *std::max_element(widths.cbegin(), widths.cend());
        QVERIFY(widest * layout.fontSize <= bodyWidth || layout.fontSize == MinimumPrintSize);
    }

    void pages_data()
    {
        QTest::addColumn<PrintedReport>("printed");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("book: one page per pile, the stamp under the last")
            << book({51, 50, 53}) << 56 << QList<int>{51, 50, 54};
        QTest::newRow("book: short sections share a page")
            << book({10, 10, 10}) << 25 << QList<int>{20, 11};
        QTest::newRow("book: a section longer than a page runs on, the next follows it")
            << book({60, 10}) << 56 << QList<int>{56, 15};
        QTest::newRow("book: the stamp never sits alone on a page")
            << book({30, 25}) << 55 << QList<int>{30, 26};
        QTest::newRow("book: section and stamp just fill the page")
            << book({30, 25}) << 56 << QList<int>{56};
        QTest::newRow("book without a stamp") << book({30, 30}, false) << 56 << QList<int>{30, 30};
        QTest::newRow("table: the lines flow") << table(12) << 5 << QList<int>{5, 5, 2};
        QTest::newRow("table that fills its page") << table(10) << 10 << QList<int>{10};
        QTest::newRow("empty report: no page") << table(0) << 10 << QList<int>{};
    }
    void pages()
    {
        QFETCH(PrintedReport, printed);
        QFETCH(int, linesPerPage);
        QFETCH(QList<int>, pages);
        const std::vector<double> widths(size_t(printed.lines.size()), 10.0);
        const PrintLayout layout
            = LayOutPrintedReport(printed, widths, 510.24, heightFor(linesPerPage));
        QCOMPARE(layout.linesPerPage, linesPerPage);
        QCOMPARE(pageCounts(layout), pages);
    }

    // The body of an A4 page upright at 10.5 pt, with room for the footer: 56 lines, so a
    // pile's section of up to 54 lines with the stamp always fits on one page.
    void a4HoldsAPileSection()
    {
        const PrintedReport printed = book({53});
        const std::vector<double> widths(size_t(printed.lines.size()), 25.5);
        const double body = 756.85 - (9 * PrintLineFactor + 6);
        const PrintLayout layout = LayOutPrintedReport(printed, widths, 510.24, body);
        QCOMPARE(layout.linesPerPage, 56);
        QCOMPARE(pageCounts(layout), QList<int>{54});
    }

    void footerText()
    {
        QCOMPARE(PageFooterText(1, 1), QStringLiteral("第 1 页 / 共 1 页"));
        QCOMPARE(PageFooterText(12, 100), QStringLiteral("第 12 页 / 共 100 页"));
    }
};

ROCKPILE_TEST(PrintLayoutTest)
#include "print_layout_test.moc"
