#include "ui/charts.h"

#include "core/numbers.h"
#include "core/result_schema.h"
#include "project/design_load.h"
#include "report/resultfile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

namespace {

constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();
// Sockets of 0.5 m or less carry no side resistance and a reduced end resistance:
// [P] jumps there, and the pile chart shows the jump as a step.
constexpr double ShallowSocket = 500; // mm
constexpr int PileSamples = 240;

constexpr quint32 SectionColors[] = {0xFF1F77B4, 0xFF2CA02C, 0xFFFF7F0E, 0xFF9467BD};
constexpr quint32 OtherColor = 0xFF7F7F7F;
constexpr quint32 BandColor = 0xFFD62728;
constexpr quint32 CapacityColor = 0xFF1F77B4;
constexpr quint32 MarkColor = 0xFFD62728;
constexpr quint32 LoadColor = 0xFFFF7F0E;
constexpr quint32 SocketColor = 0xFF2CA02C;
constexpr quint32 PassColor = 0xFF2CA02C;
constexpr quint32 FailColor = 0xFFD62728;

QString compact(QStringView label)
{
    QString text = label.toString();
    text.remove(u' ');
    return text;
}

// The embedment cell as mm: a plain number, or a multiple ("1.5d", "2b") of the reference
// dimension; `multiple` tells which.
struct EmbedmentText {
    double value = NoNumber;
    bool multiple = false;
};

EmbedmentText readEmbedment(QStringView text, QChar separator)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.endsWith(u'd') || trimmed.endsWith(u'b')) {
        if (const auto factor = core::TryParseStrict(trimmed.chopped(1), separator))
            return {*factor, true};
        return {};
    }
    return {core::TryParseStrict(trimmed, separator).value_or(NoNumber), false};
}

// What `valueOf` makes of each cell of a column of the grid's rows, read a few thousand
// cells at a time: each of the column's own texts once, a text made up for a cell (a
// number kept in the cell) every time.
template <class T, class ValueOf>
void mapColumn(const StringGrid& grid, int column, std::vector<T>& out, ValueOf valueOf)
{
    using core::CellStore;
    const CellStore& store = grid.store();
    const std::span<const quint32> rows = grid.storeRows();
    out.resize(rows.size());
    std::vector<std::optional<T>> byId(store.textIdCount(column));
    constexpr size_t Chunk = 4096;
    std::vector<CellStore::CellText> texts(std::min(Chunk, rows.size()));
    std::vector<core::CellScratch> scratch(texts.size());
    for (size_t from = 0; from < rows.size(); from += Chunk) {
        const auto part = rows.subspan(from, std::min(Chunk, rows.size() - from));
        store.cellTexts(column, part, std::span(texts).first(part.size()),
            std::span(scratch).first(part.size()));
        for (size_t i = 0; i < part.size(); ++i) {
            const CellStore::CellText& cell = texts[i];
            if (cell.id == CellStore::NoTextId || cell.id >= byId.size()) {
                out[from + i] = valueOf(cell.text);
                continue;
            }
            std::optional<T>& known = byId[cell.id];
            if (!known)
                known = valueOf(cell.text);
            out[from + i] = *known;
        }
    }
}

quint64 mix(quint64 key, quint64 value)
{
    return (key ^ value) * 0x100000001B3ULL + 0x9E3779B97F4A7C15ULL;
}

} // namespace

void ColumnValues(const StringGrid& grid, int column, std::vector<double>& out, QChar separator)
{
    const core::CellStore& store = grid.store();
    const std::span<const quint32> rows = grid.storeRows();
    out.assign(rows.size(), NoNumber);
    if (column < 0 || column >= store.columnCount())
        return;
    if (store.kind(column) == core::CellKind::Texts) {
        mapColumn(grid, column, out, [separator](QStringView text) {
            return core::TryParseStrict(text, separator).value_or(NoNumber);
        });
        return;
    }
    // Numbers read fast while every cell is one; from the first that is not, one by one.
    std::vector<double> keys;
    const auto bad = store.numbers(column, rows, separator, keys);
    const size_t good = bad.value_or(rows.size());
    std::copy(keys.begin(), keys.begin() + qsizetype(good), out.begin());
    for (size_t i = good; i < rows.size(); ++i)
        out[i] = core::TryParseStrict(grid.cellView(column, int(i)), separator).value_or(NoNumber);
}

