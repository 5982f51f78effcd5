// The text pool against a plain hash map: the same ids for the same texts, distinct ids
// for distinct texts, every text read back, through growth and across a clear.

#include "core/textpool.h"
#include "tests/testmain.h"

#include <QHash>
#include <QTest>

#include <random>
#include <unordered_map>
#include <vector>

namespace {

// Texts of the kinds a grid holds, drawn so that most of them repeat: short numbers,
// neighbours that differ in one character, Chinese labels, the empty text, a NUL inside
// a text, a lone surrogate and a long one.
QString randomText(std::mt19937& random)
{
    static const QStringList pieces = {QStringLiteral("0"), QStringLiteral("1"),
        QStringLiteral("7"), QStringLiteral("."), QStringLiteral(","), QStringLiteral("-"),
        QStringLiteral("%"), QStringLiteral("d"), QStringLiteral("桩"), QStringLiteral("钻(挖)孔"),
        QString(QChar(0)), QString(QChar(0xD800)), QStringLiteral("  ")};
    std::uniform_int_distribution<int> length(0, 5);
    std::uniform_int_distribution<int> piece(0, int(pieces.size()) - 1);
    std::uniform_int_distribution<int> rare(0, 999);
    if (rare(random) == 0)
        return QString(3000 + rare(random), QLatin1Char('9'));
    QString text;
    for (int n = length(random); n > 0; --n)
        text += pieces[piece(random)];
    return text;
}

struct Oracle {
    std::unordered_map<QString, quint32> ids{{QString(), 0}};
    quint32 idOf(const QString& text)
    {
        return ids.try_emplace(text, quint32(ids.size())).first->second;
    }
};

} // namespace

class TextPoolTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void agreesWithAHashMap()
    {
        std::mt19937 random(20261210);
        core::TextPool pool;
        for (int round = 0; round < 3; ++round) {
            Oracle oracle;
            std::vector<QString> texts;
            std::vector<quint32> expected;
            for (int i = 0; i < 200000; ++i) {
                texts.push_back(randomText(random));
                expected.push_back(oracle.idOf(texts.back()));
            }
            // One by one for the first half, in rows of 17 for the rest.
            std::vector<quint32> ids(texts.size());
            const size_t half = texts.size() / 2;
            for (size_t i = 0; i < half; ++i)
                ids[i] = pool.intern(texts[i]);
            for (size_t i = half; i < texts.size(); i += 17) {
                const size_t n = std::min<size_t>(17, texts.size() - i);
                std::vector<QStringView> row(
                    texts.begin() + qsizetype(i), texts.begin() + qsizetype(i + n));
                pool.internAll(row, std::span(ids.data() + i, n));
            }
            QCOMPARE(pool.size(), quint32(oracle.ids.size()));
            for (size_t i = 0; i < texts.size(); ++i) {
                if (ids[i] != expected[i] || pool.view(ids[i]) != texts[i])
                    QFAIL(qPrintable(QStringLiteral("text %1 \"%2\": id %3, expected %4")
                                         .arg(i)
                                         .arg(texts[i].left(20))
                                         .arg(ids[i])
                                         .arg(expected[i])));
            }
            // Cleared, the pool holds only the empty text and numbers anew from 1.
            pool.clear();
            QCOMPARE(pool.size(), 1u);
            QCOMPARE(pool.view(0), QStringView());
        }
    }
};

ROCKPILE_TEST(TextPoolTest)
#include "textpool_test.moc"
