#pragma once

// The tests read the result files back as the program writes them: in the system's ANSI
// code page on Windows, which they expect to be a Chinese one (936), and in GBK
// elsewhere.

#include <QStringDecoder>

inline QStringDecoder ResultFileDecoder()
{
#ifdef Q_OS_WIN
    return QStringDecoder(QStringConverter::System);
#else
    return QStringDecoder("GBK");
#endif
}
