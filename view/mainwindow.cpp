#include "view/mainwindow.h"

#include "ui/ZAV_HBT_PAS_CopyRight.h"
#include "view/chartview.h"
#include "view/reportprint.h"
#include "view/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include <cmath>

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

// The form's screens lie on this, at their design places, over the window's gradient.
class FormSurface : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        PaintVerticalGradient(*this, {{0, 0xFF00BFFF}, {1, 0xFFFFFFFF}});
    }
};

// Before the window system has framed the window its frame is not known: a title bar and
// thin borders, as on a desktop, rather than none.
constexpr QMargins GuessedFrame(4, 32, 4, 4);
// Never smaller than this, however small the screen.
constexpr int SmallestSide = 120;

} // namespace

WindowFit FitWindow(QSize content, QSize available, QMargins frame, int scrollBarExtent)
{
    const int roomWidth = available.width() - frame.left() - frame.right();
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    if (content.width() <= roomWidth && content.height() <= roomHeight)
        return {content, false};
    bool vertical = content.height() > roomHeight;
    const bool horizontal = content.width() + (vertical ? scrollBarExtent : 0) > roomWidth;
    if (horizontal && !vertical)
        vertical = content.height() + scrollBarExtent > roomHeight;
    const int width = std::min(content.width() + (vertical ? scrollBarExtent : 0), roomWidth);
    const int height = std::min(content.height() + (horizontal ? scrollBarExtent : 0), roomHeight);
    return {QSize(std::max(width, SmallestSide), std::max(height, SmallestSide)), true};
}

MainWindow::MainWindow(ui::TZAV_FRM_DWOR1& form, QWidget* parent)
    : QWidget(parent, Qt::Window | TitleOnly)
    , m_form(form)
    , m_binder([this](const QString& message) { reportError(message); },
          [this] {
              syncAboutWindow();
              syncChartWindow();
              keepFocusOnPanel();
          },
          [this] { m_focusBeforeAction = QApplication::focusWidget(); })
    , m_chartPanel(form)
{
    setWindowTitle(ui::TZAV_FRM_DWOR1::caption());
    setWindowIcon(ProgramIcon());
    const QSize formSize
        = designSize(ui::TZAV_FRM_DWOR1::ClientWidth, ui::TZAV_FRM_DWOR1::ClientHeight);
    setFixedSize(formSize);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // No stop of its own for Tab: the keyboard goes from control to control as before.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidgetResizable(false);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_surface = new FormSurface;
    m_surface->setFixedSize(formSize);
    for (ui::Control* screen : {static_cast<ui::Control*>(&form.MainFormLayer),
             static_cast<ui::Control*>(&form.JieGuo_DocLayer),
             static_cast<ui::Control*>(&form.YouHuaFormLayer)})
        m_binder.build(*screen, m_surface);
    m_scroll->setWidget(m_surface);
    m_scroll->setGeometry(rect());
    refresh();
    fitToScreen();
    m_form.closeWindow = [this] {
        if (!m_closing)
            close();
    };
    for (ui::Memo* memo : {&form.meo_jisuanjieguo_Doc, &form.meo_jisuanjieguo_Xls}) {
        if (auto* widget = qobject_cast<QPlainTextEdit*>(widgetFor(*memo)))
            setUpMemoMenu(*widget);
    }
    for (ui::StringGrid* grid : {&form.Grid2_Youhuajieguo, &form.Grid3_Youhuasaixuan}) {
        if (auto* table = dynamic_cast<GridTable*>(widgetFor(*grid)))
            table->openChart = [this] { showChart(); };
    }
    setUpKeyboard();
    choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
}

void MainWindow::setUpKeyboard()
{
    // Ctrl+Return calculates from anywhere on the screen, the field being typed in
    // included: what it holds counts, as if the user had pressed Enter there first.
    for (const QKeySequence& key :
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            m_binder.commitPendingInput();
            m_binder.run([this] { m_form.CalculateByKeyboard(); });
        });
    }
    auto* chart = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(chart, &QShortcut::activated, this, [this] { showChart(); });
    auto* print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, this, [this] { printReport(); });
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
        [this](QWidget*, QWidget* now) { rememberFocus(now); });
}

void MainWindow::setUpMemoMenu(QPlainTextEdit& memo)
{
    memo.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&memo, &QWidget::customContextMenuRequested, this, [this, &memo](const QPoint& at) {
        auto* menu = new QMenu(&memo);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const bool hasText = !memo.document()->isEmpty();
        QAction* copy = menu->addAction(QStringLiteral("复制"), &memo, &QPlainTextEdit::copy);
        copy->setShortcut(QKeySequence::Copy);
        copy->setEnabled(memo.textCursor().hasSelection());
        QAction* all = menu->addAction(QStringLiteral("全选"), &memo, &QPlainTextEdit::selectAll);
        all->setShortcut(QKeySequence::SelectAll);
        all->setEnabled(hasText);
        menu->addSeparator();
        QAction* print = menu->addAction(QStringLiteral("打印…"), this, &MainWindow::printReport);
        print->setShortcut(QKeySequence::Print);
        print->setEnabled(hasText);
        QAction* pdf
            = menu->addAction(QStringLiteral("导出PDF"), this, &MainWindow::exportReportPdf);
        pdf->setEnabled(hasText);
        menu->popup(memo.viewport()->mapToGlobal(at));
    });
}

