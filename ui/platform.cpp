#include "ui/platform.h"

#include <QDebug>
#include <QDir>
#include <QStandardPaths>

namespace ui {

Platform::Platform()
    : locale(QLocale::system())
{
    documentsFolder = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!folder.isEmpty())
            QDir().mkpath(folder);
        return folder;
    };
    now = [] { return QDateTime::currentDateTime(); };
    showMessage = [](const QString& text, std::function<void()> onClose) {
        qInfo().noquote() << text;
        if (onClose)
            onClose();
    };
    showError = [](const QString& text) { qWarning().noquote() << text; };
    requestPermissions
        = [](const QStringList& names, PermissionResultHandler onResult, RationaleHandler) {
              if (onResult)
                  onResult(names, QList<PermissionStatus>(names.size(), PermissionStatus::Granted));
          };
    openUrl = [](const QString& url) { qInfo().noquote() << "open" << url; };
}

QChar DecimalSeparator(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

} // namespace ui
