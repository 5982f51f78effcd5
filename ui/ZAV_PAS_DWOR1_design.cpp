// Design-time properties of every control of the main form: texts, places, fonts,
// colours, lists and start states, as the form is before FormCreate runs.

#include "ui/ZAV_PAS_DWOR1.h"

#include "core/input_items.h"
#include "core/numbers.h"
#include "ui/panel_lists.h"

namespace ui {

using namespace PanelGeometry;

namespace {

QStringList numberItems(int first, int last, int step)
{
    QStringList items;
    for (int v = first; v <= last; v += step)
        items << QString::number(v);
    return items;
}

void place(Control& control, double x, double y, double width, double height)
{
    control.setGeometry({x, y, width, height});
}

void cornerButton(Button& button, const QString& text, double radius, double x, double y,
    double width, double height)
{
    button.setText(text);
    button.setCornerRadius(radius);
    place(button, x, y, width, height);
}

void title(Label& label, const QString& text, quint32 color, double x, double y, double width)
{
    label.setText(text);
    label.setFontSize(24);
    label.setBold(true);
    label.setTextColor(color);
    place(label, x, y, width, 33);
}

// A label and its field on row `row` of a group box of the panel.
void panelRow(Control& label, double labelWidth, Control& field, int row)
{
    place(label, LabelX, RowY(row), labelWidth, RowHeight);
    place(field, FieldX, RowY(row), FieldWidth, RowHeight);
}

QStringList embedmentItems(QChar marker, QChar decimalSeparator)
{
    QStringList items;
    for (int half = 2; half <= 8; ++half)
        items << core::FormatFixed(half / 2.0, 10, 1, decimalSeparator) + marker;
    return items + numberItems(1000, 3000, 500);
}

void resultBox(Edit& box, double y)
{
    box.setReadOnly(true);
    box.setFontSize(18);
    box.setBold(true);
    box.setTextColor(ColorGreen);
    box.setAlignment(TextAlign::Trailing);
    place(box, FieldX, y, FieldWidth, RowHeight);
}

} // namespace

QStringList CircularEmbedmentItems(QChar decimalSeparator)
{
    return embedmentItems(QLatin1Char('d'), decimalSeparator);
}

QStringList RectangularEmbedmentItems(QChar decimalSeparator)
{
    return embedmentItems(QLatin1Char('b'), decimalSeparator);
}

QStringList StraightLengthItems()
{
    return numberItems(100, 1200, 100);
}

QStringList ShortSideItems()
{
    return numberItems(1000, 2000, 100);
}

QStringList DrivenConditionItems()
{
    return core::ConditionItems(core::PileProcess::Driven);
}

QStringList BoredConditionItems()
{
    return core::ConditionItems(core::PileProcess::Bored);
}

void TZAV_FRM_DWOR1::designControls()
{
    // Input screen.
    place(MainFormLayer, 0, 0, ClientWidth, ClientHeight);
    title(lb_cxm, QStringLiteral("嵌岩桩承载力计算"), ColorBlueViolet, 88, 10, 209);
    cornerButton(cbt_CopyRight, QStringLiteral("©"), 3, 336, 6, 21, 21);
    cbt_CopyRight.setHint(QStringLiteral("版权信息"));

    gpb_srcs.setText(QStringLiteral("基桩参数"));
    place(gpb_srcs, 5, 56, 370, 220);
    lb_jmlx.setText(QStringLiteral("桩身截面类型"));
    cbb_jmlx.setItems(core::SectionItems());
    cbb_jmlx.setItemIndex(0);
    panelRow(lb_jmlx, 200, cbb_jmlx, 0);
    lb_dd.setText(QStringLiteral("桩  身   直   径    d (mm)"));
    cbe_dd.setItems(numberItems(1000, 2000, 100));
    cbe_dd.setItemIndex(0);
    panelRow(lb_dd, 200, cbe_dd, 1);
    lb_tyzd.setText(QStringLiteral("椭圆直段长度    c (mm)"));
    lb_tyzd.setEnabled(false);
    cbe_tyzd.setItems(StraightLengthItems());
    cbe_tyzd.setText(QStringLiteral("0"));
    cbe_tyzd.setEnabled(false);
    panelRow(lb_tyzd, 200, cbe_tyzd, 2);
    lb_hr.setText(QStringLiteral("桩身嵌岩深度   hr (mm)"));
    cbe_hr.setItems(CircularEmbedmentItems(m_decimalSeparator));
    cbe_hr.setItemIndex(0);
    panelRow(lb_hr, 200, cbe_hr, 3);
    lb_czgy.setText(QStringLiteral("基桩成桩工艺"));
    place(lb_czgy, LabelX, RowY(4), 113, RowHeight);
    cbb_czgy.setItems(core::ProcessItems());
    cbb_czgy.setItemIndex(1);
    place(cbb_czgy, WideFieldX, RowY(4), WideFieldWidth, RowHeight);

    gbp_jycs.setText(QStringLiteral("基岩参数"));
    place(gbp_jycs, 5, 288, 370, 114);
    lb_frk.setText(QStringLiteral("岩石单轴抗压强度  R (MPa)"));
    edt_frk.setText(QStringLiteral("25"));
    panelRow(lb_frk, 250, edt_frk, 0);
    lb_ysjqdqk.setText(QStringLiteral("岩石层情况"));
    place(lb_ysjqdqk, LabelX, RowY(1), 250, RowHeight);
    cbb_ysjqdqk.setItems(BoredConditionItems());
    cbb_ysjqdqk.setItemIndex(1);
    cbb_ysjqdqk.setGeometry(BoredConditionBox);
    // The numeric fields show their text in bold.
    for (Control* field : {static_cast<Control*>(&cbe_dd), static_cast<Control*>(&cbe_tyzd),
             static_cast<Control*>(&cbe_hr), static_cast<Control*>(&edt_frk)})
        field->setBold(true);

    gpb_scjg.setText(QStringLiteral("计算结果"));
    place(gpb_scjg, 5, 414, 370, 188);
    lb_ra.setText(QStringLiteral("桩(管柱)的容许承载力 [P](kN)"));
    place(lb_ra, 8, 33, 260, 33);
    resultBox(edt_ra, RowY(0));
    lb_Pr.setText(QStringLiteral("其中桩(管柱)的端阻力 Pp(kN)"));
    place(lb_Pr, 8, 68, 260, 33);
    resultBox(edt_Pr, RowY(1));
    lb_percent.setText(QStringLiteral("端阻力所占容许承载力百分比"));
    place(lb_percent, 8, 103, 260, 33);
    resultBox(edt_percent, RowY(2));
    lb_guifan1.setText(QStringLiteral("《铁路桥涵地基和基础设计规范》(TB10093-2017)"));
    lb_guifan1.setAlignment(TextAlign::Center);
    place(lb_guifan1, 0, 138, 368, 31);
    lb_guifan2.setText(QStringLiteral("容许承载力计算公式：6.2.2-3、6.2.2-4"));
    lb_guifan2.setAlignment(TextAlign::Center);
    place(lb_guifan2, 0, 158, 368, 31);
    cornerButton(cbt_JingDu, QStringLiteral("≈"), 3, 340, 10, 21, 21);
    cbt_JingDu.setHint(QStringLiteral("调整精度"));
    popbox_jingdu.setItems({QStringLiteral("两位小数"), QStringLiteral("一位小数"),
        QStringLiteral("个位取整"), QStringLiteral("十位取整"), QStringLiteral("百位取整")});
    popbox_jingdu.setItemIndex(static_cast<int>(core::PrecisionMode::WholeUnits));
    popbox_jingdu.setVisible(false);
    place(popbox_jingdu, 250, 0, 90, 32);

    cornerButton(cbt_compute, QStringLiteral("计算"), 10, 40, 618, 100, 33);
    cornerButton(cbt_View, QStringLiteral("结果"), 10, 40, 618, 100, 33);
    cbt_View.setVisible(false);
    cornerButton(cbt_YouHua, QStringLiteral("★"), 10, 172, 624, 20, 20);
    cbt_YouHua.setFontSize(14);
    cbt_YouHua.setTextColor(ColorRed);
    cbt_YouHua.setHint(QStringLiteral("筛选优化"));
    cornerButton(cbt_tuichu, QStringLiteral("退出"), 10, 224, 618, 100, 33);
    place(img_logo, 0, 664, 380, 32);
    lb_shuoming.setTextColor(ColorRed);
    lb_shuoming.setVisible(false);
    place(lb_shuoming, 10, 664, 360, 33);

    // Results screen.
    place(JieGuo_DocLayer, 0, 0, ClientWidth, ClientHeight);
    JieGuo_DocLayer.setVisible(false);
    title(lb_jisuanjieguo, QStringLiteral("计算结果"), ColorBlue, 88, 10, 190);
    lb_jisuanjieguo.setAlignment(TextAlign::Center);
    cornerButton(cbt_PageBook, QStringLiteral("1"), 3, 336, 6, 21, 21);
    cbt_PageBook.setHint(QStringLiteral("切换计算书"));
    for (Memo* memo : {&meo_jisuanjieguo_Doc, &meo_jisuanjieguo_Xls}) {
        memo->setReadOnly(true);
        memo->setFontSize(14);
        place(*memo, 5, 56, 370, 546);
    }
    meo_jisuanjieguo_Xls.setVisible(false);
    cornerButton(cbt_sanchu, QStringLiteral("x"), 3, 350, 604, 16, 16);
    cbt_sanchu.setHint(QStringLiteral("删除最末数据"));
    cbt_sanchu.setEnabled(false);
    cornerButton(cbt_Exit, QStringLiteral("返回"), 10, 40, 618, 100, 33);
    cornerButton(cbt_Save, QStringLiteral("保存"), 10, 224, 618, 100, 33);
    tcb_meoFontSize.setRange(4, 24);
    tcb_meoFontSize.setValue(14);
    tcb_meoFontSize.setHint(QStringLiteral("调整字体大小"));
    place(tcb_meoFontSize, 40, 660, 280, 32);

    designOptimizationScreen();
}

void TZAV_FRM_DWOR1::designOptimizationScreen()
{
    place(YouHuaFormLayer, 0, 0, ClientWidth, ClientHeight);
    YouHuaFormLayer.setVisible(false);
    title(lb_youhuabiaoti, QStringLiteral("嵌岩桩优化设计"), ColorBlueViolet, 48, 10, 280);
    lb_youhuabiaoti.setAlignment(TextAlign::Center);

    place(Grid1_Youhuaxuanxiang, 5, 56, 370, 320);
    struct OptionColumn {
        StringColumn* column;
        const char16_t* header;
        double width;
        TextAlign align;
        bool readOnly;
    };
    const OptionColumn optionColumns[] = {
        {&Grid1_01_Str_YHxuanxiang, u"优化项", 160, TextAlign::Leading, true},
        {&Grid1_02_Str_YHmin, u"最小值", 54, TextAlign::Center, false},
        {&Grid1_03_Str_YHmax, u"最大值", 54, TextAlign::Center, false},
        {&Grid1_04_Str_YHstep, u"步进值", 54, TextAlign::Center, false},
        {&Grid1_05_Str_YHshuoming, u"说  明", 350, TextAlign::Leading, true},
    };
    for (const OptionColumn& c : optionColumns) {
        c.column->setText(QString::fromUtf16(c.header));
        c.column->setWidth(c.width);
        c.column->setAlignment(c.align);
        c.column->setReadOnly(c.readOnly);
    }
    Grid1_Youhuaxuanxiang.setRowCount(12);

    // Both result grids: 17 columns, the first five shown, all cells read-only.
    const double widths[17] = {70, 70, 80, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 64};
    for (StringGrid* grid : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        place(*grid, 5, 380, 370, 210);
        grid->setReadOnly(true);
        grid->setSelectsWholeRows(true);
        for (int col = 0; col < grid->columnCount(); ++col) {
            StringColumn& column = grid->column(col);
            column.setWidth(widths[col]);
            column.setVisible(col <= 4);
            column.setReadOnly(true);
            column.setAlignment(col <= 15 ? TextAlign::Center : TextAlign::Leading);
        }
    }
    Grid3_Youhuasaixuan.setVisible(false);

    lb_huzhu.setText(QStringLiteral("1、点击表头排序   2、双击获取数据"));
    place(lb_huzhu, 18, 590, 260, 25);
    cornerButton(cbt_zhangkai, QStringLiteral("展开"), 10, 318, 590, 40, 25);
    cornerButton(cbt_YHcompute, QStringLiteral("计算"), 10, 32, 618, 70, 33);
    cornerButton(cbt_YHsaixuan, QStringLiteral("筛选"), 10, 112, 618, 70, 33);
    cbt_YHsaixuan.setEnabled(false);
    cornerButton(cbt_YHsave, QStringLiteral("存盘"), 10, 192, 618, 70, 33);
    cbt_YHsave.setEnabled(false);
    cornerButton(cbt_YHfanhui, QStringLiteral("返回"), 10, 272, 618, 70, 33);
    place(lb_YHxingxi, 10, 668, 360, 25);
}

} // namespace ui
