#include "report/print_layout.h"

#include "report/calculation_book.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

// The first line of every block that stays together: for a book each section (the
// stamp under the last one goes with it), for a table every line.
std::vector<int> PrintBlockStarts(const PrintedReport& report)
{
    std::vector<int> starts;
    const int count = static_cast<int>(report.lines.size());
    if (count == 0)
        return starts;
    if (!report.keepSectionsTogether) {
        for (int i = 0; i < count; ++i)
            starts.push_back(i);
        return starts;
    }
    const QString closing = BookClosingLine();
    starts.push_back(0);
    for (int i = 0; i + 1 < count; ++i) {
        if (report.lines[i] == closing)
            starts.push_back(i + 1);
    }
    // What follows the last closing line is the stamp: it stays under its section.
    if (starts.size() > 1 && report.lines.last() != closing)
        starts.pop_back();
    return starts;
}

} // namespace

PrintLayout LayOutPrintedReport(const PrintedReport& report,
    std::span<const double> widthsAtOnePoint, double bodyWidth, double bodyHeight)
{
    PrintLayout layout;
    double widest = 0;
    for (const double width : widthsAtOnePoint)
        widest = std::max(widest, width);
    double size = MaximumPrintSize;
    if (widest > 0 && bodyWidth > 0)
        size = std::floor(bodyWidth / widest * 10) / 10;
    layout.fontSize = std::clamp(size, MinimumPrintSize, MaximumPrintSize);
    layout.lineHeight = layout.fontSize * PrintLineFactor;
    // A tiny page still takes one line a page, so every line is printed somewhere.
    layout.linesPerPage = std::max(1, int(std::floor(bodyHeight / layout.lineHeight + 1e-9)));

    const int count = static_cast<int>(report.lines.size());
    std::vector<int> starts = PrintBlockStarts(report);
    starts.push_back(count);
    PrintLayout::Page page;
    const auto closePage = [&layout, &page] {
        if (page.count > 0)
            layout.pages.push_back(page);
        page = {page.first + page.count, 0};
    };
    for (size_t b = 0; b + 1 < starts.size(); ++b) {
        const int blockLines = starts[b + 1] - starts[b];
        if (page.count > 0 && page.count + blockLines > layout.linesPerPage)
            closePage();
        for (int i = 0; i < blockLines; ++i) {
            if (page.count == layout.linesPerPage)
                closePage();
            ++page.count;
        }
    }
    closePage();
    return layout;
}

QString PageFooterText(int page, int pageCount)
{
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pageCount);
}

} // namespace report
