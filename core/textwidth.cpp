#include "core/textwidth.h"

namespace core {

int WideCharCount(QStringView text)
{
    int count = 0;
    for (QChar c : text) {
        if (c.unicode() >= 0x1000 && c.unicode() <= 0x9FA5)
            ++count;
    }
    return count;
}

QString PadRightTo(const QString& text, const QString& fill, int width)
{
    const int n = width - DisplayWidth(text);
    if (n <= 0)
        return text;
    return text + fill.repeated(n);
}

QString PadLeftTo(const QString& text, const QString& fill, int width)
{
    const int n = width - DisplayWidth(text);
    if (n <= 0)
        return text;
    return fill.repeated(n) + text;
}

QString CenterTo(const QString& text, const QString& fill, int width)
{
    const int n = width - DisplayWidth(text);
    if (n <= 0)
        return text;
    const int right = n / 2;
    const int left = n - right;
    return fill.repeated(left) + text + fill.repeated(right);
}

QString Blanks(int count)
{
    return count <= 0 ? QString() : QString(count, QLatin1Char(' '));
}

} // namespace core
