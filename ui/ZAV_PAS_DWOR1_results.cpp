// Results screen, the two reports and saving. The memos are the only record of the
// piles calculated: every operation here re-reads their lines, and the report layout
// (book sections closed by a 50-"=" line, the table's four footer lines) is what lets
// delete-last find the last pile again.

#include "ui/ZAV_PAS_DWOR1.h"

#include "core/errors.h"
#include "report/calculation_book.h"
#include "report/resultfile.h"
#include "report/summary_table.h"

namespace ui {

namespace {

// The memo shows its first lines again.
void moveToTop(Memo& memo)
{
    memo.moveCaretToLineEnd();
    memo.moveCaretToStart();
}

} // namespace

void TZAV_FRM_DWOR1::AppendPileToReports(
    const core::PileDesignCase& pile, const core::CapacityResult& result, core::PrecisionMode mode)
{
    ++ReportPileCount;
    const int n = ReportPileCount;
    if (n == 1) {
        WriteTableHead();
    } else {
        RemoveTableFooter();
        RemoveBookStamp();
    }
    // One time for both reports, so that their stamps agree.
    const QString timeText = TimeText(platform().now());
    meo_jisuanjieguo_Xls.addLine(
        report::SummaryTableRow(pile, result, n, mode, m_decimalSeparator));
    meo_jisuanjieguo_Xls.addLines(report::SummaryTableFooter(timeText));
    meo_jisuanjieguo_Doc.addLines(
        report::BookSectionLines(pile, result, n, mode, timeText, m_decimalSeparator));
}

void TZAV_FRM_DWOR1::WriteTableHead()
{
    meo_jisuanjieguo_Xls.addLines(report::SummaryTableHead());
}

void TZAV_FRM_DWOR1::RemoveTableFooter()
{
    for (int i = 0; i < report::SummaryTableFooterLines; ++i)
        meo_jisuanjieguo_Xls.deleteLine(meo_jisuanjieguo_Xls.lineCount() - 1);
    meo_jisuanjieguo_Xls.moveCaretToStart();
}

void TZAV_FRM_DWOR1::RemoveBookStamp()
{
    meo_jisuanjieguo_Doc.deleteLine(meo_jisuanjieguo_Doc.lineCount() - 1);
    meo_jisuanjieguo_Doc.moveCaretToStart();
}

void TZAV_FRM_DWOR1::cbt_PageBookClick()
{
    // "保存" follows whether the report that comes on display is still unsaved.
    const QString page = cbt_PageBook.text();
    if (page == QLatin1String("1")) {
        meo_jisuanjieguo_Doc.setVisible(false);
        meo_jisuanjieguo_Xls.setVisible(true);
        cbt_Save.setEnabled((UnsavedReports & TableUnsaved) != 0);
        cbt_PageBook.setText(QStringLiteral("2"));
    } else if (page == QLatin1String("2")) {
        meo_jisuanjieguo_Xls.setVisible(false);
        meo_jisuanjieguo_Doc.setVisible(true);
        cbt_Save.setEnabled((UnsavedReports & BookUnsaved) != 0);
        cbt_PageBook.setText(QStringLiteral("1"));
    }
}

void TZAV_FRM_DWOR1::cbt_sanchuClick()
{
    if (ReportPileCount <= 1) {
        ReportPileCount = 0;
        moveToTop(meo_jisuanjieguo_Xls);
        meo_jisuanjieguo_Xls.clearLines();
        moveToTop(meo_jisuanjieguo_Doc);
        meo_jisuanjieguo_Doc.clearLines();
        UnsavedReports = 0;
        cbt_Save.setEnabled(false);
        cbt_sanchu.setEnabled(false);
        return;
    }
    --ReportPileCount;
    // The last row stands right above the footer.
    Memo& table = meo_jisuanjieguo_Xls;
    table.deleteLine(table.lineCount() - 1 - report::SummaryTableFooterLines);
    moveToTop(table);
    // The last section ends with the closing line right above the stamp: remove that
    // line, then every line above the stamp until the previous section's closing line
    // is there. Each round removes a line, so even a book without closing lines ends.
    Memo& book = meo_jisuanjieguo_Doc;
    const QString closing = report::BookClosingLine();
    book.deleteLine(book.lineCount() - 2);
    while (book.lineCount() >= 2 && book.lines().at(book.lineCount() - 2) != closing) {
        book.deleteLine(book.lineCount() - 2);
        moveToTop(book);
    }
}

void TZAV_FRM_DWOR1::tcb_meoFontSizeChange()
{
    meo_jisuanjieguo_Xls.setFontSize(tcb_meoFontSize.value());
    meo_jisuanjieguo_Doc.setFontSize(tcb_meoFontSize.value());
}

void TZAV_FRM_DWOR1::cbt_SaveClick()
{
    // The answer may come after this click has returned (a rationale dialog first), so
    // both handlers run guarded on their own: a file error still reaches the error report.
    platform().requestPermissions(
        {FPermissionWriteExternalStorage},
        [this](const QStringList& names, const QList<PermissionStatus>& results) {
            runUserAction([&] { WriteResultFiles(names, results); });
        },
        [this](const QStringList& names, std::function<void()> proceed) {
            runUserAction([&] { DisplayRationale(names, proceed); });
        });
}

void TZAV_FRM_DWOR1::cbt_YHsaveClick()
{
    cbt_SaveClick();
}

void TZAV_FRM_DWOR1::DisplayRationale(
    const QStringList& permissions, std::function<void()> postRationale)
{
    QString message;
    for (const QString& name : permissions) {
        if (name == FPermissionWriteExternalStorage)
            message += QStringLiteral("需要存贮权限，否则计算结果不能存盘");
    }
    // One dialog for the whole request: the request must go on exactly once.
    platform().showMessage(message, [this, postRationale] {
        if (postRationale)
            runUserAction(postRationale);
    });
}

void TZAV_FRM_DWOR1::WriteResultFiles(
    const QStringList&, const QList<PermissionStatus>& grantResults)
{
    if (grantResults.size() != 1 || grantResults.front() != PermissionStatus::Granted) {
        platform().showMessage(QStringLiteral("无权存盘"), {});
        return;
    }
    // State changes only once the file has been written: a failed save throws first.
    if (OptimizationMode == 0) {
        const QString page = cbt_PageBook.text();
        if (page == QLatin1String("1")) {
            const QString path = report::ResultFilePath(
                platform().documentsFolder(), report::ResultFileName(report::ResultFile::Book));
            report::WriteReportFile(path, meo_jisuanjieguo_Doc.lines());
            UnsavedReports &= ~BookUnsaved;
            cbt_Save.setEnabled(false);
            ShowSavedPath(cbt_Save, path);
        } else if (page == QLatin1String("2")) {
            const QString path = report::ResultFilePath(
                platform().documentsFolder(), report::ResultFileName(report::ResultFile::Table));
            report::WriteReportFile(path, meo_jisuanjieguo_Xls.lines());
            UnsavedReports &= ~TableUnsaved;
            cbt_Save.setEnabled(false);
            ShowSavedPath(cbt_Save, path);
        }
        return;
    }
    if (Grid2_Youhuajieguo.isVisible() && Grid2_Youhuajieguo.rowCount() > 0) {
        const QString path
            = WriteOptimizationTable(Grid2_Youhuajieguo, report::ResultFile::OptimizationList);
        cbt_YHsave.setEnabled(false);
        ShowSavedPath(cbt_YHsave, path);
    } else if (Grid3_Youhuasaixuan.isVisible() && Grid3_Youhuasaixuan.rowCount() > 0) {
        const QString path
            = WriteOptimizationTable(Grid3_Youhuasaixuan, report::ResultFile::FilteredList);
        cbt_YHsave.setEnabled(false);
        ShowSavedPath(cbt_YHsave, path);
    }
}

void TZAV_FRM_DWOR1::ShowSavedPath(Button& saveButton, const QString& path)
{
    saveButton.setHint(QStringLiteral("已保存：") + path);
}

std::optional<report::PrintedReport> TZAV_FRM_DWOR1::ReportOnDisplay() const
{
    if (!JieGuo_DocLayer.isVisible())
        return std::nullopt;
    const QString page = cbt_PageBook.text();
    report::PrintedReport printed;
    if (page == QLatin1String("1")) {
        printed.title = report::ResultPdfFileName(report::ResultFile::Book).chopped(4);
        printed.lines = meo_jisuanjieguo_Doc.lines();
        printed.orientation = report::PageOrientation::Portrait;
        printed.keepSectionsTogether = true;
    } else if (page == QLatin1String("2")) {
        // 190 columns need the long side of the sheet.
        printed.title = report::ResultPdfFileName(report::ResultFile::Table).chopped(4);
        printed.lines = meo_jisuanjieguo_Xls.lines();
        printed.orientation = report::PageOrientation::Landscape;
    } else {
        return std::nullopt;
    }
    if (printed.lines.isEmpty())
        return std::nullopt;
    return printed;
}

void TZAV_FRM_DWOR1::ExportReportPdf(
    const std::function<QByteArray(const report::PrintedReport&)>& render)
{
    runUserAction([this, &render] {
        const auto printed = ReportOnDisplay();
        if (!printed || !render)
            return;
        const bool book = cbt_PageBook.text() == QLatin1String("1");
        const QString name = report::ResultPdfFileName(
            book ? report::ResultFile::Book : report::ResultFile::Table);
        const QString path = report::ResultFilePath(platform().documentsFolder(), name);
        const QByteArray pdf = render(*printed);
        if (pdf.isEmpty())
            throw core::FileError(QStringLiteral("文件“%1”未能生成。").arg(name));
        report::WriteResultBytes(path, pdf);
        ShowSavedPath(cbt_Save, path);
    });
}

} // namespace ui
