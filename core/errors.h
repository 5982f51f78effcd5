#pragma once

// The only two ways a core function ends early besides returning: the silent abort
// (an input error has already been shown on screen) and an error the user must be
// told about through the standard error report (a failed strict conversion, a file
// that cannot be written). The form's user-action guard is the one place that catches
// them; nothing else does.

#include <QString>

#include <exception>

namespace core {

// Ends the whole user action quietly; whatever was changed before stays.
struct SilentAbort { };

class ProgramError : public std::exception {
public:
    explicit ProgramError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that the strict conversion does not accept; the message names the text.
class ConversionError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// The same failure named by where its text came from, for the error report:
// "嵌岩深度：“x”不是有效的数值".
inline ConversionError ConversionErrorFrom(const QString& source, const ConversionError& error)
{
    return ConversionError(source + QStringLiteral("：") + error.message());
}

// A result file that could not be created or written.
class FileError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

} // namespace core
