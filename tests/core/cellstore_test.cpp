// The cell store behind the grids: every text reads back as written whatever its column
// kind, the number readings agree with the strict conversion, codes widen as a column
// gains texts, and pile numbers follow the rows' positions at numbering time.

#include "core/cellstore.h"
#include "core/numbers.h"
#include "tests/testmain.h"

#include <QSet>
#include <QTest>

#include <bit>

using namespace core;

Q_DECLARE_METATYPE(core::CellKind)

namespace {

QString read(const CellStore& store, int column, quint32 row)
{
    CellScratch scratch;
    return store.view(column, row, scratch).toString();
}

// Texts of every sort a cell may hold: short numbers that pack, numbers too long or with
// characters that do not, Chinese labels, blanks, a lone surrogate.
const QStringList oddTexts = {"", "0", "-0", "12370", "12345678", "123456789", "123456.78", "-1,5",
    "1.0d", "100%", "1E-7", "NAN", "圆  桩", " 12", "+5", QString(QChar(0xD800)),
    QString(60, QLatin1Char('9')), "%%%%%%%%", "E"};

} // namespace

class CellStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textsReadBackAsWritten_data()
    {
        QTest::addColumn<CellKind>("kind");
        QTest::newRow("texts") << CellKind::Texts;
        QTest::newRow("numbers") << CellKind::Numbers;
        QTest::newRow("pile numbers") << CellKind::PileNumbers;
    }
    void textsReadBackAsWritten()
    {
        QFETCH(CellKind, kind);
        CellStore store;
        store.addColumn(kind);
        store.addColumn(CellKind::Texts);
        for (const QString& text : oddTexts) {
            const QStringView cells[] = {text, u"x"};
            store.appendRow(cells);
        }
        for (int i = 0; i < oddTexts.size(); ++i)
            QCOMPARE(read(store, 0, quint32(i)), oddTexts[i]);
        // Replaced cells and copied rows read back too.
        store.setCell(0, 2, u"-1");
        store.setCell(0, 3, u"圆  桩");
        const quint32 copy = store.appendCopy(3);
        QCOMPARE(read(store, 0, 2), QStringLiteral("-1"));
        QCOMPARE(read(store, 0, copy), QStringLiteral("圆  桩"));
        QCOMPARE(read(store, 1, copy), QStringLiteral("x"));
        store.clear();
        QCOMPARE(store.rowCount(), 0u);
        QCOMPARE(store.columnCount(), 2);
    }

    void numberReadingsAgreeWithTheStrictConversion_data()
    {
        QTest::addColumn<CellKind>("kind");
        QTest::addColumn<QChar>("separator");
        QTest::newRow("numbers, point") << CellKind::Numbers << QChar(u'.');
        QTest::newRow("numbers, comma") << CellKind::Numbers << QChar(u',');
        QTest::newRow("texts, comma") << CellKind::Texts << QChar(u',');
    }
    void numberReadingsAgreeWithTheStrictConversion()
    {
        QFETCH(CellKind, kind);
        QFETCH(QChar, separator);
        const QStringList texts = {"12370", "0", "-0", "007", "1.", ".5", "-.5", "1,5", "1.5", "-",
            ".", ",", "1E5", "99999999", "12.34567", "5%", "-12,25", "0.1", "0,3", "1234567.8",
            "9007199254740993"};
        for (const QString& text : texts) {
            CellStore store;
            store.addColumn(kind);
            const QStringView cells[] = {text};
            const quint32 row = store.appendRow(cells);
            std::vector<double> keys;
            const quint32 rows[] = {row};
            const auto bad = store.numbers(0, rows, separator, keys);
            const auto expected = TryParseStrict(text, separator);
            QVERIFY2(bad.has_value() == !expected.has_value(), qPrintable(text));
            if (expected) // to the last bit, the sign of zero included
                QVERIFY2(std::bit_cast<quint64>(keys[0]) == std::bit_cast<quint64>(*expected),
                    qPrintable(text));
        }
    }

    void codesWidenAsTheColumnGainsTexts_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::addColumn<CellKind>("kind");
        QTest::newRow("one byte") << 200 << CellKind::Texts;
        QTest::newRow("two bytes") << 3000 << CellKind::Texts;
        QTest::newRow("four bytes: 70,000 distinct texts") << 70000 << CellKind::Texts;
        // Numbers too long to pack are kept as texts of the column too.
        QTest::newRow("numbers kept as 70,000 texts") << 70000 << CellKind::Numbers;
    }
    void codesWidenAsTheColumnGainsTexts()
    {
        QFETCH(int, distinct);
        QFETCH(CellKind, kind);
        auto textOf = [kind](int i) {
            return kind == CellKind::Numbers ? QStringLiteral("1234567.%1").arg(i)
                                             : QStringLiteral("d%1").arg(i);
        };
        CellStore store;
        store.addColumn(kind);
        // Empty cells first (no bytes at all), then every text twice, so that the codes
        // widen while rows with narrower ones are there.
        const quint32 empties = 3;
        for (quint32 i = 0; i < empties; ++i)
            store.appendRow({});
        std::vector<quint32> rows;
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < distinct; ++i) {
                const QString text = textOf(i);
                const QStringView cells[] = {text};
                rows.push_back(store.appendRow(cells));
            }
        }
        QCOMPARE(read(store, 0, 0), QString());
        for (size_t i = 0; i < rows.size(); ++i) {
            if (read(store, 0, rows[i]) != textOf(int(i) % distinct))
                QFAIL(qPrintable(QStringLiteral("row %1").arg(rows[i])));
        }

        // A writer sees each text under one id, the same for both of its rows.
        std::vector<CellStore::CellText> cells(rows.size());
        std::vector<CellScratch> scratch(rows.size());
        store.cellTexts(0, rows, cells, scratch);
        QSet<quint32> ids;
        for (size_t i = 0; i < rows.size(); ++i) {
            const CellStore::CellText& cell = cells[i];
            QCOMPARE(cell.text, QStringView(textOf(int(i) % distinct)));
            QVERIFY(cell.id < store.textIdCount(0));
            QCOMPARE(cell.id, cells[i % size_t(distinct)].id);
            ids.insert(cell.id);
        }
        QCOMPARE(ids.size(), qsizetype(distinct));
        const quint32 empty[] = {0};
        store.cellTexts(0, empty, cells, scratch);
        QCOMPARE(cells[0].text, QStringView());
        QVERIFY(!ids.contains(cells[0].id));
    }

    void cellsOfTheirOwnHaveNoTextId()
    {
        // Short numbers live in the cell and pile numbers follow the positions: a writer
        // takes them as they come.
        CellStore store;
        store.addColumn(CellKind::Numbers);
        store.addColumn(CellKind::PileNumbers);
        for (const char16_t* text : {u"12370", u"-0,5", u"123456789"}) {
            const QStringView cells[] = {text};
            store.appendRow(cells);
        }
        const quint32 rows[] = {0, 1, 2};
        store.numberRows(rows, PileNumbering::Final);
        std::vector<CellStore::CellText> cells(3);
        std::vector<CellScratch> scratch(3);
        store.cellTexts(0, rows, cells, scratch);
        QCOMPARE(cells[0].text, QStringView(u"12370"));
        QCOMPARE(cells[0].id, CellStore::NoTextId);
        QCOMPARE(cells[1].text, QStringView(u"-0,5"));
        QCOMPARE(cells[2].text, QStringView(u"123456789"));
        QVERIFY(cells[2].id < store.textIdCount(0));
        store.cellTexts(1, rows, cells, scratch);
        QCOMPARE(cells[2].text, QStringView(u"ZH-3"));
        QCOMPARE(cells[2].id, CellStore::NoTextId);
    }

    void pileNumbersFollowThePositions()
    {
        CellStore store;
        store.addColumn(CellKind::PileNumbers);
        for (int i = 0; i < 12; ++i)
            store.appendRow({});
        std::vector<quint32> rows(12);
        for (quint32 i = 0; i < 12; ++i)
            rows[i] = i;
        QCOMPARE(read(store, 0, 0), QString());
        store.numberRows(rows, PileNumbering::Positions);
        QCOMPARE(read(store, 0, 0), QStringLiteral("1"));
        QCOMPARE(read(store, 0, 11), QStringLiteral("12"));
        store.numberRows(rows, PileNumbering::Final);
        QCOMPARE(read(store, 0, 0), QStringLiteral("ZH-01"));
        QCOMPARE(read(store, 0, 11), QStringLiteral("ZH-12"));
        // Rows numbered in another order take the number of their position then; rows
        // left out keep theirs, shown with the digits of the latest count.
        std::reverse(rows.begin(), rows.end());
        store.numberRows(std::span(rows).first(9), PileNumbering::Final);
        QCOMPARE(read(store, 0, 11), QStringLiteral("ZH-1"));
        QCOMPARE(read(store, 0, 3), QStringLiteral("ZH-9"));
        QCOMPARE(read(store, 0, 2), QStringLiteral("ZH-3"));
        QCOMPARE(read(store, 0, 0), QStringLiteral("ZH-1"));
        // A text of its own stays as it is.
        store.setCell(0, 5, u"桩A");
        QCOMPARE(read(store, 0, 5), QStringLiteral("桩A"));
        QCOMPARE(read(store, 0, store.appendCopy(4)), QStringLiteral("ZH-8"));
    }
};

ROCKPILE_TEST(CellStoreTest)
#include "cellstore_test.moc"
