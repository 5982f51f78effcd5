#pragma once

// The main form of the program: one window with three stacked screens (input,
// results, optimization). Every control is a public member under the program's own
// name, every operation is one of the handlers below, and the handlers are short:
// the rules live in core/, report/ and optimization/. Each screen's handlers are
// public, the helpers they share private. The form owns the run state and the platform
// seam; the widget view renders it and forwards the user's actions.
//
// Handlers are split over files by screen:
//   ZAV_PAS_DWOR1.cpp              creation, navigation, status line
//   ZAV_PAS_DWOR1_design.cpp       design-time properties of every control
//   ZAV_PAS_DWOR1_input.cpp        input panel change handlers and the calculation
//   ZAV_PAS_DWOR1_results.cpp      results screen, reports and saving
//   ZAV_PAS_DWOR1_optimization.cpp options table, run, filter, sorting, pick-up

#include "core/capacity.h"
#include "core/design_case.h"
#include "core/result_schema.h"
#include "core/validation.h"
#include "report/print_layout.h"
#include "report/resultfile.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/stringgrid.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace ui {

class TZAV_HBT_FRM_CopyRight;

class TZAV_FRM_DWOR1 : public ActionGuard {
public:
    explicit TZAV_FRM_DWOR1(Platform platform = Platform());
    ~TZAV_FRM_DWOR1() override;

    static QString caption() { return QStringLiteral("嵌岩桩承载力计算 (TB10093-2017)"); }
    static constexpr double ClientWidth = 380;
    static constexpr double ClientHeight = 700;

    // ---- Run state, zeroed first thing in FormCreate.
    qint32 ReportPileCount = 0;
    // The reports extended since they were last saved, one bit each; a calculation sets
    // both, a save clears the one it wrote.
    qint32 UnsavedReports = 0;
    static constexpr qint32 BookUnsaved = 1;
    static constexpr qint32 TableUnsaved = 2;
    qint32 OptimizationMode = 0;
    qint32 DSortOrder = 0;
    qint32 PSortOrder = 0;
    core::LastCapacityRecord LastCapacity;
    // Platform name of the storage permission; nothing assigns it on the desktop.
    QString FPermissionWriteExternalStorage;

    // ---- Input screen.
    Layer MainFormLayer{*this, nullptr, QStringLiteral("MainFormLayer")};
    Label lb_cxm{*this, &MainFormLayer, QStringLiteral("lb_cxm")};
    Button cbt_CopyRight{*this, &MainFormLayer, QStringLiteral("cbt_CopyRight")};

    GroupBox gpb_srcs{*this, &MainFormLayer, QStringLiteral("gpb_srcs")};
    Label lb_jmlx{*this, &gpb_srcs, QStringLiteral("lb_jmlx")};
    ComboBox cbb_jmlx{*this, &gpb_srcs, QStringLiteral("cbb_jmlx")};
    Label lb_dd{*this, &gpb_srcs, QStringLiteral("lb_dd")};
    ComboEdit cbe_dd{*this, &gpb_srcs, QStringLiteral("cbe_dd")};
    Label lb_tyzd{*this, &gpb_srcs, QStringLiteral("lb_tyzd")};
    ComboEdit cbe_tyzd{*this, &gpb_srcs, QStringLiteral("cbe_tyzd")};
    Label lb_hr{*this, &gpb_srcs, QStringLiteral("lb_hr")};
    ComboEdit cbe_hr{*this, &gpb_srcs, QStringLiteral("cbe_hr")};
    Label lb_czgy{*this, &gpb_srcs, QStringLiteral("lb_czgy")};
    ComboBox cbb_czgy{*this, &gpb_srcs, QStringLiteral("cbb_czgy")};

