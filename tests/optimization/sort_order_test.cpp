// The row order of the result sort against a literal exchange sort: the same
// permutation, ties included, on many small tie-heavy inputs, on structured ones and on
// a few larger ones. Agreement with a stable sort would prove nothing: on small
// tie-heavy inputs the two differ most of the time.

#include "optimization/sort_order.h"
#include "tests/testmain.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

// The grid's sort as its users know it: for each i, scan j = i..n-1 and swap rows i and j
// whenever a > c or the two keys cannot be compared; a is the key at i after each swap.
std::vector<quint32> literalExchangeSort(std::vector<double> keys)
{
    std::vector<quint32> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    for (size_t i = 0; i < keys.size(); ++i) {
        double a = keys[i];
        for (size_t j = i; j < keys.size(); ++j) {
            const double c = keys[j];
            if (a > c || !(a <= c || a > c)) {
                std::swap(keys[i], keys[j]);
                std::swap(order[i], order[j]);
                a = c;
            }
        }
    }
    return order;
}

std::vector<quint32> stableOrder(const std::vector<double>& keys)
{
    std::vector<quint32> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(
        order.begin(), order.end(), [&](quint32 a, quint32 b) { return keys[a] < keys[b]; });
    return order;
}

QString describe(const std::vector<double>& keys)
{
    QStringList texts;
    for (double k : keys)
        texts << QString::number(k);
    return texts.join(QLatin1Char(' '));
}

} // namespace

class SortOrderTest : public QObject {
    Q_OBJECT

    static void compareWithLiteral(const std::vector<double>& keys)
    {
        const auto expected = literalExchangeSort(keys);
        const auto actual = optimization::ExchangeSortOrder(keys);
        if (actual != expected)
            QFAIL(qPrintable(
                QStringLiteral("order differs for keys %1").arg(describe(keys).left(400))));
    }

private Q_SLOTS:
    void documentedExamples()
    {
        // [P] 2, 2, 1: the 1, then the second 2, then the first 2.
        QCOMPARE(optimization::ExchangeSortOrder(std::vector<double>{2, 2, 1}),
            (std::vector<quint32>{2, 1, 0}));
        QCOMPARE(optimization::ExchangeSortOrder(std::vector<double>{3, 1, 3, 2, 3, 1, 2, 3}),
            (std::vector<quint32>{1, 5, 3, 6, 4, 2, 0, 7}));
        QCOMPARE(optimization::ExchangeSortOrder(std::vector<double>{}), std::vector<quint32>{});
        QCOMPARE(optimization::ExchangeSortOrder(std::vector<double>{7}), std::vector<quint32>{0});
    }

    void randomTieHeavyKeys()
    {
        std::mt19937 random(1);
        int differentFromStable = 0;
        for (int trial = 0; trial < 6000; ++trial) {
            const int n = std::uniform_int_distribution<int>(2, trial < 5000 ? 40 : 300)(random);
            const int alphabet = std::uniform_int_distribution<int>(1, 6)(random);
            std::uniform_int_distribution<int> key(1, alphabet);
            std::vector<double> keys(static_cast<size_t>(n));
            for (double& k : keys)
                k = key(random);
            compareWithLiteral(keys);
            differentFromStable
                += optimization::ExchangeSortOrder(keys) != stableOrder(keys) ? 1 : 0;
        }
        // The inputs do exercise the unstable order.
        QVERIFY(differentFromStable > 3000);
    }

    void structuredKeys_data()
    {
        QTest::addColumn<std::vector<double>>("keys");
        auto make = [](int n, auto f) {
            std::vector<double> keys(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                keys[static_cast<size_t>(i)] = f(i, n);
            return keys;
        };
        QTest::newRow("ascending") << make(200, [](int i, int) { return double(i); });
        QTest::newRow("descending") << make(200, [](int i, int n) { return double(n - i); });
        QTest::newRow("all equal") << make(200, [](int, int) { return 5.0; });
        QTest::newRow("sawtooth") << make(240, [](int i, int) { return double(i % 7); });
        QTest::newRow("organ pipe")
            << make(201, [](int i, int n) { return double(std::min(i, n - 1 - i)); });
        QTest::newRow("descending with ties")
            << make(240, [](int i, int n) { return double((n - i) / 4); });
        QTest::newRow("ascending with ties") << make(240, [](int i, int) { return double(i / 5); });
        QTest::newRow("two runs") << make(200, [](int i, int) { return double(i % 100); });
        QTest::newRow("alternating") << make(200, [](int i, int) { return double(i % 2); });
        QTest::newRow("minus zero beside zero")
            << std::vector<double>{0.0, -0.0, 1.0, -0.0, 0.0, -1.0, -0.0, 0.0, 0.0, -1.0};
        QTest::newRow("run order of a list") << std::vector<double>{12370, 8247, 18143, 14294,
            14137, 9425, 20734, 16336, 22542, 17614, 26941, 20934, 12370, 8247, 18143, 14294};
    }
    void structuredKeys()
    {
        QFETCH(std::vector<double>, keys);
        compareWithLiteral(keys);
    }

    void largerKeys()
    {
        std::mt19937 random(2);
        for (int alphabet : {2, 30, 1000}) {
            std::vector<double> keys(4000);
            std::uniform_int_distribution<int> key(0, alphabet);
            for (double& k : keys)
                k = key(random);
            compareWithLiteral(keys);
        }
    }
};

ROCKPILE_TEST(SortOrderTest)
#include "sort_order_test.moc"
