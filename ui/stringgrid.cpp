#include "ui/stringgrid.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace ui {

StringColumn::StringColumn(ActionGuard& guard, StringGrid& grid, QString name)
    : Control(guard, &grid, std::move(name))
{
    grid.addColumn(this);
}

void StringColumn::setWidth(double width)
{
    if (width != m_width) {
        m_width = width;
        touch();
    }
}

void StringColumn::setReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        touch();
    }
}

StringGrid::StringGrid(
    ActionGuard& guard, Control* parent, QString name, std::shared_ptr<core::TextPool> pool)
    : Control(guard, parent, std::move(name))
    , m_pool(std::move(pool))
{
}

void StringGrid::addColumn(StringColumn* column)
{
    m_columns.push_back(column);
    m_cells.emplace_back(static_cast<size_t>(m_rowCount), 0u);
    touch();
}

bool StringGrid::validCell(int col, int row) const
{
    return col >= 0 && col < columnCount() && row >= 0 && row < m_rowCount;
}

void StringGrid::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == m_rowCount)
        return;
    for (auto& column : m_cells)
        column.resize(static_cast<size_t>(rows), 0u);
    m_rowCount = rows;
    if (m_selectedRow >= rows)
        m_selectedRow = rows - 1;
    dataChanged();
}

QString StringGrid::cell(int col, int row) const
{
    return cellView(col, row).toString();
}

QStringView StringGrid::cellView(int col, int row) const
{
    if (!validCell(col, row))
        return {};
    return m_pool->view(m_cells[static_cast<size_t>(col)][static_cast<size_t>(row)]);
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    if (!validCell(col, row))
        return;
    quint32& id = m_cells[static_cast<size_t>(col)][static_cast<size_t>(row)];
    const quint32 newId = m_pool->intern(text);
    if (newId != id) {
        id = newId;
        dataChanged();
    }
}

void StringGrid::setColumnCells(int col, int firstRow, std::span<const QStringView> texts)
{
    if (col < 0 || col >= columnCount() || firstRow < 0 || firstRow >= m_rowCount)
        return;
    const size_t count = std::min(texts.size(), static_cast<size_t>(m_rowCount - firstRow));
    std::vector<quint32> ids(count);
    m_pool->internAll(texts.first(count), ids);
    auto& column = m_cells[static_cast<size_t>(col)];
    bool changed = false;
    for (size_t i = 0; i < count; ++i) {
        quint32& id = column[static_cast<size_t>(firstRow) + i];
        changed = changed || id != ids[i];
        id = ids[i];
    }
    if (changed)
        dataChanged();
}

void StringGrid::clearRows()
{
    for (auto& column : m_cells)
        std::vector<quint32>().swap(column);
    m_rowCount = 0;
    m_selectedRow = -1;
    dataChanged();
}

void StringGrid::appendRow(std::span<const QString> cells)
{
    std::array<QStringView, 32> views;
    if (cells.size() <= views.size()) {
        std::copy(cells.begin(), cells.end(), views.begin());
        appendRow(std::span<const QStringView>(views.data(), cells.size()));
        return;
    }
    std::vector<QStringView> many(cells.begin(), cells.end());
    appendRow(std::span<const QStringView>(many));
}

namespace {
// Equal texts; most unequal pairs of a result column already differ in length or in
// their last character, which is cheaper to look at than a full comparison.
bool sameText(QStringView a, QStringView b)
{
    return a.size() == b.size() && (a.isEmpty() || a.back() == b.back()) && a == b;
}
} // namespace

