#include "ui/grid_copy.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// A tab or a line break inside a cell would push the cells after it into the wrong
// spreadsheet cell or row: it becomes a blank.
void appendField(QString& text, const QString& field)
{
    for (const QChar c : field)
        text += (c == u'\t' || c == u'\n' || c == u'\r') ? QChar(u' ') : c;
}

} // namespace

QString GridRowsText(const StringGrid& grid, std::span<const int> rows)
{
    std::vector<int> chosen;
    chosen.reserve(rows.size());
    const int count = grid.rowCount();
    for (const int row : rows) {
        if (row >= 0 && row < count)
            chosen.push_back(row);
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    if (chosen.empty())
        return QString();

    std::vector<int> columns;
    for (int col = 0; col < grid.columnCount(); ++col) {
        if (grid.isColumnVisible(col))
            columns.push_back(col);
    }
    QString text;
    const auto line = [&text, &columns](const auto& field) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += QLatin1Char('\t');
            appendField(text, field(columns[i]));
        }
        text += QLatin1Char('\n');
    };
    line([&grid](int col) { return grid.header(col).trimmed(); });
    for (const int row : chosen)
        line([&grid, row](int col) { return grid.cell(col, row); });
    return text;
}

} // namespace ui
