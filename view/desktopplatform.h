#pragma once

// The platform of the desktop program: message boxes for the message dialog and the
// standard error report, and the shell for addresses. Documents folder, clock, locale
// and the permission service keep the defaults of ui/platform.h.

#include "ui/platform.h"

#include <QLocale>

namespace view {

ui::Platform DesktopPlatform();

// Qt's own dialog texts ("确定", "取消", the print dialog) in the user's language, from
// Qt's translations (Debian: qt6-translations-l10n). False when none are installed for
// that language; the dialogs then stay in English.
bool InstallQtTranslations(const QLocale& locale);

} // namespace view
