#include "view/mainwindow.h"

#include "ui/ZAV_HBT_PAS_CopyRight.h"
#include "view/widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace view {

namespace {

// Frameless of buttons: a title only, no system menu, no minimise, maximise or close.
constexpr Qt::WindowFlags TitleOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint;

void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.move(
            screen->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

QSize designSize(double width, double height)
{
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

} // namespace

MainWindow::MainWindow(ui::TZAV_FRM_DWOR1& form, QWidget* parent)
    : QWidget(parent, Qt::Window | TitleOnly)
    , m_form(form)
    , m_binder(
          [this](const QString& message) { reportError(message); }, [this] { syncAboutWindow(); })
{
    setWindowTitle(ui::TZAV_FRM_DWOR1::caption());
    setWindowIcon(ProgramIcon());
    setFixedSize(designSize(ui::TZAV_FRM_DWOR1::ClientWidth, ui::TZAV_FRM_DWOR1::ClientHeight));
    for (ui::Control* screen : {static_cast<ui::Control*>(&form.MainFormLayer),
             static_cast<ui::Control*>(&form.JieGuo_DocLayer),
             static_cast<ui::Control*>(&form.YouHuaFormLayer)})
        m_binder.build(*screen, this);
    refresh();
    centreOnScreen(*this);
    m_form.closeWindow = [this] {
        if (!m_closing)
            close();
    };
}

MainWindow::~MainWindow()
{
    m_form.closeWindow = nullptr;
}

void MainWindow::refresh()
{
    m_binder.refresh();
    syncAboutWindow();
}

void MainWindow::reportError(const QString& message)
{
    if (m_form.platform().showError)
        m_form.platform().showError(message);
}

void MainWindow::syncAboutWindow()
{
    ui::TZAV_HBT_FRM_CopyRight* about = m_form.aboutForm();
    if (!about)
        return;
    if (!m_about)
        m_about = std::make_unique<AboutWindow>(
            *about, [this](const QString& message) { reportError(message); });
    if (about->showCount() != m_aboutShowCount) {
        // Every "©" shows the same window again, on top.
        m_aboutShowCount = about->showCount();
        m_about->refresh();
        m_about->show();
        m_about->raise();
        m_about->activateWindow();
    } else if (!about->isShown() && m_about->isVisible()) {
        m_about->hide();
    }
}

void MainWindow::paintEvent(QPaintEvent*)
{
    PaintVerticalGradient(*this, {{0, 0xFF00BFFF}, {1, 0xFFFFFFFF}});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // "退出" and the window system end the program the same way: nothing is asked.
    m_closing = true;
    if (!m_form.isClosed())
        m_form.Close();
    if (m_about)
        m_about->close();
    event->accept();
}

AboutWindow::AboutWindow(
    ui::TZAV_HBT_FRM_CopyRight& form, std::function<void(const QString&)> reportError)
    : QWidget(nullptr, Qt::Dialog | TitleOnly)
    , m_form(form)
    , m_binder(std::move(reportError))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(ui::TZAV_HBT_FRM_CopyRight::caption());
    setWindowIcon(ProgramIcon());
    setFixedSize(designSize(
        ui::TZAV_HBT_FRM_CopyRight::ClientWidth, ui::TZAV_HBT_FRM_CopyRight::ClientHeight));
    m_binder.build(form.CopyRightLayer, this);
    m_binder.refresh();
    centreOnScreen(*this);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::paintEvent(QPaintEvent*)
{
    PaintVerticalGradient(
        *this, {{0, 0xFFF48D72}, {0.5186335444450378, 0xFFFEE9E9}, {1, 0xFFFEE9E9}});
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    m_form.Hide();
    event->accept();
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AboutWindow::changeEvent(QEvent* event)
{
    // A pop-up goes away when the user turns to another window.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        close();
    QWidget::changeEvent(event);
}

} // namespace view
