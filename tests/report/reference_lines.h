#pragma once

// Whole-line comparison of a report with its expected text: blanks count, a missing or
// extra line fails, and the message shows the first line that differs. Expected texts
// live in tests/data as UTF-8 files, one report line per file line.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>

#include <algorithm>

namespace testing_support {

inline QStringList ReadReferenceLines(const QString& fileName)
{
    QFile file(QStringLiteral(ROCKPILE_TEST_DATA "/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot read %1>").arg(file.fileName())};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// Empty when equal; otherwise where and how the two differ.
inline QString LinesDifference(const QStringList& actual, const QStringList& expected)
{
    const qsizetype common = std::min(actual.size(), expected.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (actual[i] != expected[i]) {
            return QStringLiteral("line %1 differs:\n  actual   [%2]\n  expected [%3]")
                .arg(i + 1)
                .arg(actual[i], expected[i]);
        }
    }
    if (actual.size() != expected.size()) {
        return QStringLiteral("%1 lines, expected %2; first unmatched: [%3]")
            .arg(actual.size())
            .arg(expected.size())
            .arg(actual.size() > common ? actual[common] : expected[common]);
    }
    return QString();
}

} // namespace testing_support

#define COMPARE_LINES(actual, expected)                                                            \
    do {                                                                                           \
        const QString difference_ = testing_support::LinesDifference((actual), (expected));        \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)