ChartData PileChartData(const TZAV_FRM_DWOR1& form)
{
    const QChar separator = form.decimalSeparator();
    ChartData data;
    data.title = QStringLiteral("单桩 [P] 与嵌岩深度 hr");
    data.xAxis = {QStringLiteral("hr"), QStringLiteral("mm")};
    data.yAxis = {QStringLiteral("[P]"), QStringLiteral("kN")};
    core::PileDesignCase pile = form.ReadPileDesignCase();
    const core::CaseValidation checks = core::ValidatePileDesignCase(pile, separator);
    if (checks.error || checks.conversionError) {
        data.note = checks.error ? checks.error->message : QStringLiteral("嵌岩深度数据有错");
        data.xRange = std::pair(0.0, 1.0);
        return data;
    }
    const bool round = pile.section == core::SectionType::Circular
        || pile.section == core::SectionType::Elliptical;
    const double reference = round ? pile.d : pile.b;
    const double end = 4 * reference;
    if (!(end > 0) || !std::isfinite(end)) {
        data.note = QStringLiteral("截面尺寸数据有错");
        return data;
    }
    data.xRange = std::pair(0.0, end);
    data.xAxis.name = QStringLiteral("hr (0～4%1)").arg(QChar(round ? u'd' : u'b'));
    auto capacityAt = [&pile](double h) {
        core::PileDesignCase at = pile;
        at.h = h;
        at.embedmentForm = core::EmbedmentForm::Millimetres;
        return core::ComputeCapacity(at).P;
    };
    ChartSeries line;
    line.name = QStringLiteral("[P]");
    line.color = CapacityColor;
    line.style = ChartStyle::Line;
    std::vector<double> depths;
    for (int i = 0; i <= PileSamples; ++i)
        depths.push_back(end * i / PileSamples);
    if (ShallowSocket < end) {
        depths.push_back(ShallowSocket);
        depths.push_back(std::nextafter(ShallowSocket, end));
    }
    std::sort(depths.begin(), depths.end());
    depths.erase(std::unique(depths.begin(), depths.end()), depths.end());
    for (double h : depths) {
        line.x.push_back(h);
        line.y.push_back(capacityAt(h));
    }
    data.series.push_back(std::move(line));
    const double current = pile.process == core::PileProcess::Driven ? 0 : pile.h;
    if (std::isfinite(current)) {
        const double p = capacityAt(current);
        // As the result box shows it at the precision chosen.
        const int precision = form.popbox_jingdu.itemIndex();
        const auto mode = core::IsPrecisionMode(precision) ? core::PrecisionMode(precision)
                                                           : core::PrecisionMode::WholeUnits;
        data.marks.push_back({std::clamp(current, 0.0, end), p,
            QStringLiteral("当前 hr = %1 mm，[P] = %2 kN")
                .arg(core::FormatGeneral(current, separator), core::ForceText(p, mode, separator)),
            MarkColor});
    }
    if (pile.process == core::PileProcess::Driven)
        data.title = QStringLiteral("单桩 [P] 与嵌岩深度 hr（打入桩不计嵌岩深度）");
    return data;
}

