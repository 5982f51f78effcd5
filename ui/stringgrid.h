#pragma once

// A headless string grid: columns with header, width, visibility, alignment and
// read-only flag, cells stored as ids into a shared TextPool so that a grid of a
// million result rows stays compact and rows can be copied or reordered by id.

#include "core/textpool.h"
#include "ui/controls.h"

#include <QStringView>

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace ui {

class StringGrid;

// One column; its text is the header.
class StringColumn : public Control {
public:
    StringColumn(ActionGuard& guard, StringGrid& grid, QString name);
    QString header() const { return text(); }
    double width() const { return m_width; }
    void setWidth(double width);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

private:
    double m_width = 64;
    bool m_readOnly = false;
};

class StringGrid : public Control {
public:
    StringGrid(ActionGuard& guard, Control* parent, QString name,
        std::shared_ptr<core::TextPool> pool = std::make_shared<core::TextPool>());

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    StringColumn& column(int col) { return *m_columns.at(static_cast<size_t>(col)); }
    const StringColumn& column(int col) const { return *m_columns.at(static_cast<size_t>(col)); }
    QString header(int col) const { return column(col).header(); }
    void setHeader(int col, const QString& text) { column(col).setText(text); }
    bool isColumnVisible(int col) const { return column(col).isVisible(); }
    void setColumnVisible(int col, bool visible) { column(col).setVisible(visible); }

    int rowCount() const { return m_rowCount; }
    // New rows are empty; rows beyond the count are dropped.
    void setRowCount(int rows);
    QString cell(int col, int row) const;
    QStringView cellView(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Sets rows firstRow, firstRow + 1, ... of one column to the texts, as setCell would
    // one by one (rows beyond the grid are ignored), interning them together.
    void setColumnCells(int col, int firstRow, std::span<const QStringView> texts);

    // Every cell emptied, then no rows.
    void clearRows();
    // One new last row; cells beyond `cells` stay empty.
    void appendRow(std::span<const QString> cells);
    void appendRow(std::span<const QStringView> cells);
    // Copies row `row` of `source` unchanged as a new last row.
    void appendRowFrom(const StringGrid& source, int row);
    // Afterwards row i holds what row order[i] held; order is a permutation.
    void reorderRows(std::span<const quint32> order);

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool selectsWholeRows() const { return m_rowSelect; }
    void setSelectsWholeRows(bool on) { m_rowSelect = on; }
    int selectedColumn() const { return m_selectedColumn; }
    int selectedRow() const { return m_selectedRow; }
    // Moves the current cell by program; raises no event.
    void setSelection(int col, int row);

    // User actions.
    void selectCell(int col, int row);
    void editCell(int col, int row, const QString& text);
    void clickHeader(int col);
    void doubleClickCell(int col, int row);

    std::function<void(int col, int row)> onSelectCell;
    std::function<void(int col, int row)> onEditingDone;
    std::function<void(int col)> onHeaderClick;
    std::function<void(int col, int row)> onCellDblClick;

    // Grows when cells or rows change (not headers or column states).
    quint64 dataRevision() const { return m_dataRevision; }
    const std::shared_ptr<core::TextPool>& textPool() const { return m_pool; }

private:
    friend class StringColumn;
    void addColumn(StringColumn* column);
    bool validCell(int col, int row) const;
    bool reachableCell(int col, int row) const;
    void dataChanged()
    {
        ++m_dataRevision;
        touch();
    }

    std::shared_ptr<core::TextPool> m_pool;
    std::vector<StringColumn*> m_columns;
    std::vector<std::vector<quint32>> m_cells; // per column, one id per row
    // Per column, the ids of texts appended before the last one: many columns alternate
    // between a few texts (rock conditions, coefficients). Only a hint: an id is used
    // after its text has been compared.
    std::vector<std::array<quint32, 3>> m_recent;
    int m_rowCount = 0;
    bool m_readOnly = false;
    bool m_rowSelect = false;
    int m_selectedColumn = -1;
    int m_selectedRow = -1;
    quint64 m_dataRevision = 0;
};

} // namespace ui
