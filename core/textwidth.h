#pragma once

// Display-width layout for the fixed-column reports, grid headers and files. A code unit
// from U+1000 to U+9FA5 takes two columns (the Chinese report font draws it twice as
// wide as a Latin letter), every other code unit one. The fill functions never shorten
// their text: a value wider than its cell pushes the rest of the line to the right.

#include <QString>
#include <QStringView>

namespace core {

int WideCharCount(QStringView text);
inline int DisplayWidth(QStringView text)
{
    return static_cast<int>(text.size()) + WideCharCount(text);
}

// n = width - display width of text; fill is repeated n times (n counts repetitions,
// not columns, for a fill of more than one character).
QString PadRightTo(const QString& text, const QString& fill, int width);
QString PadLeftTo(const QString& text, const QString& fill, int width);
// The odd repetition goes to the left.
QString CenterTo(const QString& text, const QString& fill, int width);
QString Blanks(int count);

} // namespace core
