#include "view/reportprint.h"

#include "report/pdf_text_map.h"
#include "ui/ZAV_PAS_DWOR1.h"
#include "view/widgets.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QSet>

#include <vector>

namespace view {

namespace {

constexpr double FooterSize = 9; // points
// The footer's line and the gap above it.
constexpr double FooterBand = FooterSize * report::PrintLineFactor + 6;
constexpr double PointsPerInch = 72;
// Widths are measured at a large size and scaled down, so that rounding to device
// pixels does not count.
constexpr double MeasureSize = 100;

// The printed report's font: the screen's report font at `points`.
QFont PrintFont(double points)
{
    QFont font = ReportFont();
    font.setPointSizeF(points);
    // Hinting would round every advance to a device pixel and let the columns drift.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QPageLayout ReportPageLayout(report::PageOrientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4),
        orientation == report::PageOrientation::Landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait,
        QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool PaintReport(QPagedPaintDevice& device, const report::PrintedReport& printed)
{
    if (printed.lines.isEmpty())
        return false;
    const double dpi = device.logicalDpiY();
    const double pixelsPerPoint = dpi / PointsPerInch;
    const QRectF paintRect = device.pageLayout().paintRectPixels(int(dpi));
    const double pageWidth = paintRect.width() / pixelsPerPoint;
    const double pageHeight = paintRect.height() / pixelsPerPoint;

    const QFontMetricsF measure(PrintFont(MeasureSize), &device);
    std::vector<double> widths;
    widths.reserve(size_t(printed.lines.size()));
    for (const QString& line : printed.lines)
        widths.push_back(measure.horizontalAdvance(line) / pixelsPerPoint / MeasureSize);
    const report::PrintLayout layout
        = report::LayOutPrintedReport(printed, widths, pageWidth, pageHeight - FooterBand);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QFont body = PrintFont(layout.fontSize);
    const QFont footer = PrintFont(FooterSize);
    const QFontMetricsF footerMetrics(footer, &device);
    const double lineHeight = layout.lineHeight * pixelsPerPoint;
    // The baseline sits one font size below the top of its line: the characters' full
    // height above it, the rest of the pitch below.
    const double baseline = layout.fontSize * pixelsPerPoint;
    const int pageCount = int(layout.pages.size());
    for (int p = 0; p < pageCount; ++p) {
        if (p > 0 && !device.newPage())
            return false;
        const report::PrintLayout::Page& page = layout.pages[size_t(p)];
        painter.setFont(body);
        for (int i = 0; i < page.count; ++i)
            painter.drawText(QPointF(0, i * lineHeight + baseline), printed.lines[page.first + i]);
        painter.setFont(footer);
        const double footerBaseline = paintRect.height() - footerMetrics.descent();
        painter.drawText(QPointF(0, footerBaseline), printed.title);
        const QString pageText = report::PageFooterText(p + 1, pageCount);
        painter.drawText(
            QPointF(paintRect.width() - footerMetrics.horizontalAdvance(pageText), footerBaseline),
            pageText);
    }
    return painter.end();
}

namespace {

// What a PDF reader should copy for a glyph that Qt's map names by a code point the
// report never holds (a Kangxi radical for its ideograph, a control code for the blank):
// the report's own character drawn with that glyph.
std::function<char32_t(char32_t)> drawnCharacters(
    const QFont& font, const report::PrintedReport& printed)
{
    // The footers are drawn too: the title and the page text.
    const QStringList lines
        = printed.lines + QStringList{printed.title, report::PageFooterText(1234567890, 0)};
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
    QHash<quint32, char16_t> byGlyph;
    QSet<char16_t> seen;
    const auto glyphOf = [raw](char16_t c) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(c)));
        return glyphs.isEmpty() ? 0u : glyphs.front();
    };
    for (const QString& line : lines) {
        for (const QChar c : line) {
            if (c.isSurrogate() || seen.contains(c.unicode()))
                continue;
            seen.insert(c.unicode());
            if (const quint32 glyph = glyphOf(c.unicode()))
                byGlyph.insert(glyph, c.unicode());
        }
    }
    seen.insert(u' ');
    if (const quint32 blank = glyphOf(u' '))
        byGlyph.insert(blank, u' ');
    return [byGlyph, seen, glyphOf](char32_t c) -> char32_t {
        const bool doubtful = c < 0x20 || (c >= 0x2E80 && c <= 0x2FDF);
        if (!doubtful || c > 0xFFFF || seen.contains(char16_t(c)))
            return c;
        const auto it = byGlyph.constFind(glyphOf(char16_t(c)));
        return it == byGlyph.constEnd() ? c : char32_t(*it);
    };
}

} // namespace

QByteArray ReportPdf(const report::PrintedReport& printed)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return {};
        QPdfWriter writer(&buffer);
        writer.setTitle(printed.title);
        writer.setCreator(ui::TZAV_FRM_DWOR1::caption());
        writer.setPageLayout(ReportPageLayout(printed.orientation));
        if (!PaintReport(writer, printed))
            return {};
    }
    return report::RepairPdfTextMap(bytes, drawnCharacters(PrintFont(10), printed));
}

bool RepairPrintedPdf(const QString& path, const report::PrintedReport& printed)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pdf = file.readAll();
    file.close();
    const QByteArray repaired
        = report::RepairPdfTextMap(pdf, drawnCharacters(PrintFont(10), printed));
    if (repaired == pdf)
        return true;
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(repaired) == repaired.size() && out.commit();
}

} // namespace view
