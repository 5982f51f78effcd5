#include "view/chartview.h"

#include "view/reportprint.h"
#include "view/widgets.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPushButton>
#include <QVBoxLayout>

namespace view {

namespace {

QFont chartFont()
{
    QFont font;
    font.setPixelSize(int(ui::ChartFontPixels));
    return font;
}

QColor color(quint32 argb)
{
    return QColor::fromRgba(argb);
}

void drawRightAligned(QPainter& painter, QPointF at, const QString& text)
{
    const double width = painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(QPointF(at.x() - width, at.y()), text);
}

void drawCentred(QPainter& painter, QPointF at, const QString& text)
{
    const double width = painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(QPointF(at.x() - width / 2, at.y()), text);
}

// The points as small squares, a batch a colour: a million rows come down to at most
// one point a pixel before they get here.
void paintPoints(QPainter& painter, const ui::ChartLayout& layout, const ui::ChartData& data)
{
    std::vector<std::vector<QRectF>> squares(data.series.size());
    for (const ui::ChartLaidPoint& point : layout.points)
        squares[point.series].emplace_back(point.x - 1.5, point.y - 1.5, 3.0, 3.0);
    painter.setPen(Qt::NoPen);
    for (size_t s = 0; s < squares.size(); ++s) {
        if (squares[s].empty())
            continue;
        painter.setBrush(color(data.series[s].color));
        painter.drawRects(squares[s].data(), int(squares[s].size()));
    }
}

} // namespace

ui::ChartTextWidth ChartTextWidthOn(QPaintDevice* device)
{
    auto metrics = std::make_shared<QFontMetricsF>(chartFont(), device);
    return [metrics](QStringView text) { return metrics->horizontalAdvance(text.toString()); };
}

void PaintChart(QPainter& painter, const ui::ChartLayout& layout, const ui::ChartData& data,
    const std::optional<ui::ChartHit>& hovered)
{
    painter.save();
    painter.setFont(chartFont());
    painter.fillRect(QRectF(QPointF(0, 0), layout.size), Qt::white);
    const QRectF plot = layout.plot;

    // Grid and ticks.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1));
    for (const ui::ChartLaidTick& tick : layout.yTicks)
        painter.drawLine(QPointF(plot.left(), tick.at), QPointF(plot.right(), tick.at));
    for (const ui::ChartLaidTick& tick : layout.xTicks)
        painter.drawLine(QPointF(tick.at, plot.top()), QPointF(tick.at, plot.bottom()));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    const double ascent = painter.fontMetrics().ascent();
    for (const ui::ChartLaidTick& tick : layout.yTicks) {
        painter.drawLine(QPointF(plot.left() - 4, tick.at), QPointF(plot.left(), tick.at));
        drawRightAligned(painter, QPointF(plot.left() - 6, tick.at + ascent / 2 - 1), tick.label);
    }
    for (const ui::ChartLaidTick& tick : layout.xTicks) {
        painter.drawLine(QPointF(tick.at, plot.bottom()), QPointF(tick.at, plot.bottom() + 4));
        drawCentred(painter, QPointF(tick.at, plot.bottom() + 6 + ascent), tick.label);
    }

    // Titles.
    if (!layout.title.isEmpty()) {
        QFont bold = chartFont();
        bold.setBold(true);
        painter.setFont(bold);
        drawCentred(painter, layout.titleAt, layout.title);
        painter.setFont(chartFont());
    }
    drawCentred(painter, layout.xTitleAt, layout.xTitle);
    painter.save();
    painter.translate(layout.yTitleAt);
    painter.rotate(-90);
    drawCentred(painter, QPointF(0, 0), layout.yTitle);
    painter.restore();

    // The data, clipped to the plot.
    painter.save();
    painter.setClipRect(plot.adjusted(-2, -2, 2, 2));
    for (const ui::ChartLaidBar& bar : layout.bars)
        painter.fillRect(bar.rect, color(bar.color));
    paintPoints(painter, layout, data);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < layout.polylines.size(); ++i) {
        painter.setPen(QPen(color(layout.polylineColors[i]), 2));
        const auto& line = layout.polylines[i];
        if (line.size() > 1)
            painter.drawPolyline(line.data(), int(line.size()));
    }
    for (const ui::ChartLaidLine& line : layout.lines) {
        painter.setPen(QPen(color(line.color), 1.5, line.dashed ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(line.line);
        painter.drawText(line.labelAt, line.label);
    }
    for (const ui::ChartLaidMark& mark : layout.marks) {
        painter.setPen(QPen(color(mark.color), 1, Qt::DashLine));
        painter.drawLine(mark.drop);
        painter.setPen(QPen(color(mark.color), 2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(mark.point, 4, 4);
        painter.setBrush(Qt::NoBrush);
        painter.drawText(mark.labelAt, mark.label);
    }
    if (hovered) {
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawEllipse(hovered->at, 6, 6);
    }
    painter.restore();

    if (!layout.note.isEmpty()) {
        painter.setPen(Qt::red);
        painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, layout.note);
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ui::ChartLegendEntry& entry : layout.legend) {
        painter.fillRect(entry.swatch, color(entry.color));
        painter.setPen(Qt::black);
        painter.drawText(entry.textAt, entry.text);
    }
    painter.restore();
}

QByteArray ChartPng(const ui::ChartData& data, QSizeF size, QChar separator)
{
    QImage image((size * 2).toSize(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(2);
    {
        QPainter painter(&image);
        const ui::ChartLayout layout
            = ui::LayOutChart(data, size, ChartTextWidthOn(&image), separator);
        PaintChart(painter, layout, data);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray ChartPdf(const ui::ChartData& data, const QString& title, QChar separator)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return {};
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(ui::TZAV_FRM_DWOR1::caption());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        // Pixels of 1/96 inch, as on the screen, so the chart reads the same.
        writer.setResolution(96);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        const QSizeF size = writer.pageLayout().paintRectPixels(96).size();
        const ui::ChartLayout layout
            = ui::LayOutChart(data, size, ChartTextWidthOn(&writer), separator);
        PaintChart(painter, layout, data);
        painter.end();
    }
    return bytes;
}

ChartWidget::ChartWidget(ui::ChartPanel& panel, ActionRunner run, QWidget* parent)
    : QWidget(parent)
    , m_panel(panel)
    , m_run(std::move(run))
{
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_panel.textWidth = ChartTextWidthOn(this);
}

void ChartWidget::sync()
{
    if (m_panel.revision() != m_shown)
        update();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    m_shown = m_panel.revision();
    QPainter painter(this);
    PaintChart(painter, m_panel.layout(), m_panel.data(), m_panel.hovered());
}

void ChartWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_panel.resize(size());
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_panel.hover(event->position());
    if (auto* window = dynamic_cast<ChartWindow*>(this->window()))
        window->sync();
}

void ChartWidget::leaveEvent(QEvent*)
{
    m_panel.leave();
    if (auto* window = dynamic_cast<ChartWindow*>(this->window()))
        window->sync();
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    m_run([this, at] { m_panel.click(at); });
}

ChartWindow::ChartWindow(ui::ChartPanel& panel, ActionRunner run, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_panel(panel)
    , m_run(run)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("图表 - %1").arg(ui::TZAV_FRM_DWOR1::caption()));
    setWindowIcon(ProgramIcon());
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    m_kind = new QComboBox(this);
    m_kind->addItems({QStringLiteral("单桩：[P] 与 hr"), QStringLiteral("优化结果：[P]")});
    m_axis = new QComboBox(this);
    m_axis->addItems(
        {QStringLiteral("横轴 hr"), QStringLiteral("横轴 d|a"), QStringLiteral("横轴 R")});
    auto* png = new QPushButton(QStringLiteral("导出PNG"), this);
    auto* pdf = new QPushButton(QStringLiteral("导出PDF"), this);
    bar->addWidget(m_kind);
    bar->addWidget(m_axis);
    bar->addStretch(1);
    bar->addWidget(png);
    bar->addWidget(pdf);
    layout->addLayout(bar);
    m_chart = new ChartWidget(panel, run, this);
    layout->addWidget(m_chart, 1);
    m_readout = new QLabel(this);
    m_readout->setTextFormat(Qt::PlainText);
    m_readout->setMinimumHeight(m_readout->fontMetrics().height());
    layout->addWidget(m_readout);
    resize(720, 520);

    connect(m_kind, &QComboBox::activated, this,
        [this](int index) { m_run([this, index] { m_panel.pickKind(ui::ChartKind(index)); }); });
    connect(m_axis, &QComboBox::activated, this,
        [this](int index) { m_run([this, index] { m_panel.pickAxis(ui::ChartAxis(index)); }); });
    connect(png, &QPushButton::clicked, this, [this] { exportPng(); });
    connect(pdf, &QPushButton::clicked, this, [this] { exportPdf(); });
    choosePath = [this](const QString& proposed, const QString& filter) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出图表"), proposed, filter);
    };
}

void ChartWindow::sync()
{
    m_kind->setCurrentIndex(int(m_panel.kind()));
    m_axis->setVisible(m_panel.kind() == ui::ChartKind::Optimization);
    m_axis->setCurrentIndex(int(m_panel.axis()));
    const QString readout = m_panel.readout();
    if (m_readout->text() != readout)
        m_readout->setText(readout);
    m_chart->sync();
}

void ChartWindow::exportPng()
{
    const QSizeF size = m_chart->size();
    exportTo(QStringLiteral("png"), QStringLiteral("PNG 图片 (*.png)"),
        [this, size] { return ChartPng(m_panel.data(), size, m_panel.decimalSeparator()); });
}

void ChartWindow::exportPdf()
{
    exportTo(QStringLiteral("pdf"), QStringLiteral("PDF 文件 (*.pdf)"), [this] {
        return ChartPdf(m_panel.data(), m_panel.data().title, m_panel.decimalSeparator());
    });
}

void ChartWindow::exportTo(
    const QString& suffix, const QString& filter, const std::function<QByteArray()>& render)
{
    const QString path = choosePath ? choosePath(m_panel.exportPath(suffix), filter) : QString();
    if (path.isEmpty())
        return;
    m_run([this, &path, &render] { m_panel.Export(path, render); });
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    m_panel.Close();
    QWidget::closeEvent(event);
}

} // namespace view
