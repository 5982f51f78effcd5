#pragma once

// The results screen's report on paper and in a PDF file: A4, the book upright and the
// 190-column table across, the memo's lines unchanged in the report font (its Chinese
// characters exactly two columns wide, so that every column lines up as on screen),
// embedded in the PDF, and a footer on every page. Which lines go on which page and at
// what size is report::LayOutPrintedReport; this paints it.

#include "report/print_layout.h"

#include <QByteArray>
#include <QPageLayout>

class QPagedPaintDevice;

namespace view {

// A4 with 15 mm margins, upright or across.
QPageLayout ReportPageLayout(report::PageOrientation orientation);

// Paints the report onto a printer or PDF writer whose page layout is already set (the
// print dialog may have changed it). False when the device cannot be painted on.
bool PaintReport(QPagedPaintDevice& device, const report::PrintedReport& printed);

// The report as the bytes of a PDF file; empty if it could not be made.
QByteArray ReportPdf(const report::PrintedReport& printed);

// A report the print dialog sent into a PDF file gets the same repaired text map as an
// exported one. False when the file could not be rewritten (it stays as printed).
bool RepairPrintedPdf(const QString& path, const report::PrintedReport& printed);

} // namespace view
