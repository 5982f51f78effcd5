#pragma once

// The platform of the desktop program: message boxes for the message dialog and the
// standard error report, and the shell for addresses. Documents folder, clock, locale
// and the permission service keep the defaults of ui/platform.h.

#include "ui/platform.h"

namespace view {

ui::Platform DesktopPlatform();

} // namespace view
