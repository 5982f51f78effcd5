#include "ui/ZAV_PAS_DWOR1.h"

#include "ui/ZAV_HBT_PAS_CopyRight.h"
#include "ui/guard.h"

#include <QRegularExpression>

namespace ui {

TZAV_FRM_DWOR1* ZAV_FRM_DWOR1 = nullptr;

TZAV_FRM_DWOR1::TZAV_FRM_DWOR1(Platform platform)
    : m_platform(std::move(platform))
    , m_decimalSeparator(DecimalSeparator(m_platform.locale))
{
    designControls();
    connectHandlers();
    FormCreate();
}

TZAV_FRM_DWOR1::~TZAV_FRM_DWOR1()
{
    if (ZAV_FRM_DWOR1 == this)
        ZAV_FRM_DWOR1 = nullptr;
}

void TZAV_FRM_DWOR1::connectHandlers()
{
    cbt_CopyRight.onClick = [this] { cbt_CopyRightClick(); };
    cbt_compute.onClick = [this] { cbt_computeClick(); };
    cbt_View.onClick = [this] { cbt_ViewClick(); };
    cbt_YouHua.onClick = [this] { cbt_YouHuaClick(); };
    cbt_tuichu.onClick = [this] { cbt_tuichuClick(); };
    cbt_JingDu.onClick = [this] { cbt_JingDuClick(); };
    cbb_jmlx.onChange = [this] { cbb_jmlxChange(); };
    cbb_czgy.onChange = [this] { cbb_czgyChange(); };
    cbb_ysjqdqk.onChange = [this] { cbb_ysjqdqkChange(); };
    cbe_dd.onChange = [this] { cbe_ddChange(); };
    cbe_tyzd.onChange = [this] { cbe_tyzdChange(); };
    edt_frk.onChange = [this] { edt_frkChange(); };
    cbe_hr.onChange = [this] { cbe_hrChange(); };
    popbox_jingdu.onChange = [this] { popbox_jingduChange(); };

    cbt_PageBook.onClick = [this] { cbt_PageBookClick(); };
    cbt_sanchu.onClick = [this] { cbt_sanchuClick(); };
    cbt_Exit.onClick = [this] { cbt_ExitClick(); };
    cbt_Save.onClick = [this] { cbt_SaveClick(); };
    tcb_meoFontSize.onChange = [this] { tcb_meoFontSizeChange(); };

    Grid1_Youhuaxuanxiang.onSelectCell
        = [this](int col, int row) { Grid1_YouhuaxuanxiangSelectCell(col, row); };
    Grid1_Youhuaxuanxiang.onEditingDone
        = [this](int col, int row) { Grid1_YouhuaxuanxiangEditingDone(col, row); };
    Grid2_Youhuajieguo.onHeaderClick = [this](int col) { Grid2_YouhuajieguoHeaderClick(col); };
    Grid3_Youhuasaixuan.onHeaderClick = [this](int col) { Grid3_YouhuasaixuanHeaderClick(col); };
    Grid2_Youhuajieguo.onCellDblClick
        = [this](int col, int row) { Grid2_YouhuajieguoCellDblClick(col, row); };
    Grid3_Youhuasaixuan.onCellDblClick
        = [this](int col, int row) { Grid3_YouhuasaixuanCellDblClick(col, row); };
    cbt_zhangkai.onClick = [this] { cbt_zhangkaiClick(); };
    cbt_YHcompute.onClick = [this] { cbt_YHcomputeClick(); };
    cbt_YHsaixuan.onClick = [this] { cbt_YHsaixuanClick(); };
    cbt_YHsave.onClick = [this] { cbt_YHsaveClick(); };
    cbt_YHfanhui.onClick = [this] { cbt_YHfanhuiClick(); };
}

void TZAV_FRM_DWOR1::FormCreate()
{
    ReportPileCount = 0;
    UnsavedReports = 0;
    OptimizationMode = 0;
    DSortOrder = 0;
    PSortOrder = 0;
    FillOptimizationTables();
}

void TZAV_FRM_DWOR1::FormClose()
{
    if (ZAV_FRM_DWOR1 == this)
        ZAV_FRM_DWOR1 = nullptr;
}

void TZAV_FRM_DWOR1::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    FormClose();
    if (closeWindow)
        closeWindow();
}

void TZAV_FRM_DWOR1::cbt_tuichuClick()
{
    Close();
}

void TZAV_FRM_DWOR1::cbt_YouHuaClick()
{
    MainFormLayer.setVisible(false);
    YouHuaFormLayer.setVisible(true);
    OptimizationMode = 1;
}

void TZAV_FRM_DWOR1::cbt_YHfanhuiClick()
{
    MainFormLayer.setVisible(true);
    YouHuaFormLayer.setVisible(false);
    OptimizationMode = 0;
}

void TZAV_FRM_DWOR1::cbt_ViewClick()
{
    MainFormLayer.setVisible(false);
    JieGuo_DocLayer.setVisible(true);
    // Make both memos lay out their text anew without changing their size.
    for (Memo* memo : {&meo_jisuanjieguo_Xls, &meo_jisuanjieguo_Doc}) {
        const double size = memo->fontSize();
        memo->setFontSize(size + 2);
        memo->setFontSize(memo->fontSize() - 2);
    }
}

void TZAV_FRM_DWOR1::cbt_ExitClick()
{
    MainFormLayer.setVisible(true);
    JieGuo_DocLayer.setVisible(false);
}

void TZAV_FRM_DWOR1::cbt_CopyRightClick()
{
    if (!m_about)
        m_about = std::make_unique<TZAV_HBT_FRM_CopyRight>(m_platform);
    m_about->Show();
}

void TZAV_FRM_DWOR1::cbt_JingDuClick()
{
    popbox_jingdu.setVisible(!popbox_jingdu.isVisible());
}

void TZAV_FRM_DWOR1::CalculateByKeyboard()
{
    // The button's own user action: a hidden "计算" (a result on display) does nothing.
    if (MainFormLayer.isVisible())
        cbt_compute.click();
    else if (YouHuaFormLayer.isVisible())
        cbt_YHcompute.click();
}

void TZAV_FRM_DWOR1::ShowStatusMessage(const QString& text, quint32 color)
{
    img_logo.setVisible(false);
    lb_shuoming.setVisible(true);
    lb_shuoming.setTextColor(color);
    lb_shuoming.setText(text);
}

void TZAV_FRM_DWOR1::ClearStatusMessage()
{
    lb_shuoming.setText(QString());
}

void TZAV_FRM_DWOR1::runUserAction(const std::function<void()>& action)
{
    RunGuarded(
        action, [this](const QString& message) { reportError(message); }, m_actionDepth);
}

void TZAV_FRM_DWOR1::reportError(const QString& message)
{
    if (m_platform.showError)
        m_platform.showError(message);
}

QString TZAV_FRM_DWOR1::TimeText(const QDateTime& time) const
{
    // The long time format carries a time zone ("t"); a report does not.
    QString format = m_platform.locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    return m_platform.locale.toString(time.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + m_platform.locale.toString(time.time(), format);
}

} // namespace ui