    GroupBox gbp_jycs{*this, &MainFormLayer, QStringLiteral("gbp_jycs")};
    Label lb_frk{*this, &gbp_jycs, QStringLiteral("lb_frk")};
    Edit edt_frk{*this, &gbp_jycs, QStringLiteral("edt_frk")};
    Label lb_ysjqdqk{*this, &gbp_jycs, QStringLiteral("lb_ysjqdqk")};
    ComboBox cbb_ysjqdqk{*this, &gbp_jycs, QStringLiteral("cbb_ysjqdqk")};

    GroupBox gpb_scjg{*this, &MainFormLayer, QStringLiteral("gpb_scjg")};
    Label lb_ra{*this, &gpb_scjg, QStringLiteral("lb_ra")};
    Edit edt_ra{*this, &gpb_scjg, QStringLiteral("edt_ra")};
    Label lb_Pr{*this, &gpb_scjg, QStringLiteral("lb_Pr")};
    Edit edt_Pr{*this, &gpb_scjg, QStringLiteral("edt_Pr")};
    Label lb_percent{*this, &gpb_scjg, QStringLiteral("lb_percent")};
    Edit edt_percent{*this, &gpb_scjg, QStringLiteral("edt_percent")};
    Label lb_guifan1{*this, &gpb_scjg, QStringLiteral("lb_guifan1")};
    Label lb_guifan2{*this, &gpb_scjg, QStringLiteral("lb_guifan2")};
    Button cbt_JingDu{*this, &gpb_scjg, QStringLiteral("cbt_JingDu")};
    PopupBox popbox_jingdu{*this, &gpb_scjg, QStringLiteral("popbox_jingdu")};

    Button cbt_compute{*this, &MainFormLayer, QStringLiteral("cbt_compute")};
    Button cbt_View{*this, &MainFormLayer, QStringLiteral("cbt_View")};
    Button cbt_YouHua{*this, &MainFormLayer, QStringLiteral("cbt_YouHua")};
    Button cbt_tuichu{*this, &MainFormLayer, QStringLiteral("cbt_tuichu")};
    Image img_logo{*this, &MainFormLayer, QStringLiteral("img_logo")};
    Label lb_shuoming{*this, &MainFormLayer, QStringLiteral("lb_shuoming")};

    // ---- Results screen.
    Layer JieGuo_DocLayer{*this, nullptr, QStringLiteral("JieGuo_DocLayer")};
    Label lb_jisuanjieguo{*this, &JieGuo_DocLayer, QStringLiteral("lb_jisuanjieguo")};
    Button cbt_PageBook{*this, &JieGuo_DocLayer, QStringLiteral("cbt_PageBook")};
    Memo meo_jisuanjieguo_Doc{*this, &JieGuo_DocLayer, QStringLiteral("meo_jisuanjieguo_Doc")};
    Memo meo_jisuanjieguo_Xls{*this, &JieGuo_DocLayer, QStringLiteral("meo_jisuanjieguo_Xls")};
    Button cbt_sanchu{*this, &JieGuo_DocLayer, QStringLiteral("cbt_sanchu")};
    Button cbt_Exit{*this, &JieGuo_DocLayer, QStringLiteral("cbt_Exit")};
    Button cbt_Save{*this, &JieGuo_DocLayer, QStringLiteral("cbt_Save")};
    TrackBar tcb_meoFontSize{*this, &JieGuo_DocLayer, QStringLiteral("tcb_meoFontSize")};

    // ---- Optimization screen.
    Layer YouHuaFormLayer{*this, nullptr, QStringLiteral("YouHuaFormLayer")};
    Label lb_youhuabiaoti{*this, &YouHuaFormLayer, QStringLiteral("lb_youhuabiaoti")};

