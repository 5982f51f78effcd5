// "导出PDF" and where saved files are to be found: the report on display goes beside its
// text file, a failure keeps the earlier PDF, and the save button names the last file
// written. The pages themselves are the view's (tests/view); here a stand-in renders.

#include "tests/testmain.h"
#include "tests/ui/results_panel.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace results_testing;

namespace {

const QString BookPdf = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.pdf");
const QString TablePdf = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.pdf");

// Renders a report as its title and lines, and remembers what it was given.
struct StandInRenderer {
    QList<report::PrintedReport> given;
    QByteArray operator()(const report::PrintedReport& printed)
    {
        given << printed;
        return ("%PDF " + printed.title + '\n' + printed.lines.join(QLatin1Char('\n'))).toUtf8();
    }
};

void exportPdf(FormFixture& f, StandInRenderer& renderer)
{
    f->ExportReportPdf([&renderer](const report::PrintedReport& p) { return renderer(p); });
}

} // namespace

class ResultsExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportsTheReportOnDisplay_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("page 1: the book, upright") << false << BookPdf << false;
        QTest::newRow("page 2: the table, across") << true << TablePdf << true;
    }
    void exportsTheReportOnDisplay()
    {
        QFETCH(bool, table);
        QFETCH(QString, fileName);
        QFETCH(bool, landscape);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, DrivenPile(), 4);
        OpenResults(f);
        if (table)
            f->cbt_PageBook.click();
        const ui::Memo& memo = table ? f->meo_jisuanjieguo_Xls : f->meo_jisuanjieguo_Doc;
        StandInRenderer renderer;
        exportPdf(f, renderer);

        QCOMPARE(renderer.given.size(), 1);
        const report::PrintedReport& printed = renderer.given.first();
        QCOMPARE(printed.lines, memo.lines());
        QCOMPARE(printed.title, fileName.chopped(4));
        QCOMPARE(printed.orientation == report::PageOrientation::Landscape, landscape);
        QCOMPARE(printed.keepSectionsTogether, !table);
        const QString path = QDir::toNativeSeparators(f.platform.documents.filePath(fileName));
        QCOMPARE(ReadFileBytes(path), renderer(printed));
        // Only the PDF was written, and the report still counts as unsaved.
        QCOMPARE(QDir(f.platform.documents.path()).entryList(QDir::Files), QStringList{fileName});
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_Save.isEnabled());
        QCOMPARE(f->cbt_Save.hint(), QStringLiteral("已保存：") + path);
        QVERIFY(f.platform.messages.isEmpty());
    }

    // Nothing to print: an empty report, or the results screen not shown.
    void nothingToExport()
    {
        FormFixture f;
        StandInRenderer renderer;
        AddPile(f, DefaultPile(), 3);
        exportPdf(f, renderer); // still on the input screen
        QVERIFY(!f->ReportOnDisplay());
        OpenResults(f);
        QVERIFY(f->ReportOnDisplay());
        f->cbt_sanchu.click(); // the only pile removed: both reports empty
        QVERIFY(!f->ReportOnDisplay());
        exportPdf(f, renderer);
        f->cbt_PageBook.click();
        exportPdf(f, renderer);
        QVERIFY(renderer.given.isEmpty());
        QVERIFY(QDir(f.platform.documents.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(f->cbt_Save.hint(), QString());
    }

    void failedExportKeepsTheEarlierPdf_data() { AddDocumentFailureRows(); }
    void failedExportKeepsTheEarlierPdf()
    {
        QFETCH(QString, failure);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        StandInRenderer renderer;
        exportPdf(f, renderer);
        const QString path = f.platform.documents.filePath(BookPdf);
        const QByteArray earlier = ReadFileBytes(path);
        const QString hint = f->cbt_Save.hint();
        f->cbt_Exit.click();
        AddPile(f, EllipticalPile(), 5);
        OpenResults(f);

        WithFailingDocuments(f, failure, path, [&] { exportPdf(f, renderer); });
        const QStringList errors = f.platform.takeErrors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(BookPdf), qPrintable(errors.first()));
        QCOMPARE(ReadFileBytes(path), earlier);
        QCOMPARE(QDir(f.platform.documents.path()).entryList(QDir::Files), QStringList{BookPdf});
        QCOMPARE(f->cbt_Save.hint(), hint);
        QCOMPARE(f->UnsavedReports, 3);
    }

    // The save buttons name the file each save wrote, with the platform's separators.
    void saveButtonsNameTheFileWritten()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        QCOMPARE(f->cbt_Save.hint(), QString());
        f->cbt_Save.click();
        const auto saved = [&f](const QString& name) {
            return QStringLiteral("已保存：")
                + QDir::toNativeSeparators(f.platform.documents.filePath(name));
        };
        QCOMPARE(
            f->cbt_Save.hint(), saved(QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.txt")));
        f->cbt_PageBook.click();
        f->cbt_Save.click();
        QCOMPARE(
            f->cbt_Save.hint(), saved(QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.txt")));
        f->cbt_PageBook.click(); // a page switch changes no tooltip
        QCOMPARE(
            f->cbt_Save.hint(), saved(QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.txt")));
        f->cbt_Exit.click();

        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        QCOMPARE(f->cbt_YHsave.hint(), QString());
        f->cbt_YHsave.click();
        QCOMPARE(f->cbt_YHsave.hint(),
            saved(QStringLiteral("嵌岩桩优化计算原始结果(依据TB10093-2017)_表格.txt")));
        f->cbt_YHsaixuan.click();
        f->cbt_YHsave.click();
        QCOMPARE(f->cbt_YHsave.hint(),
            saved(QStringLiteral("嵌岩桩优化计算筛选结果(依据TB10093-2017)_表格.txt")));
    }

    // A failed save names nothing new: the tooltip still points at the file that exists.
    void failedSaveKeepsTheTooltip()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_Save.click();
        const QString hint = f->cbt_Save.hint();
        f->cbt_Exit.click();
        AddPile(f, DrivenPile(), 4);
        OpenResults(f);
        f.platform.noDocumentsFolder = true;
        f->cbt_Save.click();
        QCOMPARE(f.platform.takeErrors().size(), 1);
        QCOMPARE(f->cbt_Save.hint(), hint);
    }
};

ROCKPILE_TEST(ResultsExportTest)
#include "results_export_test.moc"
