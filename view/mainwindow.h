#pragma once

// The program's one window: 380 x 700 device-independent pixels, fixed, centred, a
// title bar without buttons, the sky-blue-to-white gradient, and the three stacked
// screens of the main form with every control at its design place. It shows the About
// window when the form asks for it, and closes when the form closes.

#include "ui/ZAV_PAS_DWOR1.h"
#include "ui/charts.h"
#include "view/binder.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QPlainTextEdit;
class QPrinter;
class QScrollArea;

namespace view {

class AboutWindow;
class ChartWindow;

// How the window meets a screen: the content at its own size where the screen's available
// area holds it with the window's frame, else as large as the area allows, with the
// content scrolling inside (room made for the scroll bars it then needs).
struct WindowFit {
    QSize client;
    bool scrolls = false;
    friend bool operator==(const WindowFit&, const WindowFit&) = default;
};
WindowFit FitWindow(QSize content, QSize available, QMargins frame, int scrollBarExtent);

class MainWindow : public QWidget {
public:
    explicit MainWindow(ui::TZAV_FRM_DWOR1& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Brings every widget up to the form (after every forwarded action it runs by itself).
    void refresh();
    // Sizes the window for the available area of a screen (in device-independent pixels)
    // and places it on it; the screen the window is on, when it shows and whenever it
    // moves to another screen or that screen's area changes.
    void fitInto(const QRect& available);
    bool scrolls() const { return m_scrolls; }
    QScrollArea* scrollArea() const { return m_scroll; }
    QWidget* widgetFor(const ui::Control& control) const { return m_binder.widgetFor(control); }
    // Null until the first "©".
    AboutWindow* aboutWindow() const { return m_about.get(); }

    // The chart of the screen on display (F6, "图表" in a result grid's menu), in a
    // window of its own that follows the form. Null until the first chart.
    void showChart();
    ChartWindow* chartWindow() const { return m_chartWindow.get(); }
    ui::ChartPanel& chartPanel() { return m_chartPanel; }

    // The report on display to the printer the user chooses ("打印…", Ctrl+P), and as a
    // PDF file into the documents folder ("导出PDF"). An empty report does nothing.
    void printReport();
    void exportReportPdf();
    // Asks the user for a printer; false when he cancels. The platform's print dialog
    // unless a test puts something else here.
    std::function<bool(QPrinter&)> choosePrinter;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitToScreen();
    void watchScreen();
    void syncAboutWindow();
    void syncChartWindow();
    void reportError(const QString& message);
    void setUpKeyboard();
    void setUpMemoMenu(QPlainTextEdit& memo);
    void rememberFocus(QWidget* now);
    void keepFocusOnPanel();
    bool inInputPanel(const QWidget* widget) const;

    ui::TZAV_FRM_DWOR1& m_form;
    FormBinder m_binder;
    // The form's 380 x 700 surface, scrolled inside the window where the screen is smaller.
    QScrollArea* m_scroll = nullptr;
    QWidget* m_surface = nullptr;
    bool m_scrolls = false;
    QMetaObject::Connection m_screenWatch;
    QMetaObject::Connection m_areaWatch;
    // Where the keyboard was before the running action, and the input panel's field it
    // was in last: a calculation that hides its own focused "计算" gives the focus back
    // to the panel instead of letting it fall to the next button ("★").
    QPointer<QWidget> m_focusBeforeAction;
    QPointer<QWidget> m_lastPanelFocus;
    QMetaObject::Connection m_focusWatch;
    std::unique_ptr<AboutWindow> m_about;
    ui::ChartPanel m_chartPanel;
    std::unique_ptr<ChartWindow> m_chartWindow;
    int m_aboutShowCount = 0;
    bool m_closing = false;
};

// The About window of the About form: 260 x 330, its own gradient, shown modeless.
// Escape, the window system or a click elsewhere dismisses it, which only hides it.
class AboutWindow : public QWidget {
public:
    AboutWindow(ui::TZAV_HBT_FRM_CopyRight& form, std::function<void(const QString&)> reportError);
    ~AboutWindow() override;

    void refresh() { m_binder.refresh(); }
    QWidget* widgetFor(const ui::Control& control) const { return m_binder.widgetFor(control); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ui::TZAV_HBT_FRM_CopyRight& m_form;
    FormBinder m_binder;
};

} // namespace view
