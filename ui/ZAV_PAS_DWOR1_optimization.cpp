// Optimization screen: options table, run, filter, sorting, expansion and pick-up.
// The handlers are short: ranges, enumeration, result rows, band, sort order and the
// pick-up mapping live in optimization/, the list file layout in report/. The run
// drives the real input panel through FormPanel, so every case goes through the same
// change handlers and calculation action as a user's own.

#include "ui/ZAV_PAS_DWOR1.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/textwidth.h"
#include "optimization/filter.h"
#include "optimization/pickup.h"
#include "optimization/ranges.h"
#include "optimization/run.h"
#include "optimization/sort_order.h"
#include "report/optimization_table.h"
#include "report/resultfile.h"

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
        {u"嵌岩深度 h(mm)", u"1.0d", u"3.0d", u"1.0d",
            u"矩形为短边倍数,也可直接输入数值(不可混用)"},
        {u"岩石强度 R(MPa)", u"35.00", u"40.00", u"5.00", u"岩石单轴抗压强度标准值取值应大于0"},
        {u"成桩工艺", u"1", u"2", u"1", u"打入、震动下沉桩(管柱)1/钻(挖)孔灌注桩、管柱2"},
        {u"岩层层开裂(破碎)情况", u"1", u"2", u"1",
            u"匀质无裂缝1/严重裂缝2，清底良好1/一般2/较差3"},
        {u"", u"", u"", u"", u""},
        {u"筛选 [P](kN)", u"10000", u"11000", u"", u"输入0不起控制作用"},
    };
    for (int row = 0; row < 12; ++row) {
        const OptionRow& r = rows[row];
        const char16_t* cells[5] = {r.label, r.minimum, r.maximum, r.step, r.note};
        for (int col = 0; col < 5; ++col) {
            QString text = QString::fromUtf16(cells[col]);
            // The ranges are read in the user's locale, so their defaults are written in it.
            if (col >= 1 && col <= 3)
                text.replace(QLatin1Char('.'), m_decimalSeparator);
            Grid1_Youhuaxuanxiang.setCell(col, row, text);
        }
    }

    for (StringGrid* grid : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        for (int col = 0; col < core::ResultColumnCount; ++col)
            grid->setHeader(col,
                core::PadLeftTo(core::ResultHeaderText(col).toString(), QStringLiteral(" "), 8));
    }
}

namespace {

// Cells the user may edit: the ranges of rows 0-9 and the [P] band of row 11.
bool isRangeCell(int column, int row)
{
    return row >= optimization::SectionTypeRow && row <= optimization::RockConditionRow
        && column >= 1 && column <= 3;
}

bool isBandCell(int column, int row)
{
    return row == optimization::FilterRow && (column == 1 || column == 2);
}

// A cell of the options table as the user finds it on screen: its row's label and its
// column's header, "嵌岩深度 h(mm) / 最大值".
QString optionCellName(const StringGrid& options, int column, int row)
{
    return options.cell(0, row).trimmed() + QStringLiteral(" / ")
        + options.header(column).trimmed();
}

QString paddedHeader(const QString& text)
{
    return core::PadLeftTo(text, QStringLiteral(" "), 8);
}

// The headers of the two sortable columns; a mark shows the direction of the column
// the grid is sorted by.
void setSortHeaders(
    StringColumn& dHeader, StringColumn& pHeader, const QString& dMark, const QString& pMark)
{
    dHeader.setText(paddedHeader(QStringLiteral("d|a(mm)") + dMark));
    pHeader.setText(paddedHeader(QStringLiteral("[P](kN)") + pMark));
}

// The input panel as the run sees it: the run writes texts and picks items exactly as
// a user would, and reads the result boxes back.
class FormPanel final : public optimization::OptimizationPanel, public optimization::ResultRowSink {
public:
    explicit FormPanel(TZAV_FRM_DWOR1& form)
        : m_form(form)
    {
    }