void MainWindow::printReport()
{
    const auto printed = m_form.ReportOnDisplay();
    if (!printed || !choosePrinter)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(printed->orientation));
    printer.setDocName(printed->title);
    printer.setCreator(ui::TZAV_FRM_DWOR1::caption());
    if (!choosePrinter(printer))
        return;
    m_binder.run([this, &printer, &printed] {
        if (!PaintReport(printer, *printed)) {
            reportError(QStringLiteral("“%1”未能打印：打印机无法使用。").arg(printed->title));
            return;
        }
        // "Print to file" in the dialog: the PDF's text copies as in an exported one.
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
            RepairPrintedPdf(printer.outputFileName(), *printed);
    });
}

void MainWindow::exportReportPdf()
{
    m_binder.run([this] {
        m_form.ExportReportPdf(
            [](const report::PrintedReport& printed) { return ReportPdf(printed); });
    });
}

bool MainWindow::inInputPanel(const QWidget* widget) const
{
    for (const ui::Control* group : {static_cast<const ui::Control*>(&m_form.gpb_srcs),
             static_cast<const ui::Control*>(&m_form.gbp_jycs),
             static_cast<const ui::Control*>(&m_form.gpb_scjg)}) {
        const QWidget* box = widgetFor(*group);
        if (box && widget && box->isAncestorOf(widget))
            return true;
    }
    return false;
}

void MainWindow::rememberFocus(QWidget* now)
{
    if (inInputPanel(now))
        m_lastPanelFocus = now;
    // Wherever the keyboard goes on a scrolled form (Tab, a shortcut, an action that moves
    // the focus), the control comes into view.
    if (m_scrolls && now && m_surface->isAncestorOf(now))
        m_scroll->ensureWidgetVisible(now, 8, 8);
}

void MainWindow::fitInto(const QRect& available)
{
    QMargins frame = GuessedFrame;
    if (const QWindow* handle = windowHandle(); handle && isVisible())
        frame = handle->frameMargins();
    if (QGuiApplication::platformName() == QLatin1String("offscreen") && !isVisible())
        frame = QMargins();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    // At a fractional scale the area's last device-independent pixel may be only part of
    // one on the screen: left out, the window never reaches past the screen's edge.
    QSize area = available.size();
    const double scale = devicePixelRatioF();
    if (scale != std::floor(scale))
        area -= QSize(1, 1);
    const WindowFit fit = FitWindow(m_surface->size(), area, frame, extent);
    m_scrolls = fit.scrolls;
    const auto policy = fit.scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    m_scroll->setHorizontalScrollBarPolicy(policy);
    m_scroll->setVerticalScrollBarPolicy(policy);
    if (size() != fit.client)
        setFixedSize(fit.client);
    m_scroll->setGeometry(rect());
    // Placed whole inside the area, centred where it fits.
    const QSize outer
        = fit.client + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    QPoint at = available.center() - QPoint(outer.width() / 2, outer.height() / 2);
    at.setX(std::max(available.left(), at.x()));
    at.setY(std::max(available.top(), at.y()));
    move(at);
}

void MainWindow::fitToScreen()
{
    if (const QScreen* screen = this->screen())
        fitInto(screen->availableGeometry());
}

void MainWindow::watchScreen()
{
    QWindow* handle = windowHandle();
    if (!handle || m_screenWatch)
        return;
    auto watchArea = [this](QScreen* screen) {
        disconnect(m_areaWatch);
        if (screen)
            m_areaWatch = connect(screen, &QScreen::availableGeometryChanged, this,
                [this](const QRect& area) { fitInto(area); });
    };
    m_screenWatch
        = connect(handle, &QWindow::screenChanged, this, [this, watchArea](QScreen* screen) {
              watchArea(screen);
              fitToScreen();
          });
    watchArea(handle->screen());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    watchScreen();
    fitToScreen();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_scroll)
        m_scroll->setGeometry(rect());
}

void MainWindow::keepFocusOnPanel()
{
    QWidget* compute = widgetFor(m_form.cbt_compute);
    if (!compute || m_focusBeforeAction != compute || compute->isVisible()
        || !m_form.MainFormLayer.isVisible())
        return;
    QWidget* target = m_lastPanelFocus;
    if (!target || !target->isVisible() || !target->isEnabled())
        target = widgetFor(m_form.cbb_jmlx);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    // The widgets go after the binder: the focus leaving a field as the window hides,
    // and moving among them, is no news any more.
    disconnect(m_focusWatch);
    disconnect(m_screenWatch);
    disconnect(m_areaWatch);
    m_binder.detach();
    hide();
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

void MainWindow::showChart()
{
    if (!m_chartWindow) {
        m_chartWindow = std::make_unique<ChartWindow>(
            m_chartPanel, [this](const std::function<void()>& action) { m_binder.run(action); });
    }
    m_binder.run([this] { m_chartPanel.Open(); });
    m_chartWindow->show();
    m_chartWindow->raise();
    m_chartWindow->activateWindow();
}

void MainWindow::syncChartWindow()
{
    if (!m_chartWindow || !m_chartPanel.isOpen())
        return;
    m_chartPanel.refresh();
    m_chartWindow->sync();
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
    if (m_chartWindow)
        m_chartWindow->close();
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

AboutWindow::~AboutWindow()
{
    m_binder.detach();
    hide();
}

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
