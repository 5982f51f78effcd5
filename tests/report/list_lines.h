#pragma once

// One data line of the optimization list file, laid out here from a row's 17 cell texts
// with the width functions, field by field, independently of the list writer.

#include "core/textwidth.h"

#include <QString>

#include <functional>

namespace testing_support {

// `cell(column)` gives the row's texts; the row stands at `position` (from 1) of `count`.
inline QString ExpectedListLine(
    const std::function<QString(int column)>& cell, qint64 position, qint64 count)
{
    auto blanks = [](int n) { return core::Blanks(n); };
    auto padLeft = [&](const QString& t, int w, int gap) {
        return core::PadLeftTo(t, QStringLiteral(" "), w) + blanks(gap);
    };
    auto centred
        = [&](const QString& t) { return core::CenterTo(t, QStringLiteral(" "), 8) + blanks(2); };
    const QString dash = centred(QStringLiteral("-"));
    const QString number = QStringLiteral("ZH-")
        + core::PadLeftTo(
            QString::number(position), QStringLiteral("0"), int(QString::number(count).size()));
    QString line = blanks(1) + centred(number) + centred(cell(1));
    const QString section = cell(1);
    if (section == QStringLiteral("圆  桩"))
        line += padLeft(cell(2), 6, 4) + dash + dash + dash;
    else if (section == QStringLiteral("椭圆桩"))
        line += padLeft(cell(2), 6, 4) + padLeft(cell(3), 6, 4) + dash + dash;
    else
        line += dash + dash + padLeft(cell(2), 6, 4) + padLeft(cell(3), 6, 4);
    line += padLeft(cell(5), 6, 4) + padLeft(cell(6), 6, 4) + centred(cell(7)) + centred(cell(8));
    if (cell(7) == QStringLiteral("打入震沉"))
        line += centred(cell(9)) + padLeft(cell(12), 7, 3) + padLeft(cell(13), 6, 4) + dash + dash
            + dash;
    else
        line += centred(cell(10)) + padLeft(cell(12), 7, 3) + padLeft(cell(13), 6, 4)
            + centred(cell(11)) + padLeft(cell(14), 7, 3) + padLeft(cell(15), 6, 4);
    return line + padLeft(cell(4), 7, 2);
}

} // namespace testing_support
