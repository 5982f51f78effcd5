// How long "导出PDF" takes for a book and a table of 100 piles: the pages painted into a
// PDF with the report font embedded, the text map repaired, the file written through a
// save file. The reports come from 100 calculations on the input panel, as a user makes
// them; the benchmark runs on Qt's offscreen platform.

#include "ui/ZAV_PAS_DWOR1.h"
#include "view/reportprint.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Piles = 100;

struct Session {
    QTemporaryDir documents;
    std::unique_ptr<ui::TZAV_FRM_DWOR1> form;

    Session()
    {
        ui::Platform platform;
        platform.locale = QLocale(QLocale::Chinese, QLocale::China);
        platform.documentsFolder = [this] { return documents.path(); };
        platform.showError = [](const QString& text) { qFatal("%s", qPrintable(text)); };
        form = std::make_unique<ui::TZAV_FRM_DWOR1>(platform);
        ui::TZAV_FRM_DWOR1& f = *form;
        // Every section type, both processes, a spread of sizes and strengths.
        for (int i = 0; i < Piles; ++i) {
            f.cbb_jmlx.pick(i % 3);
            f.cbb_czgy.pick(i % 4 == 0 ? 0 : 1);
            f.cbe_dd.commit(QString::number(1000 + i % 11 * 100));
            if (i % 3 != 0)
                f.cbe_tyzd.commit(QString::number(500 + i % 5 * 100));
            if (i % 4 != 0)
                f.cbe_hr.commit(
                    QStringLiteral("%1.5%2").arg(1 + i % 3).arg(i % 3 == 2 ? u'b' : u'd'));
            f.edt_frk.commit(QString::number(20 + i % 30));
            const int before = f.ReportPileCount;
            f.cbt_compute.click();
            if (f.ReportPileCount != before + 1)
                qWarning("pile %d: %s", i, qPrintable(f.lb_shuoming.text()));
        }
        f.cbt_View.click();
        if (f.ReportPileCount != Piles)
            qFatal("%d piles calculated instead of %d", f.ReportPileCount, Piles);
    }
};

Session& session()
{
    static Session s;
    return s;
}

void exportPdf(benchmark::State& state, bool table)
{
    ui::TZAV_FRM_DWOR1& form = *session().form;
    if ((form.cbt_PageBook.text() == QLatin1String("2")) != table)
        form.cbt_PageBook.click();
    qint64 bytes = 0;
    for (auto _ : state) {
        form.ExportReportPdf([&bytes](const report::PrintedReport& printed) {
            const QByteArray pdf = view::ReportPdf(printed);
            bytes = pdf.size();
            return pdf;
        });
    }
    state.counters["lines"] = double(form.ReportOnDisplay()->lines.size());
    state.counters["pdf_bytes"] = double(bytes);
}

void BM_ExportBookOf100Piles(benchmark::State& state)
{
    exportPdf(state, false);
}
BENCHMARK(BM_ExportBookOf100Piles)->Unit(benchmark::kMillisecond);

void BM_ExportTableOf100Piles(benchmark::State& state)
{
    exportPdf(state, true);
}
BENCHMARK(BM_ExportTableOf100Piles)->Unit(benchmark::kMillisecond);

} // namespace
