// The list file as its writer reads a result grid's store: whatever width the store
// gives a column's codes, and however long a text, every cell comes out whole in its
// field.

#include "core/cellstore.h"
#include "core/result_schema.h"
#include "report/optimization_table.h"
#include "tests/report/list_lines.h"
#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"

#include <QStringDecoder>
#include <QTest>

#include <functional>

using RowTexts = std::function<QStringList(int row)>;
Q_DECLARE_METATYPE(RowTexts)

namespace {

// A bored round pile whose dimension, strength and forces the row chooses.
QStringList boredRow(const QString& d, const QString& strength, const QString& Pp,
    const QString& Ps, const QString& P = QStringLiteral("12370"))
{
    return {"", "圆  桩", d, "-", P, "1.0d", strength, "钻(挖)孔", "良好", "-", "0.50", "0.04", Pp,
        "76%", Ps, "24%", ""};
}

} // namespace

class ListFileStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCellInItsField_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<RowTexts>("texts");
        QTest::newRow("one-byte codes, forces in the cells") << 50 << RowTexts([](int i) {
            return boredRow(QString::number(1000 + i), "35.00", QString::number(13744 + i),
                QString::number(4398 * i));
        });
        // 70,000 distinct dimensions widen their column's codes to four bytes; forces too
        // long to keep in the cell become 70,000 texts of their column.
        QTest::newRow("four-byte codes") << 70000 << RowTexts([](int i) {
            return boredRow(QString::number(100000 + i), "35.00",
                QStringLiteral("13744.%1").arg(i, 5, 10, QLatin1Char('0')),
                QStringLiteral("4398.%1").arg(i, 6, 10, QLatin1Char('0')));
        });
        // Fields wider than the writer's line buffer go round it, whole.
        QTest::newRow("texts longer than a line's buffer") << 3 << RowTexts([](int i) {
            return boredRow("1000", QString(3000 + i, QLatin1Char('5')),
                QString(2000, QLatin1Char('7')), "4398", QString(1500, QChar(u'桩')));
        });
    }
    void everyCellInItsField()
    {
        QFETCH(int, rows);
        QFETCH(RowTexts, texts);
        core::CellStore store;
        for (int column = 0; column < core::ResultColumnCount; ++column)
            store.addColumn(core::ResultCellKind(column));
        std::vector<quint32> order;
        for (int i = 0; i < rows; ++i) {
            const QStringList row = texts(i);
            const std::vector<QStringView> cells(row.begin(), row.end());
            order.push_back(store.appendRow(cells));
        }
        QByteArray bytes;
        report::StreamOptimizationTable(
            store, order, QStringLiteral("嵌岩桩优化计算原始结果"),
            [] { return QStringLiteral("2026/12/10 9:05:03"); },
            [&bytes](QByteArrayView chunk) { bytes += chunk; });
        QStringDecoder decoder = ResultFileDecoder();
        const QStringList lines = QString(decoder(bytes)).split(QStringLiteral("\r\n"));
        QVERIFY(!decoder.hasError());
        QCOMPARE(lines.size(), qsizetype(5 + rows + 4 + 1));
        for (int i = 0; i < rows; ++i) {
            const QStringList row = texts(i);
            const QString expected = testing_support::ExpectedListLine(
                [&row](int column) { return row[column]; }, i + 1, rows);
            if (lines[5 + i] != expected)
                QFAIL(qPrintable(QStringLiteral("line of row %1 differs").arg(i)));
        }
    }
};

ROCKPILE_TEST(ListFileStoreTest)
#include "list_file_store_test.moc"
