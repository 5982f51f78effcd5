// The real widgets on the offscreen platform: what the user does to a widget reaches
// the form, and what the form holds reaches the widgets. Behaviour itself is tested on
// the headless form.

#include "tests/testmain.h"
#include "tests/view/screen.h"
#include "ui/ZAV_HBT_PAS_CopyRight.h"
#include "view/mainwindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTest>

using namespace ui;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowIsFixedWithTitleOnly()
    {
        Screen s;
        QCOMPARE(s.window.size(), QSize(380, 700));
        QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
        QCOMPARE(s.window.windowTitle(), TZAV_FRM_DWOR1::caption());
        const Qt::WindowFlags flags = s.window.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        // Design places, relative to the group box inside a group box.
        QCOMPARE(s.window.widgetFor(s.f->gpb_scjg)->geometry(), QRect(5, 414, 370, 188));
        QCOMPARE(s.window.widgetFor(s.f->edt_ra)->geometry(), QRect(272, 33, 89, 32));
        QCOMPARE(
            s.window.widgetFor(s.f->edt_ra)->parentWidget(), s.window.widgetFor(s.f->gpb_scjg));
        QVERIFY(s.shown(s.f->MainFormLayer));
        QVERIFY(!s.shown(s.f->JieGuo_DocLayer));
        QVERIFY(!s.shown(s.f->YouHuaFormLayer));
        QVERIFY(!s.shown(s.f->cbt_View));
        QVERIFY(!s.shown(s.f->popbox_jingdu));
    }

    void computeButtonFillsResultBoxes()
    {
        Screen s;
        s.click(s.f->cbt_compute);
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_ra)->text(), QStringLiteral("10210"));
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_Pr)->text(), QStringLiteral("7854"));
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_percent)->text(), QStringLiteral("77%"));
        QCOMPARE(s.widget<QLabel>(s.f->lb_shuoming)->text(), s.f->lb_shuoming.text());
        QVERIFY(s.shown(s.f->lb_shuoming));
        QVERIFY(!s.shown(s.f->img_logo));
        QVERIFY(!s.shown(s.f->cbt_compute));
        QVERIFY(s.shown(s.f->cbt_View));
        // The result boxes: read-only, 18 bold, green, right-aligned.
        QLineEdit* box = s.widget<QLineEdit>(s.f->edt_ra);
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->font().pixelSize(), 18);
        QVERIFY(box->font().bold());
        QCOMPARE(s.textColor(box, QPalette::Text), QColor::fromRgba(ColorGreen));
        QVERIFY(box->alignment().testFlag(Qt::AlignRight));
        QVERIFY(s.f.platform.errors.isEmpty());
    }

    void actionRunsUnderWaitCursor()
    {
        Screen s;
        bool waiting = false;
        s.f->cbt_compute.onClick = [&waiting] {
            waiting = QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        s.click(s.f->cbt_compute);
        QVERIFY(waiting);
        QVERIFY(!QApplication::overrideCursor());
    }

    void comboEditCommitsOnEnterOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("status");
        QTest::newRow("a new diameter") << "1200" << ColorBlack << "";
        QTest::newRow("not a number") << "abc" << ColorRed << "桩身直径数据有错";
        QTest::newRow("empty") << "" << ColorRed << "桩身直径数据有错";
    }
    void comboEditCommitsOnEnterOnly()
    {
        QFETCH(QString, typed);
        QFETCH(quint32, color);
        QFETCH(QString, status);
        Screen s;
        s.click(s.f->cbt_compute);
        QLineEdit* line = s.widget<QComboBox>(s.f->cbe_dd)->lineEdit();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, typed);
        // Keystrokes are not a commit.
        QCOMPARE(s.f->cbe_dd.text(), QStringLiteral("1000"));
        QCOMPARE(s.f->edt_ra.text(), QStringLiteral("10210"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(s.f->cbe_dd.text(), typed);
        QCOMPARE(line->text(), typed);
        QCOMPARE(s.textColor(line, QPalette::Text), QColor::fromRgba(color));
        QCOMPARE(s.widget<QLabel>(s.f->lb_shuoming)->text(), status);
        // The change emptied the result boxes and brought back "计算".
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_ra)->text(), QString());
        QVERIFY(s.shown(s.f->cbt_compute));
        QVERIFY(!s.shown(s.f->cbt_View));
    }

    void comboEditChoiceCommits()
    {
        Screen s;
        QComboBox* box = s.widget<QComboBox>(s.f->cbe_dd);
        QCOMPARE(box->count(), 11);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(s.f->cbe_dd.text(), QStringLiteral("1100"));
        QCOMPARE(s.f->cbe_dd.itemIndex(), 1);
        QCOMPARE(box->lineEdit()->text(), QStringLiteral("1100"));
    }

    void editCommitsWhenLeft()
    {
        Screen s;
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        QLineEdit* field = s.widget<QLineEdit>(s.f->edt_frk);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("-3"));
        QCOMPARE(s.f->edt_frk.text(), QStringLiteral("25"));
        s.widget<QComboBox>(s.f->cbb_ysjqdqk)->setFocus();
        QCOMPARE(s.f->edt_frk.text(), QStringLiteral("-3"));
        QCOMPARE(
            s.widget<QLabel>(s.f->lb_shuoming)->text(), QStringLiteral("岩石单轴抗压强度值有错"));
        QCOMPARE(s.textColor(field, QPalette::Text), QColor::fromRgba(ColorRed));
    }

    void comboBoxPickReachesForm()
    {
        Screen s;
        QTest::keyClick(s.widget<QComboBox>(s.f->cbb_jmlx), Qt::Key_Down);
        QCOMPARE(s.f->cbb_jmlx.itemIndex(), 1);
        // The cascade shows: c enabled with "500", the embedment back to "1.0d".
        QComboBox* c = s.widget<QComboBox>(s.f->cbe_tyzd);
        QVERIFY(c->isEnabled());
        QCOMPARE(c->lineEdit()->text(), QStringLiteral("500"));
        QVERIFY(s.window.widgetFor(s.f->lb_tyzd)->isEnabled());

        QTest::keyClick(s.widget<QComboBox>(s.f->cbb_czgy), Qt::Key_Up);
        QComboBox* condition = s.widget<QComboBox>(s.f->cbb_ysjqdqk);
        QCOMPARE(condition->geometry(), QRect(130, 68, 230, 32));
        QCOMPARE(condition->count(), 2);
        QCOMPARE(condition->currentText(), QStringLiteral("匀质无裂缝的岩石"));
        QVERIFY(!s.window.widgetFor(s.f->cbe_hr)->isEnabled());
        QCOMPARE(s.widget<QLabel>(s.f->lb_ysjqdqk)->text(), QStringLiteral("岩石状况"));
    }

    void precisionPopupRecomputes()
    {
        Screen s;
        s.click(s.f->cbt_compute);
        s.click(s.f->cbt_JingDu);
        QVERIFY(s.shown(s.f->popbox_jingdu));
        QComboBox* popup = s.widget<QComboBox>(s.f->popbox_jingdu);
        QCOMPARE(popup->currentText(), QStringLiteral("个位取整"));
        QTest::keyClick(popup, Qt::Key_Home);
        QCOMPARE(s.widget<QLineEdit>(s.f->edt_ra)->text(), QStringLiteral("10210.18"));
        QVERIFY(!s.shown(s.f->popbox_jingdu));
    }

    void gridHeaderClickMeansColumnAsCreated()
    {
        Screen s;
        QList<int> clicked;
        QList<QPoint> doubleClicked;
        s.f->Grid2_Youhuajieguo.onHeaderClick = [&clicked](int col) { clicked << col; };
        s.f->Grid2_Youhuajieguo.onCellDblClick
            = [&doubleClicked](int col, int row) { doubleClicked << QPoint(col, row); };
        s.click(s.f->cbt_YouHua);
        QVERIFY(s.shown(s.f->YouHuaFormLayer));
        for (int row = 0; row < 3; ++row)
            s.f->Grid2_Youhuajieguo.appendRow(
                std::array<QString, 2>{QString::number(row + 1), QStringLiteral("圆  桩")});
        s.window.refresh();

        auto* table = s.widget<QTableView>(s.f->Grid2_Youhuajieguo);
        QHeaderView* header = table->horizontalHeader();
        header->moveSection(header->visualIndex(4), 0); // the user drags [P] to the front
        const auto clickAt = [header](int logical) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(logical) + 10, header->height() / 2));
        };
        clickAt(4);
        clickAt(0);
        QCOMPARE(clicked, (QList<int>{4, 0}));

        const QRect cell = table->visualRect(table->model()->index(2, 1));
        // A window system sends press, release, double click, release; Qt Test's double
        // click is only the last two.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(doubleClicked, (QList<QPoint>{QPoint(1, 2)}));
        QCOMPARE(s.f->Grid2_Youhuajieguo.selectedRow(), 2);
    }

    void gridShowsWhatTheFormHolds()
    {
        Screen s;
        StringGrid& grid = s.f->Grid2_Youhuajieguo;
        auto* table = s.widget<QTableView>(grid);
        QCOMPARE(table->model()->rowCount(), 0);
        QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), grid.header(0));
        QVERIFY(!table->isColumnHidden(4));
        QVERIFY(table->isColumnHidden(5));
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(table->horizontalHeader()->sectionsMovable());
        QCOMPARE(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(table->columnWidth(2), 80);

        // A million rows: the table learns the count, not the cells.
        grid.setRowCount(1000000);
        grid.setCell(4, 999999, QStringLiteral("10210"));
        grid.setColumnVisible(5, true);
        grid.setHeader(4, QStringLiteral("[P](kN)↑"));
        s.window.refresh();
        QCOMPARE(table->model()->rowCount(), 1000000);
        QCOMPARE(table->model()->index(999999, 4).data().toString(), QStringLiteral("10210"));
        QCOMPARE(table->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(table->verticalHeader()->length(),
            1000000 * table->verticalHeader()->defaultSectionSize());
        QVERIFY(!table->isColumnHidden(5));
        QCOMPARE(
            table->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("[P](kN)↑"));
        table->scrollToBottom();

        grid.clearRows();
        s.window.refresh();
        QCOMPARE(table->model()->rowCount(), 0);
    }

    void optionsTableEditsThroughTheForm()
    {
        Screen s;
        s.click(s.f->cbt_YouHua);
        QList<QPoint> done;
        s.f->Grid1_Youhuaxuanxiang.onEditingDone
            = [&done](int col, int row) { done << QPoint(col, row); };
        auto* table = s.widget<QTableView>(s.f->Grid1_Youhuaxuanxiang);
        QAbstractItemModel* model = table->model();
        QCOMPARE(model->index(1, 1).data().toString(), s.f->Grid1_Youhuaxuanxiang.cell(1, 1));
        QVERIFY(!(model->flags(model->index(1, 0)) & Qt::ItemIsEditable));
        QVERIFY(model->flags(model->index(1, 1)) & Qt::ItemIsEditable);

        table->setCurrentIndex(model->index(1, 1));
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.selectedRow(), 1);
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.selectedColumn(), 1);
        QVERIFY(model->setData(model->index(1, 1), QStringLiteral("1200")));
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.cell(1, 1), QStringLiteral("1200"));
        QCOMPARE(done, (QList<QPoint>{QPoint(1, 1)}));
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("1200"));

        // Typing into a cell and clicking the next one: the edit lands in the first cell,
        // the selection on the second.
        QTest::keyClick(table, Qt::Key_1); // opens the cell's editor
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("300"));
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.cell(1, 1), QStringLiteral("1200"));
        QTest::mouseClick(
            table->viewport(), Qt::LeftButton, {}, table->visualRect(model->index(2, 2)).center());
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.cell(1, 1), QStringLiteral("1300"));
        QCOMPARE(done.last(), QPoint(1, 1));
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.selectedRow(), 2);
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.selectedColumn(), 2);
        QCOMPARE(table->currentIndex(), model->index(2, 2));

        // Read-only as the form says, at the moment it says it.
        s.f->Grid1_Youhuaxuanxiang.setReadOnly(true);
        QVERIFY(!(model->flags(model->index(1, 1)) & Qt::ItemIsEditable));
    }

    void memosFollowTheFormAndTheTrackBar()
    {
        Screen s;
        s.f->meo_jisuanjieguo_Doc.addLines({QStringLiteral("嵌岩桩计算书"), QStringLiteral("==")});
        s.click(s.f->cbt_compute);
        s.click(s.f->cbt_View);
        QVERIFY(s.shown(s.f->JieGuo_DocLayer));
        auto* book = s.widget<QPlainTextEdit>(s.f->meo_jisuanjieguo_Doc);
        QVERIFY(book->isReadOnly());
        QCOMPARE(book->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(book->toPlainText().split(QLatin1Char('\n')), s.f->meo_jisuanjieguo_Doc.lines());
        QCOMPARE(book->font().pixelSize(), 14);

        auto* slider = s.widget<QSlider>(s.f->tcb_meoFontSize);
        QCOMPARE(slider->minimum(), 4);
        QCOMPARE(slider->maximum(), 24);
        QCOMPARE(slider->value(), 14);
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(s.f->tcb_meoFontSize.value(), 24.0);
        // The memos' size is whatever the form sets it to.
        QCOMPARE(book->font().pixelSize(), qRound(s.f->meo_jisuanjieguo_Doc.fontSize()));
    }

    void reportFontLinesUpChineseAndLatin()
    {
        Screen s;
        auto* memo = s.widget<QPlainTextEdit>(s.f->meo_jisuanjieguo_Xls);
        const QFontInfo info(memo->font());
        if (!QStringList{"SimHei", "Noto Sans Mono CJK SC", "WenQuanYi Micro Hei Mono"}.contains(
                info.family()))
            QSKIP("no monospaced Chinese font installed");
        for (int size = 4; size <= 24; ++size) {
            QFont font = memo->font();
            font.setPixelSize(size);
            const QFontMetricsF metrics(font);
            // Across a whole 190-column table line the two drift apart by less than two
            // pixels (the font's advances are stored in 1/64 pixel).
            const double chinese = metrics.horizontalAdvance(QString(95, QChar(0x4E2D)));
            const double latin = metrics.horizontalAdvance(QString(190, QLatin1Char('0')));
            QVERIFY2(std::abs(chinese - latin) < 2,
                qPrintable(QStringLiteral("size %1: %2 vs %3").arg(size).arg(chinese).arg(latin)));
        }
    }

    void aboutWindowShowsTheAboutForm()
    {
        Screen s;
        QVERIFY(!s.window.aboutWindow());
        s.click(s.f->cbt_CopyRight);
        view::AboutWindow* about = s.window.aboutWindow();
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->size(), QSize(260, 330));
        s.click(s.f->cbt_CopyRight);
        QCOMPARE(s.window.aboutWindow(), about);
        QCOMPARE(s.f->aboutForm()->showCount(), 2);

        TZAV_HBT_FRM_CopyRight& form = *s.f->aboutForm();
        auto* link = qobject_cast<QLabel*>(about->widgetFor(form.lb_danwei));
        Screen::hover(link);
        QCOMPARE(link->text(), form.lb_danwei.text());
        QVERIFY(link->font().bold());
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::Active, QPalette::WindowText),
            QColor::fromRgba(ColorRed));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QCOMPARE(link->text(), Maker().organisation);
        QVERIFY(!link->font().bold());

        bool clicked = false;
        form.lb_lianxiUr.onClick = [&clicked] { clicked = true; };
        QTest::mouseClick(
            qobject_cast<QLabel*>(about->widgetFor(form.lb_lianxiUr)), Qt::LeftButton);
        QVERIFY(clicked);

        // Dismissing it only hides it.
        about->close();
        QVERIFY(!form.isShown());
        s.click(s.f->cbt_CopyRight);
        QVERIFY(about->isVisible());
    }

    void closingTheWindowClosesTheForm()
    {
        Screen s;
        s.window.close();
        QVERIFY(s.f->isClosed());

        Screen t;
        t.click(t.f->cbt_tuichu);
        QVERIFY(t.f->isClosed());
        QVERIFY(!t.window.isVisible());
    }
};

ROCKPILE_TEST(MainWindowTest)
#include "mainwindow_test.moc"
