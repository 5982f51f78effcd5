#pragma once

// A string grid on screen: a table model that reads the headless grid cell by cell
// as the table paints (no widget item per cell, so a million rows cost nothing until
// they scroll into view), and the table that forwards selection, editing, header
// clicks and double clicks to the grid's user actions.

#include "ui/stringgrid.h"

#include <QAbstractTableModel>
#include <QPoint>
#include <QTableView>

#include <functional>
#include <vector>

namespace view {

using ActionRunner = std::function<void(const std::function<void()>&)>;

class StringGridModel : public QAbstractTableModel {
public:
    explicit StringGridModel(const ui::StringGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Brings the model up to the grid: a reset when the number of rows or columns
    // changed, otherwise one dataChanged over the whole grid when any cell changed.
    // True when the model was reset.
    bool sync();

    // A finished edit of a cell (the table forwards it to the grid's editCell).
    std::function<void(int column, int row, const QString& text)> onEdit;

private:
    const ui::StringGrid& m_grid;
    // The shape the attached views know; the grid may differ until the next sync.
    int m_rows = 0;
    int m_columns = 0;
    quint64 m_dataRevision = 0;
    std::vector<quint64> m_headerRevisions;
};

class GridTable : public QTableView {
public:
    GridTable(ui::StringGrid& grid, ActionRunner run, QWidget* parent = nullptr);

    StringGridModel& gridModel() { return m_model; }
    // Model, column widths and visibility, and the current cell, as the grid holds them.
    void sync();
    // The rows the user has selected, top to bottom.
    std::vector<int> selectedRows() const;
    // Puts the selected rows on the clipboard as the program's copy text; with no row
    // selected the clipboard keeps what it had.
    void copySelectedRows();
    // Ends an open cell editor as if the user had left the cell, so that a keyboard
    // command acts on the text typed so far.
    void commitOpenEditor();
    // "图表" in the context menu of a result grid, where the window sets it.
    std::function<void()> openChart;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void currentCellChanged(const QModelIndex& current);
    void scrollToCurrentCell();

    ui::StringGrid& m_grid;
    ActionRunner m_run;
    StringGridModel m_model;
    // The width and visibility last taken from each column: the user's own resizing
    // stays until the program changes the column.
    std::vector<double> m_widths;
    std::vector<int> m_visible;
    // The form's current cell as last shown; (-1, -1) for none.
    QPoint m_shownSelection{-1, -1};
};

} // namespace view
