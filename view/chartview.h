#pragma once

// The chart window: paints the layout of the headless ChartPanel with QPainter and
// forwards the pointer and the user's choices to it. The kinds of chart and the x axis
// are chosen above the chart; "导出PNG" and "导出PDF" write the chart on display as a
// picture or as an A4 page.

#include "ui/charts.h"
#include "view/gridtable.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPainter;

namespace view {

// The chart as laid out, with the hovered point ringed and its read-out.
void PaintChart(QPainter& painter, const ui::ChartLayout& layout, const ui::ChartData& data,
    const std::optional<ui::ChartHit>& hovered = std::nullopt);
// The chart's texts measured in the chart font on `device` (the screen when null).
ui::ChartTextWidth ChartTextWidthOn(QPaintDevice* device = nullptr);
// The chart of `data` as a PNG picture of `size` (drawn at twice the pixels), and as a
// PDF file of one A4 page across.
QByteArray ChartPng(const ui::ChartData& data, QSizeF size, QChar decimalSeparator);
QByteArray ChartPdf(const ui::ChartData& data, const QString& title, QChar decimalSeparator);

class ChartWidget : public QWidget {
public:
    ChartWidget(ui::ChartPanel& panel, ActionRunner run, QWidget* parent = nullptr);
    void sync();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ui::ChartPanel& m_panel;
    ActionRunner m_run;
    quint64 m_shown = ~quint64(0);
};

class ChartWindow : public QWidget {
public:
    ChartWindow(ui::ChartPanel& panel, ActionRunner run, QWidget* parent = nullptr);
    // Brings the window up to the form (after every action of the main window).
    void sync();
    ChartWidget& chart() { return *m_chart; }
    QComboBox& kindBox() { return *m_kind; }
    QComboBox& axisBox() { return *m_axis; }

    // Asks for the file to write, starting from the proposed one; empty when the user
    // cancels. The platform's file dialog unless a test puts something else here.
    std::function<QString(const QString& proposed, const QString& filter)> choosePath;
    void exportPng();
    void exportPdf();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void exportTo(
        const QString& suffix, const QString& filter, const std::function<QByteArray()>& render);

    ui::ChartPanel& m_panel;
    ActionRunner m_run;
    QComboBox* m_kind = nullptr;
    QComboBox* m_axis = nullptr;
    QLabel* m_readout = nullptr;
    ChartWidget* m_chart = nullptr;
};

} // namespace view
