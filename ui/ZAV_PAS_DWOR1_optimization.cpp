// Optimization screen: options table, run, filter, sorting, expansion and pick-up.

#include "ui/ZAV_PAS_DWOR1.h"

#include "core/textwidth.h"

namespace ui {

void TZAV_FRM_DWOR1::FillOptimizationTables()
{
    struct OptionRow {
        const char16_t* label;
        const char16_t* minimum;
        const char16_t* maximum;
        const char16_t* step;
        const char16_t* note;
    };
    // Row 10 stays empty; row 11 is the [P] band of the filter.
    static const OptionRow rows[12] = {
        {u"桩身截面类型", u"1", u"4", u"1", u"圆桩1/椭圆桩2/矩形桩3/方桩4"},
        {u"桩身直径 d(mm)", u"1000", u"2000", u"500", u"桩径取值范围"},
        {u"椭圆直段长度 c(mm)", u"1000", u"2000", u"500", u"椭圆直段取值范围"},
        {u"矩形桩长边尺寸 a(mm)", u"2000", u"3000", u"500", u"矩形桩长边取值范围"},
        {u"矩形桩短边尺寸 b(mm)", u"1000", u"2000", u"500", u"矩形桩短边取值范围"},
        {u"方桩边长 a(mm)", u"1000", u"2000", u"500", u"方桩边长取值范围"},
        {u"嵌岩深度 h(mm)", u"1.0d", u"3.0d", u"1.0d", u"矩形为短边倍数,也可直接输入数值(不可混用)"},
        {u"岩石强度 R(MPa)", u"35.00", u"40.00", u"5.00", u"岩石单轴抗压强度标准值取值应大于0"},
        {u"成桩工艺", u"1", u"2", u"1", u"打入、震动下沉桩(管柱)1/钻(挖)孔灌注桩、管柱2"},
        {u"岩层层开裂(破碎)情况", u"1", u"2", u"1", u"匀质无裂缝1/严重裂缝2，清底良好1/一般2/较差3"},
        {u"", u"", u"", u"", u""},
        {u"筛选 [P](kN)", u"10000", u"11000", u"", u"输入0不起控制作用"},
    };
    for (int row = 0; row < 12; ++row) {
        const OptionRow& r = rows[row];
        const char16_t* cells[5] = {r.label, r.minimum, r.maximum, r.step, r.note};
        for (int col = 0; col < 5; ++col)
            Grid1_Youhuaxuanxiang.setCell(col, row, QString::fromUtf16(cells[col]));
    }

    static const char16_t* const headers[17] = {
        u"桩编号", u"截面类型", u"d|a(mm)", u"c|b(mm)", u"[P](kN)", u"hr(mm)", u"R(MPa)", u"成桩工艺", u"岩石状况",
        u"系数 C", u"系数 C1", u"系数 C2", u"Pp(kN)", u"端阻占比", u"Ps(kN)", u"侧阻占比", u"备注",
    };
    for (StringGrid* grid : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        for (int col = 0; col < 17; ++col)
            grid->setHeader(col, core::PadLeftTo(QString::fromUtf16(headers[col]), QStringLiteral(" "), 8));
    }
}

void TZAV_FRM_DWOR1::Grid1_YouhuaxuanxiangSelectCell(int, int) {}
void TZAV_FRM_DWOR1::Grid1_YouhuaxuanxiangEditingDone(int, int) {}
void TZAV_FRM_DWOR1::cbt_YHcomputeClick() {}
void TZAV_FRM_DWOR1::cbt_YHsaixuanClick() {}
void TZAV_FRM_DWOR1::Grid2_YouhuajieguoHeaderClick(int) {}
void TZAV_FRM_DWOR1::Grid3_YouhuasaixuanHeaderClick(int) {}
void TZAV_FRM_DWOR1::cbt_zhangkaiClick() {}
void TZAV_FRM_DWOR1::Grid2_YouhuajieguoCellDblClick(int, int) {}
void TZAV_FRM_DWOR1::Grid3_YouhuasaixuanCellDblClick(int, int) {}

} // namespace ui