ChartData OptimizationChartData(const StringGrid& grid, ChartAxis axis,
    std::optional<double> bandLow, std::optional<double> bandHigh, QChar separator)
{
    using namespace core;
    ChartData data;
    data.yAxis = {QStringLiteral("[P]"), QStringLiteral("kN")};
    switch (axis) {
    case ChartAxis::Embedment:
        data.xAxis = {QStringLiteral("hr"), QStringLiteral("mm")};
        break;
    case ChartAxis::FirstDimension:
        data.xAxis = {QStringLiteral("d|a"), QStringLiteral("mm")};
        break;
    case ChartAxis::Strength:
        data.xAxis = {QStringLiteral("R"), QStringLiteral("MPa")};
        break;
    }
    data.title
        = QStringLiteral("优化结果 [P] 与 %1（%2 根）").arg(data.xAxis.name).arg(grid.rowCount());
    for (int s = 0; s < 4; ++s)
        data.series.push_back({compact(SectionLabel(ResultSection(s))), SectionColors[s]});
    data.series.push_back({QStringLiteral("其他"), OtherColor});

    const size_t n = grid.storeRows().size();
    // One series a section type, a fifth for rows of none.
    std::vector<quint8> sections;
    mapColumn(grid, SectionColumn, sections, [](QStringView text) {
        const auto section = SectionOfLabel(text);
        return section ? quint8(*section) : quint8(4);
    });
    std::vector<double> capacity;
    ColumnValues(grid, CapacityColumn, capacity, separator);
    std::vector<double> x;
    if (axis == ChartAxis::Embedment) {
        std::vector<double> first;
        std::vector<double> second;
        ColumnValues(grid, FirstDimensionColumn, first, separator);
        ColumnValues(grid, SecondDimensionColumn, second, separator);
        std::vector<EmbedmentText> depths;
        mapColumn(grid, EmbedmentColumn, depths,
            [separator](QStringView text) { return readEmbedment(text, separator); });
        x.resize(n);
        for (size_t i = 0; i < n; ++i) {
            const EmbedmentText depth = depths[i];
            if (!depth.multiple) {
                x[i] = depth.value;
                continue;
            }
            // Multiples are of d, or of a rectangle's short side.
            double reference = first[i];
            const bool rectangular = sections[i] == quint8(ResultSection::Rectangular)
                || sections[i] == quint8(ResultSection::Square);
            if (rectangular && std::isfinite(second[i]))
                reference = std::min(reference, second[i]);
            x[i] = depth.value * reference;
        }
    } else {
        ColumnValues(grid, axis == ChartAxis::Strength ? StrengthColumn : FirstDimensionColumn, x,
            separator);
    }

    std::array<size_t, 5> counts{};
    for (size_t i = 0; i < n; ++i)
        ++counts[sections[i]];
    for (size_t s = 0; s < counts.size(); ++s) {
        data.series[s].x.reserve(counts[s]);
        data.series[s].y.reserve(counts[s]);
        data.series[s].rows.reserve(counts[s]);
    }
    for (size_t i = 0; i < n; ++i) {
        ChartSeries& series = data.series[sections[i]];
        series.x.push_back(x[i]);
        series.y.push_back(capacity[i]);
        series.rows.push_back(qint32(i));
    }
    if (counts[4] == 0)
        data.series.pop_back();

    if (bandLow && *bandLow > 0)
        data.lines.push_back({*bandLow,
            QStringLiteral("筛选下限 %1 kN").arg(core::FormatGeneral(*bandLow, separator)),
            BandColor, true});
    if (bandHigh && *bandHigh > 0)
        data.lines.push_back({*bandHigh,
            QStringLiteral("筛选上限 %1 kN").arg(core::FormatGeneral(*bandHigh, separator)),
            BandColor, true});

    data.describe = [&grid](int, qint32 row) {
        auto cell = [&grid, row](int column) { return grid.cellView(column, row).toString(); };
        return QStringLiteral("%1 %2  d|a = %3 mm  hr = %4  R = %5 MPa  [P] = %6 kN")
            .arg(cell(PileNumberColumn), compact(cell(SectionColumn)), cell(FirstDimensionColumn),
                cell(EmbedmentColumn), cell(StrengthColumn), cell(CapacityColumn));
    };
    return data;
}

