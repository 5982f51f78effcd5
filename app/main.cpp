// The program ZAV_PRJ_DWOR1: one main form on the desktop platform, shown in its
// window, until the form closes.

#include "view/view.h"

#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

const char NoDisplay[]
    = "嵌岩桩承载力计算需要图形界面，但找不到可用的显示（X11 或 Wayland）：请在桌面会话中启动。\n"
      "The program needs a graphical session; no X11 or Wayland display could be opened.\n";

// Without a window system Qt ends the process with an abort and a note about platform
// plugins; the user gets one plain sentence and exit code 1 instead.
bool graphicalSessionNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

QtMessageHandler qtHandler = nullptr;

// Only while the application starts: a display that is named but cannot be reached
// makes Qt give up with a fatal message.
void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(NoDisplay, stderr);
        std::_Exit(1);
    }
    if (qtHandler)
        qtHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    if (!graphicalSessionNamed()) {
        std::fputs(NoDisplay, stderr);
        return 1;
    }
    qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::TZAV_FRM_DWOR1 form(view::DesktopPlatform());
    ui::ZAV_FRM_DWOR1 = &form;
    view::InstallQtTranslations(form.platform().locale);
    view::MainWindow window(form);
    // The window is designed upright; desktop window systems ignore the hint.
    window.winId();
    if (QWindow* handle = window.windowHandle())
        handle->reportContentOrientationChange(Qt::PortraitOrientation);
    window.show();
    return app.exec();
}
