// The table model over a headless grid: consistent for Qt's views through every way
// the program changes a grid (appending, emptying, resizing, reordering, headers).

#include "tests/formfixture.h"
#include "tests/testmain.h"
#include "view/gridtable.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace ui;

class GridModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passesTheModelTester()
    {
        FormFixture f;
        StringGrid& grid = f->Grid2_Youhuajieguo;
        view::StringGridModel model(grid);
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        for (int row = 0; row < 5; ++row)
            grid.appendRow(std::array<QString, 3>{
                QString::number(row + 1), QStringLiteral("矩形桩"), QStringLiteral("2000")});
        model.sync();
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.columnCount(), 17);
        QCOMPARE(model.index(4, 0).data().toString(), QStringLiteral("5"));
        QCOMPARE(model.index(4, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(model.index(0, 16).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignLeft | Qt::AlignVCenter);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));

        // Same shape, new contents: one dataChanged, no reset.
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        const std::array<quint32, 5> reversed{4, 3, 2, 1, 0};
        grid.reorderRows(reversed);
        model.sync();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("5"));
        model.sync();
        QCOMPARE(changes.count(), 1);

        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        grid.setHeader(2, QStringLiteral("d|a(mm)↓"));
        model.sync();
        QCOMPARE(headers.count(), 1);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("d|a(mm)↓"));

        // The grid shrinks inside an action: reading before the sync is harmless.
        grid.clearRows();
        QCOMPARE(model.index(4, 0).data().toString(), QString());
        model.sync();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 0);

        grid.setRowCount(3);
        grid.setCell(0, 2, QStringLiteral("ZH-3"));
        model.sync();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("ZH-3"));
    }
};

ROCKPILE_TEST(GridModelTest)
#include "gridmodel_test.moc"