ChartData ProjectChartData(const project::Project& project, QChar separator)
{
    ChartData data;
    data.xAxis = {QStringLiteral("桩"), QString()};
    data.yAxis = {QStringLiteral("N/[P]"), QStringLiteral("%")};
    ChartSeries bars(QStringLiteral("N/[P]"), PassColor, ChartStyle::Bars);
    QStringList withoutLoad;
    int failing = 0;
    for (int i = 0; i < project.pileCount(); ++i) {
        const project::Pile& pile = project.pile(i);
        const project::DesignLoadCheck check = project::CheckDesignLoad(pile);
        if (!check.checked || !check.ratio) {
            withoutLoad << project::PileNumber(i);
            continue;
        }
        bars.x.push_back(double(data.categories.size()));
        bars.y.push_back(*check.ratio);
        bars.rows.push_back(i);
        bars.colors.push_back(check.satisfied ? PassColor : FailColor);
        failing += !check.satisfied;
        data.categories.push_back(pile.label.isEmpty()
                ? project::PileNumber(i)
                : project::PileNumber(i) + u' ' + pile.label);
    }
    data.series.push_back(std::move(bars));
    data.lines.push_back({100, QStringLiteral("N/[P] = 100%"), FailColor, true});
    data.title = QStringLiteral("工程各桩 N/[P]（%1 根，不满足 %2 根）")
                     .arg(data.categories.size())
                     .arg(failing);
    if (!withoutLoad.isEmpty())
        data.title += QStringLiteral("；无设计荷载：") + withoutLoad.join(QStringLiteral("、"));
    if (data.categories.empty())
        data.note = QStringLiteral("没有填写设计荷载 N 的桩");
    data.describe = [project, separator](int, qint32 row) {
        const project::Pile& pile = project.pile(row);
        const project::DesignLoadCheck check = project::CheckDesignLoad(pile);
        return QStringLiteral("%1 %2  N = %3 kN  [P] = %4 kN  N/[P] = %5%  %6")
            .arg(project::PileNumber(row), pile.label, project::DesignLoadText(pile.N, separator),
                core::FormatGeneral(check.shownP, separator),
                project::UtilisationText(check, separator), project::VerdictText(check));
    };
    return data;
}

void AddDesignLoad(ChartData& chart, const project::Pile& pile, QChar separator)
{
    if (!pile.N || !chart.note.isEmpty())
        return;
    chart.lines.push_back(
        {*pile.N, QStringLiteral("N = %1 kN").arg(project::DesignLoadText(pile.N, separator)),
            LoadColor, true});
    const project::RequiredSocket socket = project::RequiredEmbedment(pile);
    if (socket.kind != project::RequiredSocket::Kind::Found)
        return;
    chart.marks.push_back({socket.hr, project::ShownCapacityAt(pile, socket.hr),
        QStringLiteral("所需 hr = %1").arg(project::RequiredSocketText(socket, separator)),
        SocketColor});
    // The axis and the curve reach the socket, however deep.
    if (!chart.xRange || socket.hr <= chart.xRange->second || chart.series.empty())
        return;
    const double from = chart.xRange->second;
    const double to = socket.hr * 1.1;
    ChartSeries& curve = chart.series.front();
    core::PileDesignCase design = pile.design;
    design.embedmentForm = core::EmbedmentForm::Millimetres;
    for (int i = 1; i <= PileSamples / 4; ++i) {
        design.h = from + (to - from) * i / (PileSamples / 4);
        curve.x.push_back(design.h);
        curve.y.push_back(core::ComputeCapacity(design).P);
    }
    chart.xRange->second = to;
}

ChartPanel::ChartPanel(TZAV_FRM_DWOR1& form)
    : m_form(form)
{
}

void ChartPanel::Open()
{
    m_open = true;
    m_kind = m_form.YouHuaFormLayer.isVisible() ? ChartKind::Optimization : ChartKind::Pile;
    refresh();
}

void ChartPanel::pickKind(ChartKind kind)
{
    m_kind = kind;
    refresh();
}

void ChartPanel::pickAxis(ChartAxis axis)
{
    m_axis = axis;
    refresh();
}

const StringGrid& ChartPanel::gridOnDisplay() const
{
    return m_form.Grid3_Youhuasaixuan.isVisible() ? m_form.Grid3_Youhuasaixuan
                                                  : m_form.Grid2_Youhuajieguo;
}

void ChartPanel::resize(QSizeF size)
{
    if (size == m_size)
        return;
    m_size = size;
    layOut();
}

