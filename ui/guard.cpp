#include "ui/guard.h"

#include "core/errors.h"

#include <exception>
#include <new>

namespace ui {

namespace {
// Runs the action at depth + 1; returns the message of an error to report, if any.
bool runCatching(const std::function<void()>& action, int& depth, QString& message)
{
    struct Depth {
        int& value;
        explicit Depth(int& v)
            : value(v)
        {
            ++value;
        }
        ~Depth() { --value; }
    } scope(depth);
    try {
        action();
        return false;
    } catch (const core::SilentAbort&) {
        return false;
    } catch (const core::ProgramError& error) {
        message = error.message();
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("内存不足，操作未完成");
    } catch (const std::exception& error) {
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("未知错误，操作未完成");
    }
    return true;
}
} // namespace

void RunGuarded(const std::function<void()>& action,
    const std::function<void(const QString&)>& report, int& depth)
{
    if (depth > 0) {
        action();
        return;
    }
    QString message;
    // The report may be a modal dialog with its own event loop: show it only once the
    // action is over, so that anything the user does meanwhile is guarded anew.
    if (runCatching(action, depth, message) && report)
        report(message);
}

} // namespace ui
