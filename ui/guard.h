#pragma once

// The one place where the program's errors are caught: every user action of a form
// runs through RunGuarded. The silent abort ends the action quietly; any other error
// ends it where it was and goes to the platform's error report. Nested actions (a
// handler that clicks another control) leave the error to the outermost guard.

#include <QString>

#include <functional>

namespace ui {

void RunGuarded(const std::function<void()>& action,
    const std::function<void(const QString&)>& report, int& depth);

} // namespace ui