quint64 ChartPanel::sourceKey() const
{
    quint64 key = mix(quint64(m_kind), quint64(m_axis));
    if (m_kind == ChartKind::Optimization) {
        const StringGrid& grid = gridOnDisplay();
        key = mix(key, quint64(reinterpret_cast<quintptr>(&grid)));
        key = mix(key, grid.dataRevision());
        key = mix(key, quint64(grid.rowCount()));
        key = mix(key, m_form.Grid1_Youhuaxuanxiang.dataRevision());
        return key;
    }
    for (const Control* control :
        {static_cast<const Control*>(&m_form.cbb_jmlx), static_cast<const Control*>(&m_form.cbe_dd),
            static_cast<const Control*>(&m_form.cbe_tyzd),
            static_cast<const Control*>(&m_form.cbe_hr),
            static_cast<const Control*>(&m_form.cbb_czgy),
            static_cast<const Control*>(&m_form.edt_frk),
            static_cast<const Control*>(&m_form.cbb_ysjqdqk),
            static_cast<const Control*>(&m_form.popbox_jingdu)})
        key = mix(key, control->revision());
    return key;
}

bool ChartPanel::refresh()
{
    if (!m_open)
        return false;
    const quint64 key = sourceKey();
    if (m_key == key)
        return false;
    m_key = key;
    const QChar separator = m_form.decimalSeparator();
    if (m_kind == ChartKind::Optimization) {
        // The band is row 11 of the options table; a 0 sets no limit.
        const StringGrid& options = m_form.Grid1_Youhuaxuanxiang;
        auto bound = [&options, separator](int column) {
            return options.rowCount() > 11
                ? core::TryParseStrict(options.cellView(column, 11), separator)
                : std::nullopt;
        };
        m_data = OptimizationChartData(gridOnDisplay(), m_axis, bound(1), bound(2), separator);
        if (m_form.Grid3_Youhuasaixuan.isVisible())
            m_data.title.replace(QStringLiteral("优化结果"), QStringLiteral("筛选结果"));
    } else {
        m_data = PileChartData(m_form);
    }
    layOut();
    return true;
}

void ChartPanel::layOut()
{
    const ChartTextWidth width = textWidth ? textWidth : [](QStringView text) {
        return EstimatedTextWidth(text, ChartFontPixels);
    };
    m_layout = LayOutChart(m_data, m_size, width, m_form.decimalSeparator());
    m_hovered.reset();
    ++m_revision;
}

void ChartPanel::hover(QPointF at)
{
    const auto hit = HitTest(m_layout, m_data, at);
    const bool same = hit.has_value() == m_hovered.has_value()
        && (!hit || (hit->series == m_hovered->series && hit->index == m_hovered->index));
    m_hovered = hit;
    if (!same)
        ++m_revision;
}

void ChartPanel::leave()
{
    if (m_hovered) {
        m_hovered.reset();
        ++m_revision;
    }
}

QString ChartPanel::readout() const
{
    return m_hovered ? DescribeHit(m_data, *m_hovered, m_form.decimalSeparator()) : QString();
}

void ChartPanel::click(QPointF at)
{
    if (m_kind != ChartKind::Optimization)
        return;
    const auto hit = HitTest(m_layout, m_data, at);
    if (!hit)
        return;
    // Only the grid the chart was drawn from, while it still holds that row.
    StringGrid& grid = m_form.Grid3_Youhuasaixuan.isVisible() ? m_form.Grid3_Youhuasaixuan
                                                              : m_form.Grid2_Youhuajieguo;
    if (m_key != sourceKey() || hit->row >= grid.rowCount())
        return;
    grid.selectCell(grid.selectedColumn() < 0 ? 0 : grid.selectedColumn(), hit->row);
}

QString ChartPanel::exportPath(const QString& suffix) const
{
    const QString name = m_kind == ChartKind::Optimization ? QStringLiteral("嵌岩桩图表_优化结果")
                                                           : QStringLiteral("嵌岩桩图表_单桩");
    return report::ResultFilePath(m_form.platform().documentsFolder(), name + u'.' + suffix);
}

void ChartPanel::Export(const QString& path, const std::function<QByteArray()>& render)
{
    m_form.runUserAction([&path, &render] {
        const QByteArray bytes = render ? render() : QByteArray();
        if (bytes.isEmpty())
            throw core::FileError(QStringLiteral("文件“%1”未能生成。").arg(path));
        report::WriteResultBytes(path, bytes);
    });
}

} // namespace ui
