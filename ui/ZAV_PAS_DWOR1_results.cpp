// Results screen, the two reports and saving.

#include "ui/ZAV_PAS_DWOR1.h"

namespace ui {

void TZAV_FRM_DWOR1::cbt_PageBookClick() {}
void TZAV_FRM_DWOR1::cbt_sanchuClick() {}
void TZAV_FRM_DWOR1::tcb_meoFontSizeChange() {}
void TZAV_FRM_DWOR1::cbt_SaveClick() {}
void TZAV_FRM_DWOR1::cbt_YHsaveClick() {}
void TZAV_FRM_DWOR1::DisplayRationale(const QStringList&, std::function<void()>) {}
void TZAV_FRM_DWOR1::WriteResultFiles(const QStringList&, const QList<PermissionStatus>&) {}
void TZAV_FRM_DWOR1::AppendPileToReports(const core::PileDesignCase&, const core::CapacityResult&,
                                         core::PrecisionMode)
{
}
void TZAV_FRM_DWOR1::WriteTableHead() {}
void TZAV_FRM_DWOR1::RemoveTableFooter() {}
void TZAV_FRM_DWOR1::RemoveBookStamp() {}

} // namespace ui