    void selectSectionType(core::SectionType section) override
    {
        m_form.cbb_jmlx.setItemIndex(static_cast<int>(section));
    }
    void setFirstDimension(const QString& text) override { m_form.cbe_dd.setText(text); }
    void setSecondDimension(const QString& text) override { m_form.cbe_tyzd.setText(text); }
    void setEmbedment(const QString& text) override { m_form.cbe_hr.setText(text); }
    void setStrength(const QString& text) override { m_form.edt_frk.setText(text); }
    void selectProcess(core::PileProcess process) override
    {
        m_form.cbb_czgy.setItemIndex(static_cast<int>(process));
    }
    core::PileProcess shownProcess() const override
    {
        return m_form.cbb_czgy.itemIndex() == static_cast<int>(core::PileProcess::Driven)
            ? core::PileProcess::Driven
            : core::PileProcess::Bored;
    }
    void selectRockCondition(int index) override { m_form.cbb_ysjqdqk.setItemIndex(index); }
    void calculate() override { m_form.CapacityCalculation(); }
    void readBack(optimization::PanelReadback& into) const override
    {
        // Views of the boxes' own texts: they stay put until the run writes the panel again.
        into.firstDimension = m_form.cbe_dd.storedText();
        into.secondDimension = m_form.cbe_tyzd.storedText();
        into.capacity = m_form.edt_ra.storedText();
        into.endResistance = m_form.edt_Pr.storedText();
        into.share = m_form.edt_percent.storedText();
        into.strength = m_form.edt_frk.storedText();
        into.process = shownProcess();
        into.condition = m_form.cbb_ysjqdqk.itemIndex();
        into.last = m_form.LastCapacity;
    }
    void appendResultRow(const optimization::OptimizationResultRow& row) override
    {
        m_form.Grid2_Youhuajieguo.appendRow(row);
    }

private:
    TZAV_FRM_DWOR1& m_form;
};

} // namespace

void TZAV_FRM_DWOR1::Grid1_YouhuaxuanxiangSelectCell(int column, int row)
{
    Grid1_Youhuaxuanxiang.setReadOnly(!isRangeCell(column, row) && !isBandCell(column, row));
}

void TZAV_FRM_DWOR1::Grid1_YouhuaxuanxiangEditingDone(int column, int row)
{
    // Nothing is checked here: the run and the filter read the cells when they start.
    if (isRangeCell(column, row))
        cbt_YHcompute.setEnabled(true);
    else if (isBandCell(column, row))
        cbt_YHsaixuan.setEnabled(true);
}

void TZAV_FRM_DWOR1::ShowOptimizationMessage(const QString& text, quint32 color)
{
    lb_YHxingxi.setTextColor(color);
    lb_YHxingxi.setText(text);
}

void TZAV_FRM_DWOR1::cbt_YHcomputeClick()
{
    Grid2_Youhuajieguo.clearRows();
    Grid3_Youhuasaixuan.clearRows();
    // A direction mark belongs to rows that are gone now: a run that stops early (a
    // refused range, a text that is no number, a rejected case) must not leave it over an
    // empty grid or over rows in the run's order. The sort states themselves change only
    // when the run completes.
    setSortHeaders(Grid2_03_Str_YHzhuangD, Grid2_05_Str_YHRa, QString(), QString());
    setSortHeaders(Grid3_03_Str_YHzhuangD, Grid3_05_Str_YHRa, QString(), QString());
    Grid2_Youhuajieguo.setVisible(true);
    Grid3_Youhuasaixuan.setVisible(false);
    lb_YHxingxi.setText(QString());
    OptimizationMode = 1;

    const auto reading = optimization::ReadOptimizationRanges(
        [this](int column, int row) { return Grid1_Youhuaxuanxiang.cell(column, row); },
        m_decimalSeparator,
        [this](int column, int row) { return optionCellName(Grid1_Youhuaxuanxiang, column, row); });
    if (!reading.refusal.isEmpty()) {
        ShowOptimizationMessage(reading.refusal, ColorRed);
        throw core::SilentAbort();
    }
    if (optimization::ExceedsRunLimit(reading.ranges)) {
        ShowOptimizationMessage(QStringLiteral("优化组合数超过1000000，请调整优化项"), ColorRed);
        throw core::SilentAbort();
    }
    // The grid takes room for every case at once, rather than growing step by step.
    Grid2_Youhuajieguo.reserveRows(static_cast<size_t>(optimization::CaseCount(reading.ranges)));
    // A case the calculation rejects shows its reason on the main screen's status line.
    img_logo.setVisible(false);
    lb_shuoming.setVisible(true);

    // The rows are numbered once the run is over: nothing can look at them before, and
    // numbering them as they come would store a million texts only to replace them.
    FormPanel panel(*this);
    qint64 rows = 0;
    try {
        rows = optimization::RunOptimization(reading.ranges, panel, panel, m_decimalSeparator);
    } catch (...) {
        // A run stopped by a rejected case keeps its rows with provisional numbers.
        NumberOptimizationRows(false);
        throw;
    }

    if (rows == 0) {
        ShowOptimizationMessage(QStringLiteral("调整优化项重新计算"), ColorBlack);
        cbt_YHcompute.setEnabled(false);
    } else {
        NumberOptimizationRows(true);
        ShowOptimizationMessage(QStringLiteral("计算完成，桩数：")
                + core::FormatGeneral(double(rows), m_decimalSeparator) + QStringLiteral(" 根"),
            ColorBlack);
        cbt_YHcompute.setEnabled(false);
        cbt_YHsaixuan.setEnabled(true);
        cbt_YHsave.setEnabled(true);
    }
    DSortOrder = optimization::SortState::Unsorted;
    PSortOrder = optimization::SortState::Unsorted;
    setSortHeaders(Grid2_03_Str_YHzhuangD, Grid2_05_Str_YHRa, QString(), QString());
    setSortHeaders(Grid3_03_Str_YHzhuangD, Grid3_05_Str_YHRa, QString(), QString());
}

