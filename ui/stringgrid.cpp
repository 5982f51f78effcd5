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

StringGrid::StringGrid(ActionGuard& guard, Control* parent, QString name, CellKindOf kindOf)
    : Control(guard, parent, std::move(name))
    , m_kindOf(kindOf)
    , m_store(std::make_shared<core::CellStore>())
{
}

void StringGrid::addColumn(StringColumn* column)
{
    m_columns.push_back(column);
    const int index = static_cast<int>(m_columns.size()) - 1;
    if (m_store->columnCount() <= index) {
        detach();
        m_store->addColumn(m_kindOf ? m_kindOf(index) : core::CellKind::Texts);
    }
    touch();
}

bool StringGrid::validCell(int col, int row) const
{
    return col >= 0 && col < columnCount() && row >= 0 && row < m_rowCount;
}

void StringGrid::detach()
{
    if (m_store.use_count() <= 1)
        return;
    // Another grid shows rows of this store: copy ours, text by text.
    auto own = m_store->emptyLike();
    own->reserve(m_rows.size());
    std::vector<QStringView> texts(static_cast<size_t>(m_store->columnCount()));
    std::vector<core::CellScratch> scratch(texts.size());
    for (quint32& row : m_rows) {
        for (size_t c = 0; c < texts.size(); ++c)
            texts[c] = m_store->view(static_cast<int>(c), row, scratch[c]);
        row = own->appendRow(texts);
    }
    m_store = std::move(own);
}

void StringGrid::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == m_rowCount)
        return;
    if (rows < m_rowCount) {
        m_rows.resize(static_cast<size_t>(rows));
    } else {
        for (int row = m_rowCount; row < rows; ++row)
            m_rows.push_back(m_store->appendRow({}));
    }
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
    return m_store->view(col, m_rows[static_cast<size_t>(row)], m_scratch);
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    if (!validCell(col, row) || cellView(col, row) == text)
        return;
    detach();
    m_store->setCell(col, m_rows[static_cast<size_t>(row)], text);
    dataChanged();
}

void StringGrid::reserveRows(size_t rows)
{
    detach();
    m_rows.reserve(rows);
    m_store->reserve(rows);
}

void StringGrid::numberRows(core::PileNumbering numbering)
{
    detach();
    m_store->numberRows(m_rows, numbering);
    dataChanged();
}

void StringGrid::clearRows()
{
    std::vector<quint32>().swap(m_rows);
    // Rows another grid still shows stay with it; otherwise their memory goes back.
    if (m_store.use_count() > 1)
        m_store = m_store->emptyLike();
    else
        m_store->clear();
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

void StringGrid::appendRow(std::span<const QStringView> cells)
{
    // Appending leaves the rows other grids show untouched: no copy needed.
    m_rows.push_back(m_store->appendRow(cells.first(std::min(cells.size(), m_columns.size()))));
    ++m_rowCount;
    dataChanged();
}

void StringGrid::appendRowFrom(const StringGrid& source, int row)
{
    if (row < 0 || row >= source.rowCount())
        return;
    const quint32 stored = source.m_rows[static_cast<size_t>(row)];
    if (&source == this) {
        m_rows.push_back(m_store->appendCopy(stored));
    } else {
        // An empty grid takes the source's store, so the copy is the row's number.
        if (m_rowCount == 0 && m_store != source.m_store
            && source.m_store->columnCount() == m_store->columnCount())
            m_store = source.m_store;
        if (m_store == source.m_store) {
            m_rows.push_back(stored);
        } else {
            const int columns = std::min(m_store->columnCount(), source.m_store->columnCount());
            std::vector<QStringView> texts(static_cast<size_t>(columns));
            std::vector<core::CellScratch> scratch(texts.size());
            for (int c = 0; c < columns; ++c)
                texts[size_t(c)] = source.m_store->view(c, stored, scratch[size_t(c)]);
            m_rows.push_back(m_store->appendRow(texts));
        }
    }
    ++m_rowCount;
    dataChanged();
}

void StringGrid::reorderRows(std::span<const quint32> order)
{
    if (order.size() != static_cast<size_t>(m_rowCount))
        throw std::invalid_argument("row order of the wrong length");
    std::vector<quint32> moved(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        moved[i] = m_rows[order[i]];
    m_rows.swap(moved);
    dataChanged();
}

void StringGrid::reverseRows()
{
    std::reverse(m_rows.begin(), m_rows.end());
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