void StringGrid::appendRow(std::span<const QStringView> cells)
{
    const size_t count = std::min(cells.size(), m_cells.size());
    m_recent.resize(m_cells.size(), {0, 0, 0});
    // Most cells repeat the cell above (same section, strength, process...) or one of
    // the few texts before it: comparing is cheaper than hashing. The others are
    // interned together.
    std::array<QStringView, 32> fresh;
    std::array<size_t, 32> freshColumn;
    std::array<quint32, 32> freshId;
    size_t freshCount = 0;
    const quint32 poolSize = m_pool->size();
    for (size_t c = 0; c < m_cells.size(); ++c) {
        auto& column = m_cells[c];
        quint32 id = 0;
        if (c < count && !cells[c].isEmpty()) {
            const QStringView text = cells[c];
            if (!column.empty() && sameText(m_pool->view(column.back()), text)) {
                id = column.back();
            } else {
                bool found = false;
                for (quint32 recent : m_recent[c]) {
                    if (recent != 0 && recent < poolSize && sameText(m_pool->view(recent), text)) {
                        id = recent;
                        found = true;
                        break;
                    }
                }
                if (!found && freshCount < fresh.size()) {
                    fresh[freshCount] = text;
                    freshColumn[freshCount++] = c;
                } else if (!found) {
                    id = m_pool->intern(text);
                }
            }
        }
        column.push_back(id);
    }
    m_pool->internAll(std::span(fresh.data(), freshCount), std::span(freshId.data(), freshCount));
    for (size_t i = 0; i < freshCount; ++i)
        m_cells[freshColumn[i]].back() = freshId[i];
    for (size_t c = 0; c < m_cells.size(); ++c) {
        const auto& column = m_cells[c];
        if (column.size() < 2 || column[column.size() - 2] == column.back())
            continue;
        // The text this row replaced joins the recent ones.
        auto& recent = m_recent[c];
        const quint32 previous = column[column.size() - 2];
        if (previous != recent[0] && previous != recent[1] && previous != recent[2]) {
            recent[2] = recent[1];
            recent[1] = recent[0];
            recent[0] = previous;
        }
    }
    ++m_rowCount;
    dataChanged();
}

void StringGrid::appendRowFrom(const StringGrid& source, int row)
{
    if (row < 0 || row >= source.rowCount())
        return;
    const bool samePool = source.m_pool == m_pool;
    for (size_t c = 0; c < m_cells.size(); ++c) {
        quint32 id = 0;
        if (c < source.m_cells.size()) {
            const quint32 sourceId = source.m_cells[c][static_cast<size_t>(row)];
            id = samePool ? sourceId : m_pool->intern(source.m_pool->view(sourceId));
        }
        m_cells[c].push_back(id);
    }
    ++m_rowCount;
    dataChanged();
}

void StringGrid::reorderRows(std::span<const quint32> order)
{
    if (order.size() != static_cast<size_t>(m_rowCount))
        throw std::invalid_argument("row order of the wrong length");
    std::vector<quint32> moved(order.size());
    for (auto& column : m_cells) {
        for (size_t i = 0; i < order.size(); ++i)
            moved[i] = column[order[i]];
        column.swap(moved);
    }
    dataChanged();
}

void StringGrid::setReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        touch();
    }
}

void StringGrid::setSelection(int col, int row)
{
    if (col == m_selectedColumn && row == m_selectedRow)
        return;
    m_selectedColumn = col;
    m_selectedRow = row;
    touch();
}

// A hidden column is out of the user's reach like a hidden control: the real grid never
// offers its header or its cells, so a user action on it does nothing.
bool StringGrid::reachableCell(int col, int row) const
{
    return validCell(col, row) && isColumnVisible(col);
}

void StringGrid::selectCell(int col, int row)
{
    if (!reachableCell(col, row))
        return;
    userAction([this, col, row] {
        setSelection(col, row);
        if (onSelectCell)
            onSelectCell(col, row);
    });
}

void StringGrid::editCell(int col, int row, const QString& text)
{
    if (!reachableCell(col, row))
        return;
    userAction([this, col, row, text] {
        setSelection(col, row);
        if (onSelectCell)
            onSelectCell(col, row);
        if (m_readOnly || column(col).isReadOnly())
            return;
        setCell(col, row, text);
        if (onEditingDone)
            onEditingDone(col, row);
    });
}

void StringGrid::clickHeader(int col)
{
    if (col < 0 || col >= columnCount() || !isColumnVisible(col))
        return;
    userAction([this, col] {
        if (onHeaderClick)
            onHeaderClick(col);
    });
}

void StringGrid::doubleClickCell(int col, int row)
{
    if (!reachableCell(col, row))
        return;
    userAction([this, col, row] {
        setSelection(col, row);
        if (onCellDblClick)
            onCellDblClick(col, row);
    });
}

} // namespace ui