void TZAV_FRM_DWOR1::NumberOptimizationRows(bool final)
{
    // The numbers follow from the rows' positions now; the rows carry them when they
    // are sorted or copied into the filtered list.
    Grid2_Youhuajieguo.numberRows(
        final ? core::PileNumbering::Final : core::PileNumbering::Positions);
}

void TZAV_FRM_DWOR1::cbt_YHsaixuanClick()
{
    const optimization::FilterBand band = optimization::ReadFilterBand(
        Grid1_Youhuaxuanxiang.cellView(1, optimization::FilterRow),
        Grid1_Youhuaxuanxiang.cellView(2, optimization::FilterRow), m_decimalSeparator,
        [this](bool upper) {
            return optionCellName(Grid1_Youhuaxuanxiang, upper ? 2 : 1, optimization::FilterRow);
        });
    Grid3_Youhuasaixuan.clearRows();
    Grid3_Youhuasaixuan.setVisible(true);
    Grid2_Youhuajieguo.setVisible(false);
    lb_YHxingxi.setText(QString());

    // Every filtering starts again from the full list, in its current order.
    const StringGrid& source = Grid2_Youhuajieguo;
    std::vector<double> capacities;
    const auto notANumber = source.store().numbers(
        core::CapacityColumn, source.storeRows(), m_decimalSeparator, capacities);
    const size_t readable = notANumber.value_or(capacities.size());
    for (size_t row = 0; row < readable; ++row) {
        if (band.contains(capacities[row]))
            Grid3_Youhuasaixuan.appendRowFrom(source, static_cast<int>(row));
    }
    // The rows before a [P] that is no number stay copied.
    if (notANumber) {
        throw core::ConversionError(core::NotANumberMessage(
            source.cellView(core::CapacityColumn, static_cast<int>(*notANumber))));
    }

    const int copied = Grid3_Youhuasaixuan.rowCount();
    if (copied == 0) {
        ShowOptimizationMessage(QStringLiteral("无满足条件桩，调整区间再筛选"), ColorBlack);
        cbt_YHsaixuan.setEnabled(false);
        cbt_YHsave.setEnabled(false);
    } else {
        ShowOptimizationMessage(QStringLiteral("筛选完成，桩数：")
                + core::FormatGeneral(copied, m_decimalSeparator) + QStringLiteral(" 根"),
            ColorBlack);
        OptimizationMode = 1;
        cbt_YHsaixuan.setEnabled(false);
        cbt_YHsave.setEnabled(true);
    }
    DSortOrder = optimization::SortState::Unsorted;
    PSortOrder = optimization::SortState::Unsorted;
    setSortHeaders(Grid3_03_Str_YHzhuangD, Grid3_05_Str_YHRa, QString(), QString());
}

void TZAV_FRM_DWOR1::Grid2_YouhuajieguoHeaderClick(int column)
{
    SortResultGrid(Grid2_Youhuajieguo, column, Grid2_03_Str_YHzhuangD, Grid2_05_Str_YHRa);
}

void TZAV_FRM_DWOR1::Grid3_YouhuasaixuanHeaderClick(int column)
{
    SortResultGrid(Grid3_Youhuasaixuan, column, Grid3_03_Str_YHzhuangD, Grid3_05_Str_YHRa);
}

