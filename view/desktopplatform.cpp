#include "view/desktopplatform.h"

#include "ui/ZAV_PAS_DWOR1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QUrl>

namespace view {

namespace {

// The action that asks for a box runs under the wait cursor; the user answering the
// box needs the normal one for as long as the box is up.
void showBox(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(
        icon, ui::TZAV_FRM_DWOR1::caption(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QApplication::restoreOverrideCursor();
}

} // namespace

ui::Platform DesktopPlatform()
{
    ui::Platform platform;
    platform.showMessage = [](const QString& text, std::function<void()> onClose) {
        showBox(QMessageBox::Information, text);
        if (onClose)
            onClose();
    };
    platform.showError = [](const QString& text) { showBox(QMessageBox::Warning, text); };
    // A missing browser or mail program is not the program's business: no message.
    platform.openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    return platform;
}

bool InstallQtTranslations(const QLocale& locale)
{
    // "qtbase" holds the message box, file and print dialog texts. One translator for the
    // whole run, owned by the application. The folder beside the program comes first:
    // the Windows package carries its translations there, having no Qt installation.
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString name = QStringLiteral("qtbase");
    const QString prefix = QStringLiteral("_");
    if (!translator->load(locale, name, prefix,
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))
        && !translator->load(
            locale, name, prefix, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace view
