// The program ZAV_PRJ_DWOR1: one main form on the desktop platform, shown in its
// window, until the form closes.

#include "view/view.h"

#include <QApplication>
#include <QWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    ui::TZAV_FRM_DWOR1 form(view::DesktopPlatform());
    ui::ZAV_FRM_DWOR1 = &form;
    view::MainWindow window(form);
    // The window is designed upright; desktop window systems ignore the hint.
    window.winId();
    if (QWindow* handle = window.windowHandle())
        handle->reportContentOrientationChange(Qt::PortraitOrientation);
    window.show();
    return app.exec();
}