void TZAV_FRM_DWOR1::SortResultGrid(
    StringGrid& grid, int column, StringColumn& dHeader, StringColumn& pHeader)
{
    const int count = grid.rowCount();
    if (count < 2) {
        ShowOptimizationMessage(QStringLiteral("无需排序"), ColorBlack);
        return;
    }
    const bool byD = column == core::FirstDimensionColumn;
    if (byD || column == core::CapacityColumn) {
        qint32& state = byD ? DSortOrder : PSortOrder;
        qint32& other = byD ? PSortOrder : DSortOrder;
        const QString name = byD ? QStringLiteral("d") : QStringLiteral("[P]");
        using namespace optimization::SortState;
        if (state == Unsorted || state == Ascending || state == Descending) {
            if (state == Unsorted) {
                // Each key is parsed once; a cell that is no number ends the sort before
                // any row has moved.
                std::vector<double> keys;
                if (const auto notANumber
                    = grid.store().numbers(column, grid.storeRows(), m_decimalSeparator, keys)) {
                    throw core::ConversionError(core::NotANumberMessage(
                        grid.cellView(column, static_cast<int>(*notANumber))));
                }
                grid.reorderRows(optimization::ExchangeSortOrder(keys));
            } else {
                grid.reverseRows();
            }
            state = state == Ascending ? Descending : Ascending;
            other = Unsorted;
            const bool ascending = state == Ascending;
            ShowOptimizationMessage(name
                    + (ascending ? QStringLiteral("升序排列完成") : QStringLiteral("降序排列完成")),
                ColorBlack);
            cbt_YHsave.setEnabled(true);
            const QString mark = ascending ? QStringLiteral("▲") : QStringLiteral("▼");
            setSortHeaders(dHeader, pHeader, byD ? mark : QString(), byD ? QString() : mark);
        }
    } else {
        ShowOptimizationMessage(QStringLiteral("仅支持d、[P]排序"), ColorBlack);
    }
    grid.setSelection(column, 0);
}

void TZAV_FRM_DWOR1::cbt_zhangkaiClick()
{
    // The headless grids lay themselves out anew on every visibility change, so the
    // extra row a widget toolkit needs for that is not added here.
    const QString state = cbt_zhangkai.text();
    if (state != QStringLiteral("展开") && state != QStringLiteral("折叠"))
        return;
    const bool expand = state == QStringLiteral("展开");
    Grid1_05_Str_YHshuoming.setVisible(expand);
    for (StringGrid* grid : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->setColumnVisible(column, expand || column <= core::CapacityColumn);
    }
    cbt_zhangkai.setText(expand ? QStringLiteral("折叠") : QStringLiteral("展开"));
}

void TZAV_FRM_DWOR1::Grid2_YouhuajieguoCellDblClick(int, int row)
{
    PickUpResult(Grid2_Youhuajieguo, row);
}

void TZAV_FRM_DWOR1::Grid3_YouhuasaixuanCellDblClick(int, int row)
{
    PickUpResult(Grid3_Youhuasaixuan, row);
}

void TZAV_FRM_DWOR1::PickUpResult(const StringGrid& grid, int row)
{
    if (row < 0 || row >= grid.rowCount())
        return;
    const optimization::PickUp pickUp
        = optimization::PlanPickUp([&](int column) { return grid.cell(column, row); });
    // Section before dimensions and process before rock condition: each change reloads
    // the dependent list with its default, which the row's texts then overwrite.
    if (pickUp.section) {
        cbb_jmlx.setItemIndex(static_cast<int>(*pickUp.section));
        cbe_dd.setText(pickUp.firstDimension);
        cbe_tyzd.setText(pickUp.secondDimension);
    }
    cbe_hr.setText(pickUp.embedment);
    edt_frk.setText(pickUp.strength);
    if (pickUp.process) {
        cbb_czgy.setItemIndex(static_cast<int>(*pickUp.process));
        if (pickUp.condition)
            cbb_ysjqdqk.setItemIndex(*pickUp.condition);
    }
    cbt_YHfanhuiClick();
    // Nothing is calculated: the case waits for "计算".
    InvalidateResults();
}

QString TZAV_FRM_DWOR1::WriteOptimizationTable(const StringGrid& grid, report::ResultFile list)
{
    const QString path
        = report::ResultFilePath(m_platform.documentsFolder(), report::ResultFileName(list));
    report::ResultFileWriter file(path);
    const QString title = report::OptimizationListTitle(list);
    const auto stamp = [this] {
        // The stamp takes the moment it is written; a midnight stamp shows the date only.
        const QDateTime now = m_platform.now();
        if (now.time() == QTime(0, 0))
            return m_platform.locale.toString(now.date(), QLocale::ShortFormat);
        return TimeText(now);
    };
    report::StreamOptimizationTable(grid.store(), grid.storeRows(), title, stamp,
        [&file](QByteArrayView chunk) { file.writeEncoded(chunk); });
    file.commit();
    return path;
}

} // namespace ui
