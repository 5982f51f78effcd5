#pragma once

// A headless string grid: columns with header, width, visibility, alignment and
// read-only flag. The cells live in a core::CellStore, stored for what each column
// holds; the grid itself is the list of its rows' numbers in that store, so a sort or
// a reversal moves four bytes a row, and a filtered grid shares the store of the list
// it was copied from. A change through one grid never shows in another: a grid that
// shares its store copies its rows before it changes a cell.

#include "core/cellstore.h"
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
    // `kindOf` tells how each column is stored; by default every column holds texts.
    using CellKindOf = core::CellKind (*)(int column);
    StringGrid(ActionGuard& guard, Control* parent, QString name, CellKindOf kindOf = nullptr);

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
    // The cell without a copy, valid until the grid changes; a cell of a column that
    // stores numbers or pile numbers is composed in the grid's scratch, so its view lasts
    // only until the next cellView.
    QStringView cellView(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Room for so many rows, taken once (a run knows its case count before it starts).
    void reserveRows(size_t rows);
    // Column 0 of every row gets its pile number: its position, shown plainly or as
    // "ZH-" and the position filled to the digits of the row count. The rows keep their
    // numbers when they are moved or copied.
    void numberRows(core::PileNumbering numbering);

    // The rows as stored, for work that reads whole columns (filter, sort, list file).
    const core::CellStore& store() const { return *m_store; }
    std::span<const quint32> storeRows() const { return m_rows; }

    // Every cell emptied, then no rows.
    void clearRows();
    // One new last row; cells beyond `cells` stay empty.
    void appendRow(std::span<const QString> cells);
    void appendRow(std::span<const QStringView> cells);
    // Copies row `row` of `source` unchanged as a new last row.
    void appendRowFrom(const StringGrid& source, int row);
    // Afterwards row i holds what row order[i] held; order is a permutation.
    void reorderRows(std::span<const quint32> order);
    // Row i trades places with row n - 1 - i.
    void reverseRows();

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

private:
    friend class StringColumn;
    void addColumn(StringColumn* column);
    bool validCell(int col, int row) const;
    // Makes the store this grid's own before a cell changes.
    void detach();
    bool reachableCell(int col, int row) const;
    void dataChanged()
    {
        ++m_dataRevision;
        touch();
    }

    CellKindOf m_kindOf;
    std::shared_ptr<core::CellStore> m_store;
    std::vector<StringColumn*> m_columns;
    std::vector<quint32> m_rows; // the store's row of each grid row
    mutable core::CellScratch m_scratch;
    int m_rowCount = 0;
    bool m_readOnly = false;
    bool m_rowSelect = false;
    int m_selectedColumn = -1;
    int m_selectedRow = -1;
    quint64 m_dataRevision = 0;
};

} // namespace ui
