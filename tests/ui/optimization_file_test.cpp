// The optimization lists as saved files: "存盘" after a run, after a sort and after a
// filter. The bytes are GBK; decoded, every line must match the reference file and end
// with CR LF.

#include "tests/formfixture.h"
#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>

using namespace ui;

namespace {

const QString FullList = QStringLiteral("嵌岩桩优化计算原始结果(依据TB10093-2017)_表格.txt");
const QString FilteredList = QStringLiteral("嵌岩桩优化计算筛选结果(依据TB10093-2017)_表格.txt");

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The lines of a saved list; fails when a line does not end with CR LF.
QStringList savedLines(const RecordingPlatform& platform, const QString& name)
{
    const QByteArray bytes = readBytes(platform.documents.filePath(name));
    [&] { QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name)); }();
    QStringDecoder gbk = ResultFileDecoder();
    QString text = gbk(bytes);
    [&] { QVERIFY(!gbk.hasError()); }();
    text.chop(2);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString& line : lines)
        [&] {
            QVERIFY2(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')),
                qPrintable(line));
        }();
    return lines;
}

QStringList referenceLines(const QString& name)
{
    QFile file(QStringLiteral(ROCKPILE_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {QStringLiteral("missing reference file ") + name};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// Whole lines, blanks included; shows the first line that differs.
void compareLines(const QStringList& actual, const QStringList& expected)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            QFAIL(
                qPrintable(QStringLiteral("line %1 differs:\n  actual   \"%2\"\n  expected \"%3\"")
                               .arg(i + 1)
                               .arg(actual[i], expected[i])));
    }
    QCOMPARE(actual.size(), expected.size());
}

void setRange(
    FormFixture& f, int row, const QString& minimum, const QString& maximum, const QString& step)
{
    f->Grid1_Youhuaxuanxiang.editCell(1, row, minimum);
    f->Grid1_Youhuaxuanxiang.editCell(2, row, maximum);
    f->Grid1_Youhuaxuanxiang.editCell(3, row, step);
}

// 120 cases: every section type, both processes, all rock conditions, two depths.
void run120(FormFixture& f)
{
    f->cbt_YouHua.click();
    setRange(f, 1, "1000", "2000", "500");
    setRange(f, 2, "1000", "1500", "500");
    setRange(f, 3, "2000", "2000", "500");
    setRange(f, 4, "1000", "2000", "500");
    setRange(f, 5, "1000", "2000", "500");
    setRange(f, 6, "1.0d", "2.0d", "1.0d");
    setRange(f, 7, "35.00", "35.00", "5.00");
    setRange(f, 9, "1", "3", "1");
    f->cbt_YHcompute.click();
}

} // namespace

class OptimizationFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fullListAfterADescendingSort()
    {
        FormFixture f;
        run120(f);
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 120);
        f->Grid2_Youhuajieguo.clickHeader(4);
        f->Grid2_Youhuajieguo.clickHeader(4);
        QVERIFY(f->cbt_YHsave.isEnabled());
        f->cbt_YHsave.click();
        QVERIFY(f.platform.errors.isEmpty());
        QVERIFY(!f->cbt_YHsave.isEnabled());
        const QStringList lines = savedLines(f.platform, FullList);
        compareLines(lines, referenceLines(QStringLiteral("optimization_list_120.txt")));
        // Positions, not the grid's pile numbers; the largest [P] first.
        QVERIFY(lines[5].startsWith(QStringLiteral("  ZH-001   ")));
        QVERIFY(lines[5].endsWith(f->Grid2_Youhuajieguo.cell(4, 0) + QStringLiteral("  ")));
        QVERIFY(f->Grid2_Youhuajieguo.cell(0, 0) != QStringLiteral("ZH-001"));
    }

    void filteredListIsNumberedByItsOwnPositions()
    {
        FormFixture f;
        run120(f);
        f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("18200"));
        f->Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("23503"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 9);
        f->cbt_YHsave.click();
        QVERIFY(f.platform.errors.isEmpty());
        const QStringList lines = savedLines(f.platform, FilteredList);
        compareLines(lines, referenceLines(QStringLiteral("optimization_list_9.txt")));
        QVERIFY(lines[5].startsWith(QStringLiteral("   ZH-1    ")));
        QVERIFY(!QFile::exists(f.platform.documents.filePath(FullList)));
    }

    void midnightStampShowsTheDateOnly()
    {
        FormFixture f;
        f.platform.clock = QDateTime(QDate(2026, 12, 10), QTime(0, 0));
        run120(f);
        f->cbt_YHsave.click();
        const QStringList lines = savedLines(f.platform, FullList);
        QCOMPARE(lines.last(),
            QStringLiteral("计算时间：")
                + QLocale(QLocale::Chinese, QLocale::China)
                      .toString(QDate(2026, 12, 10), QLocale::ShortFormat));
    }

    void savingAgainReplacesTheFile()
    {
        FormFixture f;
        run120(f);
        f->cbt_YHsave.click();
        setRange(f, 0, "1", "1", "1");
        f->cbt_YHcompute.click();
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 24);
        f->cbt_YHsave.click();
        const QStringList lines = savedLines(f.platform, FullList);
        QCOMPARE(lines.size(), 5 + 24 + 4);
        QVERIFY(lines[28].startsWith(QStringLiteral("   ZH-24 ")));
    }
};

ROCKPILE_TEST(OptimizationFileTest)
#include "optimization_file_test.moc"
