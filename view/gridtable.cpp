#include "view/gridtable.h"

#include "ui/grid_copy.h"
#include "view/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace view {

namespace {

constexpr int RowHeight = 22;

} // namespace

StringGridModel::StringGridModel(const ui::StringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
    , m_rows(grid.rowCount())
    , m_columns(grid.columnCount())
    , m_dataRevision(grid.dataRevision())
{
    for (int col = 0; col < m_columns; ++col)
        m_headerRevisions.push_back(grid.column(col).revision());
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // Out of range (the grid shrank inside an action not yet synced) reads empty.
        return m_grid.cellView(index.column(), index.row()).toString();
    case Qt::TextAlignmentRole:
        if (index.column() < m_grid.columnCount())
            return QVariant::fromValue(AlignmentOf(m_grid.column(index.column()).alignment()));
        return {};
    default:
        return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_rows)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= m_columns || section >= m_grid.columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_grid.header(section);
    // A header stands over its cells the way they stand in their column.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(AlignmentOf(m_grid.column(section).alignment()));
    return {};
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Read-only as the form says at this moment (it changes with the selected cell).
    if (index.column() < m_grid.columnCount() && !m_grid.isReadOnly()
        && !m_grid.column(index.column()).isReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !onEdit)
        return false;
    onEdit(index.column(), index.row(), value.toString());
    return true;
}

bool StringGridModel::sync()
{
    if (m_grid.rowCount() != m_rows || m_grid.columnCount() != m_columns) {
        beginResetModel();
        m_rows = m_grid.rowCount();
        m_columns = m_grid.columnCount();
        m_dataRevision = m_grid.dataRevision();
        m_headerRevisions.clear();
        for (int col = 0; col < m_columns; ++col)
            m_headerRevisions.push_back(m_grid.column(col).revision());
        endResetModel();
        return true;
    }
    if (m_grid.dataRevision() != m_dataRevision) {
        m_dataRevision = m_grid.dataRevision();
        if (m_rows > 0 && m_columns > 0)
            Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    }
    int first = -1;
    int last = -1;
    for (int col = 0; col < m_columns; ++col) {
        const quint64 revision = m_grid.column(col).revision();
        if (revision != m_headerRevisions[static_cast<size_t>(col)]) {
            m_headerRevisions[static_cast<size_t>(col)] = revision;
            first = first < 0 ? col : first;
            last = col;
        }
    }
    if (first >= 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, first, last);
    return false;
}

GridTable::GridTable(ui::StringGrid& grid, ActionRunner run, QWidget* parent)
    : QTableView(parent)
    , m_grid(grid)
    , m_run(std::move(run))
    , m_model(grid, this)
{
    setModel(&m_model);
    // Whole-row grids hold results: the user selects as many rows as he wants to copy.
    // The form still hears of the current cell only.
    setSelectionMode(grid.selectsWholeRows() ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
    setSelectionBehavior(
        grid.selectsWholeRows() ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // "ZH-0000123" in a narrow column: the end of a text tells the rows apart.
    setTextElideMode(Qt::ElideMiddle);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Every row has the same height, so a million rows need no measuring.
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(RowHeight);
    rows->setMinimumSectionSize(RowHeight);
    rows->hide();

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsMovable(true);
    columns->setSectionsClickable(true);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    // The header click means the column as created, wherever the user has moved it:
    // sectionClicked reports the logical index, which is the grid's column.
    // A header click puts the current cell on the first row (a sort moves every row):
    // the view selects that row alone, as the form says, and shows it wherever the user
    // had scrolled to, also when the form's current cell was there already.
    connect(columns, &QHeaderView::sectionClicked, this, [this](int column) {
        m_shownSelection = QPoint(-2, -2);
        m_run([this, column] { m_grid.clickHeader(column); });
        scrollToCurrentCell();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_run([this, index] { m_grid.doubleClickCell(index.column(), index.row()); });
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current, const QModelIndex&) { currentCellChanged(current); });
    m_model.onEdit = [this](int column, int row, const QString& text) {
        m_run([this, column, row, text] { m_grid.editCell(column, row, text); });
    };
    sync();
}

void GridTable::currentCellChanged(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    if (current.column() == m_grid.selectedColumn() && current.row() == m_grid.selectedRow())
        return;
    const int column = current.column();
    const int row = current.row();
    // The view already shows this cell (and the user's row selection around it): the
    // refresh must not select it again unless the form puts the current cell elsewhere.
    m_shownSelection = QPoint(column, row);
    m_run([this, column, row] { m_grid.selectCell(column, row); });
}

void GridTable::scrollToCurrentCell()
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        scrollTo(current);
    else
        scrollToTop();
}

std::vector<int> GridTable::selectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void GridTable::copySelectedRows()
{
    const std::vector<int> rows = selectedRows();
    const QString text = ui::GridRowsText(m_grid, rows);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void GridTable::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    while (editor && editor->parentWidget() != viewport())
        editor = editor->parentWidget();
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridTable::keyPressEvent(QKeyEvent* event)
{
    // Tab walks from cell to cell; with Ctrl it leaves the grid for the next control (and
    // back with Shift), so that every button stays in reach of the keyboard.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && event->modifiers().testFlag(Qt::ControlModifier)) {
        const bool back
            = event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        QWidget::focusNextPrevChild(!back);
        event->accept();
        return;
    }
    if (m_grid.selectsWholeRows() && event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridTable::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_grid.selectsWholeRows()) {
        QTableView::contextMenuEvent(event);
        return;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(QStringLiteral("复制"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(selectionModel()->hasSelection());
    connect(copy, &QAction::triggered, this, [this] { copySelectedRows(); });
    if (openChart) {
        menu->addSeparator();
        QAction* chart = menu->addAction(QStringLiteral("图表"));
        chart->setShortcut(QKeySequence(Qt::Key_F6));
        connect(chart, &QAction::triggered, this, [this] { openChart(); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void GridTable::sync()
{
    const bool reset = m_model.sync();
    const int count = m_grid.columnCount();
    m_widths.resize(static_cast<size_t>(count), -1);
    m_visible.resize(static_cast<size_t>(count), -1);
    for (int col = 0; col < count; ++col) {
        const ui::StringColumn& column = m_grid.column(col);
        const size_t at = static_cast<size_t>(col);
        if (column.width() != m_widths[at]) {
            m_widths[at] = column.width();
            setColumnWidth(col, static_cast<int>(std::lround(column.width())));
        }
        if (int(column.isVisible()) != m_visible[at]) {
            m_visible[at] = column.isVisible();
            setColumnHidden(col, !column.isVisible());
        }
    }
    // The form may move the current cell itself: show it where the form put it, without
    // reporting it back as the user's selection. Only a move by the form counts; while
    // the user changes cells the view is ahead of the form and stays where it is.
    const QPoint selection(m_grid.selectedColumn(), m_grid.selectedRow());
    if (selection == m_shownSelection && !reset)
        return;
    m_shownSelection = selection;
    const QSignalBlocker blocker(selectionModel());
    if (selection.y() < 0 || selection.y() >= m_model.rowCount()) {
        selectionModel()->clear();
    } else {
        const int col = std::clamp(selection.x(), 0, std::max(m_model.columnCount() - 1, 0));
        const auto how = selectionBehavior() == QAbstractItemView::SelectRows
            ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
            : QItemSelectionModel::ClearAndSelect;
        selectionModel()->setCurrentIndex(m_model.index(selection.y(), col), how);
    }
    // Wherever the form puts the current cell (or a run or filter fills the grid anew),
    // the user sees it.
    scrollToCurrentCell();
    viewport()->update();
}

} // namespace view
