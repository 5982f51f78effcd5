#include "tests/testmain.h"

#include "core/errors.h"
#include "report/resultfile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ResultFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII unchanged") << "ZH1  0.79 m^2\r\n" << QByteArray("ZH1  0.79 m^2\r\n");
        QTest::newRow("two bytes per Chinese character")
            << "嵌岩桩计算书" << QByteArray::fromHex("c7b6d1d2d7aebcc6cbe3cae9");
        QTest::newRow("fullwidth colon and ideographic comma")
            << "计算时间：、" << QByteArray::fromHex("bcc6cbe3cab1bce4a3baa1a2");
        QTest::newRow("no room in the code page")
            << QStringLiteral("a\u0080b\u0e01") << QByteArray("a?b?");
        QTest::newRow("surrogate pair is one ?")
            << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        QTest::newRow("lone high surrogate")
            << QString(QChar(0xD800)) + QStringLiteral("x") << QByteArray("?x");
        QTest::newRow("lone low surrogate")
            << QStringLiteral("x") + QChar(0xDC00) << QByteArray("x?");
        // No look-alike takes the place of a character the code page lacks.
        QTest::newRow("no look-alike") << QStringLiteral("a\u00A0b\u00C0") << QByteArray("a?b?");
        // Invisible characters have no code either: each one is a "?", not nothing.
        QTest::newRow("soft hyphen") << QStringLiteral("a\u00ADb") << QByteArray("a?b");
        QTest::newRow("zero-width and direction marks")
            << QStringLiteral("\u200B\u200C\u200D\u200E\u200F") << QByteArray("?????");
        QTest::newRow("embeddings and overrides")
            << QStringLiteral("\u202A\u202B\u202C\u202D\u202E") << QByteArray("?????");
        QTest::newRow("word joiner and invisible operators")
            << QStringLiteral("\u2060\u2061\u2064\u2066\u2069\u206F") << QByteArray("??????");
        QTest::newRow("byte-order mark inside a text")
            << QStringLiteral("x\uFEFFy") << QByteArray("x?y");
        QTest::newRow("variation selector")
            << QStringLiteral("桩\uFE0F") << QByteArray::fromHex("d7ae3f");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(report::EncodeResultText(text), bytes);
    }

    // The cached per-unit bytes agree with the converter for every character it knows,
    // and every character it drops is one "?".
    void encodingAgreesWithConverter()
    {
#ifdef Q_OS_WIN
        QSKIP("The table is GBK's; on Windows the system converts, and Qt has no GBK there");
#endif
        QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
        QVERIFY(gbk.isValid());
        QString all;
        QByteArray expected;
        for (char32_t u = 1; u <= 0xFFFF; ++u) {
            if (QChar::isSurrogate(u))
                continue;
            const QChar c(static_cast<char16_t>(u));
            all += c;
            const QByteArray bytes = gbk.encode(QStringView(&c, 1));
            // What the converter drops without a trace is a "?" in our files.
            expected += bytes.isEmpty() ? QByteArray("?") : bytes;
        }
        QCOMPARE(report::EncodeResultText(all), expected);
    }

    // A pair split between two writes is still one "?"; text far beyond one buffer comes
    // out as the same bytes as in one piece.
    void writerStreamsInPieces()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        QString big;
        for (int i = 0; i < 60000; ++i)
            big += QStringLiteral("   ZH-%1  圆  桩    1000   10210.18 钻(挖)孔\r\n").arg(i);
        {
            report::ResultFileWriter writer(path);
            writer.write(QStringLiteral("a\U0001F600").first(2));
            writer.write(QStringLiteral("\U0001F600b").sliced(1));
            writer.write(big);
            writer.commit();
        }
        QCOMPARE(readFile(path), QByteArray("a?b") + report::EncodeResultText(big));
    }

    void reportFileLayout()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.txt"));
        report::WriteReportFile(path, {QStringLiteral("桩"), QString(), QStringLiteral("ZH1 ")});
        QCOMPARE(readFile(path), QByteArray::fromHex("d7ae") + "\r\n\r\nZH1 ");
        // A shorter second save replaces the file completely.
        report::WriteReportFile(path, {QStringLiteral("x")});
        QCOMPARE(readFile(path), QByteArray("x"));
        report::WriteReportFile(path, {});
        QCOMPARE(readFile(path), QByteArray());
    }

    void unfinishedWriteKeepsEarlierFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.txt"));
        writeFile(path, "earlier");
        {
            report::ResultFileWriter writer(path);
            writer.write(QString(3 << 20, QLatin1Char('x'))); // several blocks already written
        }
        QCOMPARE(readFile(path), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("book.txt")});
    }

    void resultFilePath()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.txt");
        const QString missing = dir.filePath(QStringLiteral("文档/新"));
        QCOMPARE(report::ResultFilePath(missing, name),
            QDir::toNativeSeparators(missing + QLatin1Char('/') + name));
        QVERIFY(QDir(missing).exists());
        QCOMPARE(report::ResultFilePath(missing + QLatin1Char('/'), name),
            QDir::toNativeSeparators(missing + QLatin1Char('/') + name));
    }

    // Never the root of the file system, never a folder that cannot exist: an error that
    // names the file, and nothing written.
    void resultFilePathRefused_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("named");
        QTest::newRow("no documents folder") << ""
                                             << "嵌岩桩计算书";
        QTest::newRow("blank documents folder") << "  "
                                                << "嵌岩桩计算书";
        QTest::newRow("folder inside a file") << "FILE/文档"
                                              << "文档";
    }
    void resultFilePathRefused()
    {
        QFETCH(QString, folder);
        QFETCH(QString, named);
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("FILE")), "a file, not a folder");
        folder.replace(QStringLiteral("FILE"), dir.filePath(QStringLiteral("FILE")));
        try {
            report::ResultFilePath(
                folder, QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.txt"));
            QFAIL("no error");
        } catch (const core::FileError& error) {
            QVERIFY2(error.message().contains(named), qPrintable(error.message()));
        }
    }

    void writerRefusesUncreatableFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("FILE")), "a file, not a folder");
        const QString path = dir.filePath(QStringLiteral("FILE/book.txt"));
        try {
            report::ResultFileWriter writer(path);
            QFAIL("no error");
        } catch (const core::FileError& error) {
            QVERIFY2(error.message().contains(QDir::toNativeSeparators(path))
                    || error.message().contains(QStringLiteral("FILE")),
                qPrintable(error.message()));
        }
    }
};

ROCKPILE_TEST(ResultFileTest)
#include "resultfile_test.moc"
