// The input panel: change handlers that keep it consistent, the field checks, the
// precision popup and the calculation action that all three callers share (the
// "计算" button, the popup, and the optimization run once per case).

#include "ui/ZAV_PAS_DWOR1.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/validation.h"
#include "ui/panel_lists.h"

namespace ui {

using core::PileProcess;
using core::SectionType;

void TZAV_FRM_DWOR1::InvalidateResults()
{
    edt_Pr.setText(QString());
    edt_ra.setText(QString());
    edt_percent.setText(QString());
    cbt_compute.setEnabled(true);
    cbt_compute.setVisible(true);
    cbt_View.setVisible(false);
}

void TZAV_FRM_DWOR1::cbb_jmlxChange()
{
    const bool rectangle = cbb_jmlx.itemIndex() == static_cast<int>(SectionType::Rectangular);
    const bool circle = cbb_jmlx.itemIndex() == static_cast<int>(SectionType::Circular);
    lb_dd.setText(rectangle ? QStringLiteral("矩形长边尺寸    a (mm)")
                            : QStringLiteral("桩  身   直   径    d (mm)"));
    lb_tyzd.setText(rectangle ? QStringLiteral("矩形短边尺寸    b (mm)")
                              : QStringLiteral("椭圆直段长度    c (mm)"));
    lb_tyzd.setEnabled(!circle);
    cbe_tyzd.setEnabled(!circle);
    cbe_tyzd.setItems(rectangle ? ShortSideItems() : StraightLengthItems());
    if (circle)
        cbe_tyzd.setText(QStringLiteral("0"));
    else
        cbe_tyzd.setItemIndex(rectangle ? 0 : 4); // "1000" for b, "500" for c
    cbe_hr.setItems(rectangle ? RectangularEmbedmentItems(m_decimalSeparator)
                              : CircularEmbedmentItems(m_decimalSeparator));
    cbe_hr.setItemIndex(0);
    InvalidateResults();
}

void TZAV_FRM_DWOR1::cbb_czgyChange()
{
    const bool driven = cbb_czgy.itemIndex() == static_cast<int>(PileProcess::Driven);
    lb_ysjqdqk.setText(
        driven ? QStringLiteral("岩石状况") : QStringLiteral("岩石层破碎程度和清底情况"));
    // The driven list's long texts need the wide box.
    cbb_ysjqdqk.setGeometry(
        driven ? PanelGeometry::DrivenConditionBox : PanelGeometry::BoredConditionBox);
    cbb_ysjqdqk.setItems(driven ? DrivenConditionItems() : BoredConditionItems());
    cbb_ysjqdqk.setItemIndex(driven ? 0 : 1);
    // A driven pile bears on the rock: its embedment is not used (the text stays).
    cbe_hr.setEnabled(!driven);
    lb_hr.setEnabled(!driven);
    lb_guifan2.setText(core::FormulaLabel(driven ? PileProcess::Driven : PileProcess::Bored));
    InvalidateResults();
}

void TZAV_FRM_DWOR1::cbb_ysjqdqkChange()
{
    InvalidateResults();
}

void TZAV_FRM_DWOR1::cbe_hrChange()
{
    InvalidateResults();
}

namespace {
enum class FieldRule { Positive, NotNegative };
}

// The field checks are looser than the calculation's: they flag what is not a number
// or out of range as it is committed, and never stop anything.
static void checkField(TZAV_FRM_DWOR1& form, Control& field, FieldRule rule, const QString& message)
{
    form.InvalidateResults();
    const auto value = core::TryParseStrict(field.text(), form.decimalSeparator());
    const bool pass = value && (rule == FieldRule::Positive ? *value > 0 : *value >= 0);
    if (pass) {
        form.ClearStatusMessage();
        field.setTextColor(ColorBlack);
    } else {
        form.ShowStatusMessage(message, ColorRed);
        field.setTextColor(ColorRed);
    }
}

void TZAV_FRM_DWOR1::cbe_ddChange()
{
    checkField(*this, cbe_dd, FieldRule::Positive, QStringLiteral("桩身直径数据有错"));
}

void TZAV_FRM_DWOR1::cbe_tyzdChange()
{
    checkField(*this, cbe_tyzd, FieldRule::NotNegative, QStringLiteral("椭圆直段长度数据有错"));
}

void TZAV_FRM_DWOR1::edt_frkChange()
{
    checkField(*this, edt_frk, FieldRule::NotNegative, QStringLiteral("岩石单轴抗压强度值有错"));
}

void TZAV_FRM_DWOR1::popbox_jingduChange()
{
    if (popbox_jingdu.isVisible())
        cbt_computeClick();
}

core::PileDesignCase TZAV_FRM_DWOR1::ReadPileDesignCase() const
{
    core::PileDesignCase pile;
    pile.dText = cbe_dd.text();
    pile.d = m_dReading.read(pile.dText, m_decimalSeparator);
    pile.cText = cbe_tyzd.text();
    pile.c = m_cReading.read(pile.cText, m_decimalSeparator);
    pile.R = m_rReading.read(edt_frk.storedText(), m_decimalSeparator);
    const int section = cbb_jmlx.itemIndex();
    pile.section = section == 1 ? SectionType::Elliptical
        : section == 2          ? SectionType::Rectangular
                                : SectionType::Circular;
    pile.hText = cbe_hr.text();
    pile.process = cbb_czgy.itemIndex() == 0 ? PileProcess::Driven : PileProcess::Bored;
    pile.processText = cbb_czgy.text();
    pile.condition = cbb_ysjqdqk.itemIndex();
    pile.conditionText = cbb_ysjqdqk.text();
    return pile;
}

void TZAV_FRM_DWOR1::ReportInputError(const QString& message, Control& field)
{
    ShowStatusMessage(message, ColorRed);
    field.setTextColor(ColorRed);
    lb_YHxingxi.setTextColor(ColorRed);
    lb_YHxingxi.setText(QStringLiteral("运行中止，主界面可查看中止位置、原因"));
    throw core::SilentAbort();
}

Control& TZAV_FRM_DWOR1::InputControl(core::InputField field)
{
    switch (field) {
    case core::InputField::FirstDimension:
        return cbe_dd;
    case core::InputField::SecondDimension:
        return cbe_tyzd;
    case core::InputField::Embedment:
        return cbe_hr;
    case core::InputField::RockStrength:
        break;
    }
    return edt_frk;
}

void TZAV_FRM_DWOR1::ValidatePileDesignCase(core::PileDesignCase& pile)
{
    const core::CaseValidation checks = core::ValidatePileDesignCase(pile, m_decimalSeparator);
    for (int i = 0; i < checks.passedCount; ++i) {
        ClearStatusMessage();
        InputControl(checks.passed[size_t(i)]).setTextColor(ColorBlack);
    }
    // The exchanged sides stay in the panel, whatever the later checks say.
    if (checks.sidesExchanged) {
        cbe_dd.setText(pile.dText);
        cbe_tyzd.setText(pile.cText);
    }
    // A factor that is no number is not an input message: the conversion error ends the
    // action through the error report.
    if (checks.conversionError)
        throw *checks.conversionError;
    if (checks.error)
        ReportInputError(checks.error->message, InputControl(checks.error->field));
}

void TZAV_FRM_DWOR1::ShowResultBoxes(const core::CapacityResult& result, int precisionIndex)
{
    if (!core::IsPrecisionMode(precisionIndex))
        return;
    const auto mode = static_cast<core::PrecisionMode>(precisionIndex);
    core::FixedText text;
    edt_Pr.setText(core::ForceTextInto(result.Pp, mode, m_decimalSeparator, text));
    edt_ra.setText(core::ForceTextInto(result.P, mode, m_decimalSeparator, text));
    const QStringView share = core::BoxShareTextInto(result.share, mode, m_decimalSeparator, text);
    text[size_t(share.size())] = u'%';
    edt_percent.setText(QStringView(text.data(), share.size() + 1));
}

void TZAV_FRM_DWOR1::CapacityCalculation()
{
    core::PileDesignCase pile = ReadPileDesignCase();
    ValidatePileDesignCase(pile);
    const core::CapacityResult result = core::ComputeCapacity(pile);

    // Numbers no engineer could sign (a [P] of zero, or one too large for a double) are
    // refused like any input error, on the field whose value is out of range.
    if (const auto error = core::CheckCapacityRange(pile, result))
        ReportInputError(error->message, InputControl(error->field));

    lb_guifan2.setText(core::FormulaLabel(pile.process));
    LastCapacity = {result.C1, result.C2, result.Ps};
    ShowStatusMessage(core::HardnessText(result.hardness), ColorBlack);
    const int precision = popbox_jingdu.itemIndex();
    ShowResultBoxes(result, precision);
    if (OptimizationMode != 0)
        return;

    if (core::IsPrecisionMode(precision))
        AppendPileToReports(pile, result, static_cast<core::PrecisionMode>(precision));
    cbt_View.setVisible(true);
    cbt_compute.setEnabled(false);
    cbt_compute.setVisible(false);
    UnsavedReports = BookUnsaved | TableUnsaved;
    cbt_Save.setEnabled(true);
    popbox_jingdu.setVisible(false);
    cbt_sanchu.setEnabled(true);
}

} // namespace ui
