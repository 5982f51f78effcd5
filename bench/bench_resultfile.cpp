// How long the result-file writer takes for the largest optimization list: a million
// rows of about 170 columns, mostly digits and blanks with a few Chinese labels, written
// row by row as the list writer does, encoded to GBK and saved through a save file.

#include "report/resultfile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 1000000;

// A thousand different rows; the run cycles through them.
QStringList sampleRows()
{
    static const QString labels[][3] = {
        {QStringLiteral("圆  桩"), QStringLiteral("钻(挖)孔"), QStringLiteral("一  般")},
        {QStringLiteral("椭圆桩"), QStringLiteral("打入震沉"), QStringLiteral("匀质完整")},
        {QStringLiteral("矩形桩"), QStringLiteral("钻(挖)孔"), QStringLiteral("较  差")},
        {QStringLiteral("方  桩"), QStringLiteral("钻(挖)孔"), QStringLiteral("良  好")},
    };
    QStringList rows;
    for (int i = 0; i < 1000; ++i) {
        const auto& l = labels[i % 4];
        rows << QStringLiteral(
            "  ZH-%1    %2     %3     %4      -         -       %5     %6   %7  %8    "
            "0.40    %9     %10%     0.03     %11    %12%    %13  \r\n")
                    .arg(i * 997 % 1000000, 7, 10, QLatin1Char('0'))
                    .arg(l[0])
                    .arg(1000 + i % 11 * 100)
                    .arg(500 + i % 7 * 100)
                    .arg(QStringLiteral("%1.0d").arg(1 + i % 4), 6)
                    .arg(QStringLiteral("%1.00").arg(20 + i % 40), 6)
                    .arg(l[1])
                    .arg(l[2])
                    .arg(7853.98 + i, 8, 'f', 2)
                    .arg(60 + i % 40, 6)
                    .arg(2356.19 + i, 8, 'f', 2)
                    .arg(40 - i % 40, 6)
                    .arg(10210.18 + 2 * i, 9, 'f', 2);
    }
    return rows;
}

void writeList(benchmark::State& state)
{
    const QStringList rows = sampleRows();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("list.txt"));
    qint64 units = 0;
    for (int i = 0; i < Rows; ++i)
        units += rows[i % rows.size()].size();
    for (auto _ : state) {
        report::ResultFileWriter writer(path);
        for (int i = 0; i < Rows; ++i)
            writer.write(rows[i % rows.size()]);
        writer.commit();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["text_units"] = double(units);
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
}

void encodeOnly(benchmark::State& state)
{
    const QString text = sampleRows().join(QString());
    for (auto _ : state)
        benchmark::DoNotOptimize(report::EncodeResultText(text));
    state.SetItemsProcessed(state.iterations() * text.size()); // UTF-16 units
}

} // namespace

BENCHMARK(writeList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(encodeOnly)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
