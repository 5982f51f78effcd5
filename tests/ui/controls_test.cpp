#include "core/errors.h"
#include "core/result_schema.h"
#include "tests/testmain.h"
#include "ui/controls.h"
#include "ui/guard.h"
#include "ui/stringgrid.h"

#include <QTest>

#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

using namespace ui;

namespace {
// A form of two controls, recording what its guard reports.
struct TestForm : ActionGuard {
    QStringList reports;
    int depth = 0;
    void runUserAction(const std::function<void()>& action) override
    {
        RunGuarded(
            action, [this](const QString& m) { reports << m; }, depth);
    }
};
} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changeFiresOnlyOnRealChange()
    {
        TestForm form;
        Layer screen(form, nullptr, QStringLiteral("screen"));
        ComboEdit edit(form, &screen, QStringLiteral("edit"));
        ComboBox box(form, &screen, QStringLiteral("box"));
        int edits = 0;
        int boxes = 0;
        edit.onChange = [&] { ++edits; };
        box.onChange = [&] { ++boxes; };
        edit.setItems({QStringLiteral("a"), QStringLiteral("b")});
        box.setItems({QStringLiteral("x"), QStringLiteral("y")});
        edit.setText(QStringLiteral("a"));
        edit.setText(QStringLiteral("a"));
        edit.commit(QStringLiteral("a"));
        edit.pick(0);
        QCOMPARE(edits, 1);
        QCOMPARE(edit.itemIndex(), 0);
        edit.pick(1);
        QCOMPARE(edits, 2);
        QCOMPARE(edit.text(), QStringLiteral("b"));
        edit.commit(QStringLiteral("typed"));
        QCOMPARE(edit.itemIndex(), -1);
        box.setItemIndex(1);
        box.setItemIndex(1);
        box.pick(1);
        box.pick(7); // no such item
        QCOMPARE(boxes, 1);
        QCOMPARE(box.text(), QStringLiteral("y"));
    }

    void handlersCascadeInsideTheSetter()
    {
        TestForm form;
        ComboBox first(form, nullptr, QStringLiteral("first"));
        Edit second(form, nullptr, QStringLiteral("second"));
        QStringList order;
        first.setItems({QStringLiteral("0"), QStringLiteral("1")});
        first.onChange = [&] {
            order << QStringLiteral("first begins");
            second.setText(first.text());
            order << QStringLiteral("first ends");
        };
        second.onChange = [&] { order << QStringLiteral("second"); };
        first.setItemIndex(1);
        QCOMPARE(order,
            QStringList({QStringLiteral("first begins"), QStringLiteral("second"),
                QStringLiteral("first ends")}));
    }

    void userCannotReachHiddenOrDisabledControls()
    {
        TestForm form;
        Layer screen(form, nullptr, QStringLiteral("screen"));
        GroupBox group(form, &screen, QStringLiteral("group"));
        Button button(form, &group, QStringLiteral("button"));
        int clicks = 0;
        button.onClick = [&] { ++clicks; };
        button.click();
        group.setEnabled(false);
        button.click();
        group.setEnabled(true);
        screen.setVisible(false);
        button.click();
        screen.setVisible(true);
        button.setVisible(false);
        button.click();
        QCOMPARE(clicks, 1);
    }

    void guardTurnsErrorsIntoReports()
    {
        TestForm form;
        Button button(form, nullptr, QStringLiteral("button"));
        QString stage;
        button.onClick = [&] {
            stage = QStringLiteral("begun");
            if (form.reports.isEmpty())
                throw core::ConversionError(QStringLiteral("“x”不是有效的数值"));
            throw core::SilentAbort();
        };
        button.click();
        QCOMPARE(form.reports, QStringList({QStringLiteral("“x”不是有效的数值")}));
        button.click(); // the silent abort shows nothing
        QCOMPARE(form.reports.size(), 1);
        button.onClick = [] { throw std::runtime_error("disk full"); };
        button.click();
        QCOMPARE(form.reports.last(), QStringLiteral("disk full"));
        QCOMPARE(form.depth, 0);
    }

    void trackBarClampsAndKeepsRealValues()
    {
        TestForm form;
        TrackBar bar(form, nullptr, QStringLiteral("bar"));
        bar.setRange(4, 24);
        int changes = 0;
        bar.onChange = [&] { ++changes; };
        bar.slide(30);
        QCOMPARE(bar.value(), 24.0);
        bar.slide(4.5);
        QCOMPARE(bar.value(), 4.5);
        bar.slide(-1);
        QCOMPARE(bar.value(), 4.0);
        bar.slide(4);
        QCOMPARE(changes, 3);
    }

    void gridStoresRowsCompactly()
    {
        TestForm form;
        StringGrid grid(form, nullptr, QStringLiteral("grid"));
        StringColumn a(form, grid, QStringLiteral("a"));
        StringColumn b(form, grid, QStringLiteral("b"));
        const QString row0[] = {QStringLiteral("圆  桩"), QStringLiteral("1000")};
        const QString row1[] = {QStringLiteral("圆  桩"), QStringLiteral("1500")};
        grid.appendRow(row0);
        grid.appendRow(row1);
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cell(0, 1), QStringLiteral("圆  桩"));
        QCOMPARE(grid.cell(1, 1), QStringLiteral("1500"));
        QCOMPARE(grid.cell(5, 5), QString());
        const quint32 reversed[] = {1, 0};
        grid.reorderRows(reversed);
        QCOMPARE(grid.cell(1, 0), QStringLiteral("1500"));
        StringGrid copy(form, nullptr, QStringLiteral("copy"));
        StringColumn c(form, copy, QStringLiteral("c"));
        StringColumn d(form, copy, QStringLiteral("d"));
        copy.appendRowFrom(grid, 1);
        QCOMPARE(copy.cell(1, 0), QStringLiteral("1000"));
        grid.clearRows();
        QCOMPARE(grid.rowCount(), 0);
        QCOMPARE(grid.cell(0, 0), QString());
    }

    void gridsSharingRowsChangeOnlyThemselves()
    {
        TestForm form;
        StringGrid full(form, nullptr, QStringLiteral("full"));
        StringGrid part(form, nullptr, QStringLiteral("part"));
        StringColumn fullA(form, full, QStringLiteral("a"));
        StringColumn fullB(form, full, QStringLiteral("b"));
        StringColumn partA(form, part, QStringLiteral("a"));
        StringColumn partB(form, part, QStringLiteral("b"));
        for (int i = 0; i < 4; ++i)
            full.appendRow(std::array<QString, 2>{QString::number(i), QStringLiteral("x")});
        part.appendRowFrom(full, 3);
        part.appendRowFrom(full, 1);
        QCOMPARE(&part.store(), &full.store()); // a copy is the row's number
        // A change in either grid stays in that grid.
        part.setCell(1, 0, QStringLiteral("changed"));
        full.setCell(0, 1, QStringLiteral("9"));
        QCOMPARE(full.cell(1, 3), QStringLiteral("x"));
        QCOMPARE(part.cell(1, 0), QStringLiteral("changed"));
        QCOMPARE(part.cell(0, 1), QStringLiteral("1"));
        QCOMPARE(full.cell(0, 1), QStringLiteral("9"));
        full.reverseRows();
        QCOMPARE(full.cell(0, 0), QStringLiteral("3"));
        QCOMPARE(part.cell(0, 0), QStringLiteral("3"));
        // Emptied, a grid gives its rows' memory back unless another grid shows them.
        part.clearRows();
        full.clearRows();
        QCOMPARE(full.store().rowCount(), 0u);
        QCOMPARE(part.store().rowCount(), 0u);
    }

    // Appending whole rows and writing the same texts cell by cell give the same grid,
    // in every kind of result column: texts, packed numbers and the pile numbers; and
    // so does overwriting cells afterwards.
    void gridAppendAgreesWithCellWrites()
    {
        static const QStringList texts = {QString(), QStringLiteral("0"), QStringLiteral("-0"),
            QStringLiteral("12345678"), QStringLiteral("123456789"), QStringLiteral("1,5"),
            QStringLiteral("10210.18"), QStringLiteral("1.2E5"), QStringLiteral("-"),
            QStringLiteral("76%"), QStringLiteral("100%"), QStringLiteral("e"),
            QStringLiteral("ZH-001"), QStringLiteral("17"), QStringLiteral("圆  桩"),
            QStringLiteral("钻(挖)孔"), QStringLiteral(" 1 "), QString(40, QLatin1Char('5'))};
        TestForm form;
        StringGrid appended(form, nullptr, QStringLiteral("appended"), core::ResultCellKind);
        StringGrid written(form, nullptr, QStringLiteral("written"), core::ResultCellKind);
        std::vector<std::unique_ptr<StringColumn>> columns;
        for (StringGrid* grid : {&appended, &written}) {
            for (int c = 0; c < core::ResultColumnCount; ++c)
                columns.push_back(std::make_unique<StringColumn>(form, *grid, QString::number(c)));
        }
        std::mt19937 random(7);
        std::uniform_int_distribution<int> pick(0, int(texts.size()) - 1);
        const int rows = 3000;
        for (int r = 0; r < rows; ++r) {
            std::vector<QString> row(size_t(core::ResultColumnCount));
            for (QString& cell : row)
                cell = texts[pick(random)];
            appended.appendRow(row);
            written.setRowCount(r + 1);
            for (int c = 0; c < core::ResultColumnCount; ++c)
                written.setCell(c, r, row[size_t(c)]);
        }
        auto compare = [&] {
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < core::ResultColumnCount; ++c) {
                    if (appended.cell(c, r) != written.cell(c, r))
                        return QStringLiteral("cell %1, %2: \"%3\" against \"%4\"")
                            .arg(c)
                            .arg(r)
                            .arg(appended.cell(c, r), written.cell(c, r));
                }
            }
            return QString();
        };
        QCOMPARE(compare(), QString());
        std::uniform_int_distribution<int> anyRow(0, rows - 1);
        std::uniform_int_distribution<int> anyColumn(0, core::ResultColumnCount - 1);
        for (int i = 0; i < 5000; ++i) {
            const int r = anyRow(random);
            const int c = anyColumn(random);
            const QString& text = texts[pick(random)];
            appended.setCell(c, r, text);
            written.setCell(c, r, text);
            QCOMPARE(appended.cell(c, r), text);
        }
        QCOMPARE(compare(), QString());
    }

    void gridEditingFollowsReadOnly()
    {
        TestForm form;
        StringGrid grid(form, nullptr, QStringLiteral("grid"));
        StringColumn a(form, grid, QStringLiteral("a"));
        StringColumn b(form, grid, QStringLiteral("b"));
        b.setReadOnly(true);
        grid.setRowCount(1);
        int done = 0;
        grid.onEditingDone = [&](int, int) { ++done; };
        grid.editCell(0, 0, QStringLiteral("x"));
        grid.editCell(1, 0, QStringLiteral("y"));
        grid.editCell(3, 3, QStringLiteral("z"));
        QCOMPARE(grid.cell(0, 0), QStringLiteral("x"));
        QCOMPARE(grid.cell(1, 0), QString());
        QCOMPARE(done, 1);
        QCOMPARE(grid.selectedColumn(), 1);
    }
};

ROCKPILE_TEST(ControlsTest)
#include "controls_test.moc"
