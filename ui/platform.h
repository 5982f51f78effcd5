#pragma once

// Everything the forms need from the machine, in one struct the form is built with:
// tests replace any member to record or to refuse. The members here default to what a
// headless build can do; view/desktopplatform.h adds the dialogs and the shell.

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace ui {

enum class PermissionStatus { Granted, Denied, PermanentlyDenied };

using PermissionResultHandler
    = std::function<void(const QStringList& names, const QList<PermissionStatus>& results)>;
using RationaleHandler
    = std::function<void(const QStringList& names, std::function<void()> proceed)>;

struct Platform {
    // The user's documents folder, created when missing; empty when there is none.
    std::function<QString()> documentsFolder;
    std::function<QDateTime()> now;
    // A message dialog; onClose runs when the user dismisses it.
    std::function<void(const QString& text, std::function<void()> onClose)> showMessage;
    // The standard error report.
    std::function<void(const QString& text)> showError;
    // The runtime permission service; on the desktop every permission is granted at once.
    std::function<void(
        const QStringList& names, PermissionResultHandler onResult, RationaleHandler onRationale)>
        requestPermissions;
    // Hands a web or mailto: address to the shell; the outcome is not looked at.
    std::function<void(const QString& url)> openUrl;
    // The user's locale, for every number and date text of the program.
    QLocale locale;

    Platform();
};

// The locale's decimal separator as one character.
QChar DecimalSeparator(const QLocale& locale);

} // namespace ui