    StringGrid Grid1_Youhuaxuanxiang{
        *this, &YouHuaFormLayer, QStringLiteral("Grid1_Youhuaxuanxiang")};
    StringColumn Grid1_01_Str_YHxuanxiang{
        *this, Grid1_Youhuaxuanxiang, QStringLiteral("Grid1_01_Str_YHxuanxiang")};
    StringColumn Grid1_02_Str_YHmin{
        *this, Grid1_Youhuaxuanxiang, QStringLiteral("Grid1_02_Str_YHmin")};
    StringColumn Grid1_03_Str_YHmax{
        *this, Grid1_Youhuaxuanxiang, QStringLiteral("Grid1_03_Str_YHmax")};
    StringColumn Grid1_04_Str_YHstep{
        *this, Grid1_Youhuaxuanxiang, QStringLiteral("Grid1_04_Str_YHstep")};
    StringColumn Grid1_05_Str_YHshuoming{
        *this, Grid1_Youhuaxuanxiang, QStringLiteral("Grid1_05_Str_YHshuoming")};

    StringGrid Grid2_Youhuajieguo{
        *this, &YouHuaFormLayer, QStringLiteral("Grid2_Youhuajieguo"), core::ResultCellKind};
    StringColumn Grid2_01_Str_YHzhuangbianhao{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_01_Str_YHzhuangbianhao")};
    StringColumn Grid2_02_Str_YHjiemianleixing{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_02_Str_YHjiemianleixing")};
    StringColumn Grid2_03_Str_YHzhuangD{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_03_Str_YHzhuangD")};
    StringColumn Grid2_04_Str_YHtuoyuanzhiduanC{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_04_Str_YHtuoyuanzhiduanC")};
    StringColumn Grid2_05_Str_YHRa{*this, Grid2_Youhuajieguo, QStringLiteral("Grid2_05_Str_YHRa")};
    StringColumn Grid2_06_Str_YHzhuangHr{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_06_Str_YHzhuangHr")};
    StringColumn Grid2_07_Str_YHfrk{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_07_Str_YHfrk")};
    StringColumn Grid2_08_Str_YHczgy{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_08_Str_YHczgy")};
    StringColumn Grid2_09_Str_YHyszk{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_09_Str_YHyszk")};
    StringColumn Grid2_10_Str_YHxishuc{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_10_Str_YHxishuc")};
    StringColumn Grid2_11_Str_YHxishuc1{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_11_Str_YHxishuc1")};
    StringColumn Grid2_12_Str_YHxishuc2{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_12_Str_YHxishuc2")};
    StringColumn Grid2_13_Str_YHQrs{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_13_Str_YHQrs")};
    StringColumn Grid2_14_Str_YHQrsper{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_14_Str_YHQrsper")};
    StringColumn Grid2_15_Str_YHQrp{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_15_Str_YHQrp")};
    StringColumn Grid2_16_Str_YHQrpper{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_16_Str_YHQrpper")};
    StringColumn Grid2_17_Str_YHBeizhu{
        *this, Grid2_Youhuajieguo, QStringLiteral("Grid2_17_Str_YHBeizhu")};

    StringGrid Grid3_Youhuasaixuan{
        *this, &YouHuaFormLayer, QStringLiteral("Grid3_Youhuasaixuan"), core::ResultCellKind};
    StringColumn Grid3_01_Str_YHzhuangbianhao{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_01_Str_YHzhuangbianhao")};
    StringColumn Grid3_02_Str_YHjiemianleixing{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_02_Str_YHjiemianleixing")};
    StringColumn Grid3_03_Str_YHzhuangD{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_03_Str_YHzhuangD")};
    StringColumn Grid3_04_Str_YHtuoyuanzhiduanC{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_04_Str_YHtuoyuanzhiduanC")};
    StringColumn Grid3_05_Str_YHRa{*this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_05_Str_YHRa")};
    StringColumn Grid3_06_Str_YHzhuangHr{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_06_Str_YHzhuangHr")};
    StringColumn Grid3_07_Str_YHfrk{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_07_Str_YHfrk")};
    StringColumn Grid3_08_Str_YHczgy{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_08_Str_YHczgy")};
    StringColumn Grid3_09_Str_YHyszk{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_09_Str_YHyszk")};
    StringColumn Grid3_10_Str_YHxishuc{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_10_Str_YHxishuc")};
    StringColumn Grid3_11_Str_YHxishuc1{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_11_Str_YHxishuc1")};
    StringColumn Grid3_12_Str_YHxishuc2{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_12_Str_YHxishuc2")};
    StringColumn Grid3_13_Str_YHQrs{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_13_Str_YHQrs")};
    StringColumn Grid3_14_Str_YHQrsper{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_14_Str_YHQrsper")};
    StringColumn Grid3_15_Str_YHQrp{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_15_Str_YHQrp")};
    StringColumn Grid3_16_Str_YHQrpper{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_16_Str_YHQrpper")};
    StringColumn Grid3_17_Str_YHBeizhu{
        *this, Grid3_Youhuasaixuan, QStringLiteral("Grid3_17_Str_YHBeizhu")};

    Label lb_huzhu{*this, &YouHuaFormLayer, QStringLiteral("lb_huzhu")};
    Button cbt_zhangkai{*this, &YouHuaFormLayer, QStringLiteral("cbt_zhangkai")};
    Button cbt_YHcompute{*this, &YouHuaFormLayer, QStringLiteral("cbt_YHcompute")};
    Button cbt_YHsaixuan{*this, &YouHuaFormLayer, QStringLiteral("cbt_YHsaixuan")};
    Button cbt_YHsave{*this, &YouHuaFormLayer, QStringLiteral("cbt_YHsave")};
    Button cbt_YHfanhui{*this, &YouHuaFormLayer, QStringLiteral("cbt_YHfanhui")};
    Label lb_YHxingxi{*this, &YouHuaFormLayer, QStringLiteral("lb_YHxingxi")};

    // ---- Creation, navigation, status line (ZAV_PAS_DWOR1.cpp).
    void FormCreate();
    void FormClose();
    void cbt_tuichuClick();
    void cbt_YouHuaClick();
    void cbt_YHfanhuiClick();
    void cbt_ViewClick();
    void cbt_ExitClick();
    void cbt_CopyRightClick();
    void cbt_JingDuClick();
    // Ctrl+Return: a click on the "计算" of the screen in use (nothing on the results
    // screen, nothing when that "计算" is out of reach).
    void CalculateByKeyboard();

    // Status line of the input screen: a message replaces the logo for good.
    void ShowStatusMessage(const QString& text, quint32 color);
    void ClearStatusMessage();

    // ---- Input panel and the calculation (ZAV_PAS_DWOR1_input.cpp).
    void cbb_jmlxChange();
    void cbb_czgyChange();
    void cbb_ysjqdqkChange();
    void cbe_ddChange();
    void cbe_tyzdChange();
    void edt_frkChange();
    void cbe_hrChange();
    void popbox_jingduChange();
    void cbt_computeClick() { CapacityCalculation(); }
    void CapacityCalculation();
    void InvalidateResults();
    // The design case the panel holds, as the calculation reads it; the pile chart reads
    // it too.
    core::PileDesignCase ReadPileDesignCase() const;

private:
    // Completes the case or reports the first problem and aborts the action.
    void ValidatePileDesignCase(core::PileDesignCase& pile);
    [[noreturn]] void ReportInputError(const QString& message, Control& field);
    // The panel control of an input field the checks name.
    Control& InputControl(core::InputField field);
    void ShowResultBoxes(const core::CapacityResult& result, int precisionIndex);

public:
    // ---- Results screen, reports and saving (ZAV_PAS_DWOR1_results.cpp).
    void cbt_PageBookClick();
    void cbt_sanchuClick();
    void tcb_meoFontSizeChange();
    void cbt_SaveClick();
    void cbt_YHsaveClick();
    // The report on display as it goes to paper, or nothing when the results screen is
    // not shown or its report is empty.
    std::optional<report::PrintedReport> ReportOnDisplay() const;
    // "导出PDF": the report on display into the documents folder, beside its text file
    // under the same name with ".pdf". `render` makes the file's bytes (the view paints
    // the pages). Runs guarded: a file that cannot be written is reported like a failed
    // save and leaves an earlier PDF whole. Neither UnsavedReports nor "保存" change.
    void ExportReportPdf(const std::function<QByteArray(const report::PrintedReport&)>& render);

private:
    void DisplayRationale(const QStringList& permissions, std::function<void()> postRationale);
    void WriteResultFiles(
        const QStringList& permissions, const QList<PermissionStatus>& grantResults);
    // A calculated pile goes into both reports under the next number, with one time
    // stamp for both, so that the book and the table always list the same piles.
    void AppendPileToReports(const core::PileDesignCase& pile, const core::CapacityResult& result,
        core::PrecisionMode mode);
    void WriteTableHead();
    void RemoveTableFooter();
    void RemoveBookStamp();
    // The save button's tooltip names the file just written, so it can be found.
    void ShowSavedPath(Button& saveButton, const QString& path);

public:
    // ---- Optimization screen (ZAV_PAS_DWOR1_optimization.cpp).
    void Grid1_YouhuaxuanxiangSelectCell(int column, int row);
    void Grid1_YouhuaxuanxiangEditingDone(int column, int row);
    void cbt_YHcomputeClick();
    void cbt_YHsaixuanClick();
    void Grid2_YouhuajieguoHeaderClick(int column);
    void Grid3_YouhuasaixuanHeaderClick(int column);
    void cbt_zhangkaiClick();
    void Grid2_YouhuajieguoCellDblClick(int column, int row);
    void Grid3_YouhuasaixuanCellDblClick(int column, int row);

private:
    void FillOptimizationTables();
    // Writes the grid as the 170-column list file into the documents folder; returns
    // the file's path.
    QString WriteOptimizationTable(const StringGrid& grid, report::ResultFile file);
    void SortResultGrid(StringGrid& grid, int column, StringColumn& dHeader, StringColumn& pHeader);
    void PickUpResult(const StringGrid& grid, int row);
    // The optimization screen's status line: errors in red, completions in black.
    void ShowOptimizationMessage(const QString& text, quint32 color);
    // Column 0 of the full list: "ZH-" numbers once a run has completed, plain
    // positions when it stopped early.
    void NumberOptimizationRows(bool final);

public:
    // ---- The form itself.
    void runUserAction(const std::function<void()>& action) override;
    const Platform& platform() const { return m_platform; }
    QChar decimalSeparator() const { return m_decimalSeparator; }
    // Closes the main form ("退出" or the window closed): nothing is saved or asked.
    void Close();
    bool isClosed() const { return m_closed; }
    // The view sets this to close its window when the form closes.
    std::function<void()> closeWindow;
    // The About form, created on the first "©" and kept.
    TZAV_HBT_FRM_CopyRight* aboutForm() const { return m_about.get(); }

private:
    // The report time text: the locale's short date, a blank, the long time without zone.
    QString TimeText(const QDateTime& time) const;
    void designControls(); // ZAV_PAS_DWOR1_design.cpp
    void designOptimizationScreen(); // ZAV_PAS_DWOR1_design.cpp
    void connectHandlers();
    void reportError(const QString& message);

    // The lenient reading of a panel text, kept while the text stays the same: the run
    // calculates many cases before it writes a dimension or strength anew.
    struct LenientReading {
        QString text;
        double value = 0;
        double read(const QString& current, QChar separator)
        {
            if (!current.isSharedWith(text) || current.isNull()) {
                text = current;
                value = core::ParseLenient(current, separator);
            }
            return value;
        }
    };
    mutable LenientReading m_dReading;
    mutable LenientReading m_cReading;
    mutable LenientReading m_rReading;

    Platform m_platform;
    QChar m_decimalSeparator;
    int m_actionDepth = 0;
    bool m_closed = false;
    std::unique_ptr<TZAV_HBT_FRM_CopyRight> m_about;
};

// The program-wide reference to the main form; FormClose empties it.
extern TZAV_FRM_DWOR1* ZAV_FRM_DWOR1;

} // namespace ui
