// The result grids in the window: the view follows the form's current cell, several
// rows are selected and copied, and the keyboard can leave a grid.

#include "tests/testmain.h"
#include "tests/view/screen.h"
#include "view/gridtable.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>

using namespace ui;

namespace {

// "★" and "计算" with the default options: 384 rows.
view::GridTable* runDefaults(Screen& s)
{
    s.click(s.f->cbt_YouHua);
    s.click(s.f->cbt_YHcompute);
    return dynamic_cast<view::GridTable*>(s.window.widgetFor(s.f->Grid2_Youhuajieguo));
}

void clickHeader(QTableView* table, int column)
{
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
}

void clickRow(QTableView* table, int row, Qt::KeyboardModifiers modifiers = {})
{
    table->scrollTo(table->model()->index(row, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers,
        table->visualRect(table->model()->index(row, 1)).center());
}

bool rowOnScreen(QTableView* table, int row)
{
    return table->viewport()->rect().contains(
        table->visualRect(table->model()->index(row, 0)).center());
}

void scrollToMiddle(QTableView* table)
{
    // The table lays out its new rows when the event loop comes round.
    QCoreApplication::processEvents();
    QScrollBar* bar = table->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QVERIFY(!rowOnScreen(table, 0));
}

QString rowText(const StringGrid& grid, int row)
{
    QStringList cells;
    for (int col = 0; col <= 4; ++col)
        cells << grid.cell(col, row);
    return cells.join(QLatin1Char('\t'));
}

const QString Head = QStringLiteral("桩编号\t截面类型\td|a(mm)\tc|b(mm)\t[P](kN)");

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::clipboard()->setText(QStringLiteral("before")); }

    // The sort selects the first row: the view goes there, from wherever the user had
    // scrolled, also when the current cell was on that row already.
    void sortShowsTheFirstRow()
    {
        Screen s;
        QTableView* table = runDefaults(s);
        scrollToMiddle(table);
        clickHeader(table, 4);
        QCOMPARE(s.f->lb_YHxingxi.text(), QStringLiteral("[P]升序排列完成"));
        QVERIFY(rowOnScreen(table, 0));
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QCOMPARE(table->currentIndex(), table->model()->index(0, 4));
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);

        scrollToMiddle(table);
        clickHeader(table, 4);
        QCOMPARE(s.f->lb_YHxingxi.text(), QStringLiteral("[P]降序排列完成"));
        QVERIFY(rowOnScreen(table, 0));
        QCOMPARE(table->model()->index(0, 0).data().toString(), s.f->Grid2_Youhuajieguo.cell(0, 0));
    }

    // A filter fills its grid anew: the list is shown from the top.
    void filterShowsTheTop()
    {
        Screen s;
        runDefaults(s);
        s.f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("0"));
        s.f->Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("0"));
        s.window.refresh();
        s.click(s.f->cbt_YHsaixuan);
        auto* filtered = s.widget<QTableView>(s.f->Grid3_Youhuasaixuan);
        QCOMPARE(filtered->model()->rowCount(), 384);
        scrollToMiddle(filtered);
        s.f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("10000"));
        s.window.refresh();
        s.click(s.f->cbt_YHsaixuan);
        QVERIFY(filtered->model()->rowCount() > 20);
        QCOMPARE(filtered->verticalScrollBar()->value(), 0);
    }

    // Click, Ctrl+click: two rows; Ctrl+C puts them under the visible headers.
    void twoSelectedRowsOnTheClipboard()
    {
        Screen s;
        QTableView* table = runDefaults(s);
        QVERIFY(s.activate());
        clickRow(table, 1);
        clickRow(table, 3, Qt::ControlModifier);
        QCOMPARE(s.f->Grid2_Youhuajieguo.selectedRow(), 3); // the form hears of the current cell
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const StringGrid& grid = s.f->Grid2_Youhuajieguo;
        QCOMPARE(QApplication::clipboard()->text(),
            Head + '\n' + rowText(grid, 1) + '\n' + rowText(grid, 3) + '\n');
        QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("ZH-004\t")));

        // Shift+click extends the last range (rows 3 to 5, row 1 stays); Ctrl+A takes the
        // whole list.
        clickRow(table, 5, Qt::ShiftModifier);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), 1 + 4);
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), 1 + 384);
    }

    void contextMenuCopies()
    {
        Screen s;
        QTableView* table = runDefaults(s);
        const auto openMenu = [table] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 30),
                table->viewport()->mapToGlobal(QPoint(20, 30)));
            QApplication::sendEvent(table->viewport(), &event);
            return table->findChild<QMenu*>();
        };
        QMenu* menu = openMenu();
        QVERIFY(menu);
        // "复制", a separator and "图表".
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("复制"));
        QCOMPARE(menu->actions().last()->text(), QStringLiteral("图表"));
        // No row selected: nothing to copy, the clipboard keeps its text.
        QVERIFY(!menu->actions().first()->isEnabled());
        menu->actions().first()->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        menu->close();
        QTRY_VERIFY(!table->findChild<QMenu*>());

        clickRow(table, 0);
        menu = openMenu();
        QVERIFY(menu->actions().first()->isEnabled());
        menu->actions().first()->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
            Head + '\n' + rowText(s.f->Grid2_Youhuajieguo, 0) + '\n');
        menu->close();
    }

    void headersStandLikeTheirCells()
    {
        Screen s;
        QAbstractItemModel* model = s.widget<QTableView>(s.f->Grid2_Youhuajieguo)->model();
        const auto alignment = [model](int column) {
            return model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                .value<Qt::Alignment>();
        };
        QCOMPARE(alignment(0), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(alignment(4), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(alignment(16), Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Tab walks the options table cell by cell; Ctrl+Tab and Ctrl+Shift+Tab leave it.
    void ctrlTabLeavesTheOptionsTable()
    {
        Screen s;
        s.click(s.f->cbt_YouHua);
        QVERIFY(s.activate());
        auto* options = s.widget<QTableView>(s.f->Grid1_Youhuaxuanxiang);
        options->setFocus();
        options->setCurrentIndex(options->model()->index(1, 1));
        QTest::keyClick(options, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), options);
        QCOMPARE(options->currentIndex(), options->model()->index(1, 2));

        QTest::keyClick(options, Qt::Key_Tab, Qt::ControlModifier);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next != options);
        QCOMPARE(next, s.window.widgetFor(s.f->Grid2_Youhuajieguo));
        QTest::keyClick(next, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), s.window.widgetFor(s.f->cbt_zhangkai));

        options->setFocus();
        QTest::keyClick(options, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != options);
        QCOMPARE(options->currentIndex(), options->model()->index(1, 2));
    }
};

ROCKPILE_TEST(GridViewTest)
#include "grid_view_test.moc"
