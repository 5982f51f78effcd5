#pragma once

// A report on paper: which lines go on which page of an A4 sheet and at what size, and
// the footer under every page. The view measures the lines in the print font and paints
// the pages; printer and PDF file share this layout, so that a printed book and its PDF
// have the same pages. Pure functions: the widths and the page come in as arguments.

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace report {

enum class PageOrientation { Portrait, Landscape };

// What the results screen hands to the printer: the memo's lines, unchanged.
struct PrintedReport {
    // Footer left and the PDF's document title.
    QString title;
    QStringList lines;
    PageOrientation orientation = PageOrientation::Portrait;
    // The book: a pile's section starts on a new page when it does not fit in what is
    // left of the page. The table simply flows.
    bool keepSectionsTogether = false;
};

// Font sizes in points. Below 7 pt a printed table can no longer be read; above 10.5 pt
// (五号, the body size of Chinese technical documents) a book of 51 columns would be
// set at 20 pt, and one pile's section (at most 54 lines with the stamp) would no
// longer fit on one A4 page.
inline constexpr double MinimumPrintSize = 7;
inline constexpr double MaximumPrintSize = 10.5;
// Line pitch per point of size: room for the Chinese characters' full height.
inline constexpr double PrintLineFactor = 1.25;

struct PrintLayout {
    double fontSize = MaximumPrintSize; // points
    double lineHeight = MaximumPrintSize * PrintLineFactor; // points
    int linesPerPage = 0;
    struct Page {
        int first = 0;
        int count = 0;
    };
    std::vector<Page> pages; // consecutive runs of the report's lines, in order
};

// `widthsAtOnePoint`: each line's width in points at a font size of 1 pt (the view's
// measure; a font's widths grow in proportion to its size). `bodyWidth` and
// `bodyHeight`: the page's room for the lines, in points, the footer excluded. The size
// is the largest tenth of a point at which the widest line fits the width, within the
// bounds above. An empty report has no page.
PrintLayout LayOutPrintedReport(const PrintedReport& report,
    std::span<const double> widthsAtOnePoint, double bodyWidth, double bodyHeight);

// The right half of every footer: "第 n 页 / 共 m 页".
QString PageFooterText(int page, int pageCount);

} // namespace report
