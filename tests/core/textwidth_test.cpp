#include "core/textwidth.h"
#include "tests/testmain.h"

#include <QTest>

using namespace core;

class TextWidthTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wideCharCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wide");
        QTest::addColumn<int>("width");
        QTest::newRow("message") << "桩身直径数据有错" << 8 << 16;
        QTest::newRow("brackets are narrow") << "钻(挖)孔" << 3 << 8;
        QTest::newRow("fullwidth colon is narrow") << "计算时间：" << 4 << 9;
        QTest::newRow("em dash counts wide") << QString(QChar(0x2014)) << 1 << 2;
        QTest::newRow("ideographic comma") << "、" << 1 << 2;
        QTest::newRow("range start U+1000") << QString(QChar(0x1000)) << 1 << 2;
        QTest::newRow("below the range") << QString(QChar(0x0FFF)) << 0 << 1;
        QTest::newRow("range end U+9FA5") << QString(QChar(0x9FA5)) << 1 << 2;
        QTest::newRow("above the range") << QString(QChar(0x9FA6)) << 0 << 1;
        QTest::newRow("sort marks") << "▲▼" << 2 << 4;
        QTest::newRow("surrogate pair counts two narrow units") << "😀" << 0 << 2;
        QTest::newRow("empty") << "" << 0 << 0;
    }
    void wideCharCount()
    {
        QFETCH(QString, text);
        QFETCH(int, wide);
        QFETCH(int, width);
        QCOMPARE(WideCharCount(text), wide);
        QCOMPARE(DisplayWidth(text), width);
    }

    void fill_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left 1000 to 6") << "left"
                                        << "1000"
                                        << " " << 6 << "  1000";
        QTest::newRow("right ZH12 to 6") << "right"
                                         << "ZH12"
                                         << " " << 6 << "ZH12  ";
        QTest::newRow("center dash to 8") << "center"
                                          << "-"
                                          << " " << 8 << "    -   ";
        QTest::newRow("center 1000 to 8") << "center"
                                          << "1000"
                                          << " " << 8 << "  1000  ";
        QTest::newRow("center 25.00 to 8") << "center"
                                           << "25.00"
                                           << " " << 8 << "  25.00 ";
        QTest::newRow("center 较软岩 to 8") << "center"
                                            << "较软岩"
                                            << " " << 8 << " 较软岩 ";
        QTest::newRow("center 软岩 to 8") << "center"
                                          << "软岩"
                                          << " " << 8 << "  软岩  ";
        QTest::newRow("center empty to 8") << "center"
                                           << ""
                                           << " " << 8 << "        ";
        QTest::newRow("left too wide") << "left"
                                       << "123456789"
                                       << " " << 6 << "123456789";
        QTest::newRow("right too wide") << "right"
                                        << "123456789"
                                        << " " << 6 << "123456789";
        QTest::newRow("center too wide") << "center"
                                         << "123456789"
                                         << " " << 6 << "123456789";
        QTest::newRow("two-character fill repeats n times") << "left"
                                                            << "ab"
                                                            << "xy" << 5 << "xyxyxyab";
        QTest::newRow("zero fill for a number") << "left"
                                                << "7"
                                                << "0" << 3 << "007";
        QTest::newRow("marked header has no blank") << "left"
                                                    << "[P](kN)▲"
                                                    << " " << 8 << "[P](kN)▲";
        QTest::newRow("unmarked header one blank") << "left"
                                                   << "[P](kN)"
                                                   << " " << 8 << " [P](kN)";
    }
    void fill()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, fill);
        QFETCH(int, width);
        QFETCH(QString, expected);
        const QString actual = kind == "left" ? PadLeftTo(text, fill, width)
            : kind == "right"                 ? PadRightTo(text, fill, width)
                                              : CenterTo(text, fill, width);
        QCOMPARE(actual, expected);
    }

    void blanks()
    {
        QCOMPARE(Blanks(3), QStringLiteral("   "));
        QCOMPARE(Blanks(0), QString());
        QCOMPARE(Blanks(-4), QString());
    }
};

ROCKPILE_TEST(TextWidthTest)
#include "textwidth_test.moc"
