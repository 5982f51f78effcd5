#include "core/result_schema.h"

namespace core {

namespace {

constexpr std::array<QStringView, ResultColumnCount> headers = {
    u"桩编号",
    u"截面类型",
    u"d|a(mm)",
    u"c|b(mm)",
    u"[P](kN)",
    u"hr(mm)",
    u"R(MPa)",
    u"成桩工艺",
    u"岩石状况",
    u"系数 C",
    u"系数 C1",
    u"系数 C2",
    u"Pp(kN)",
    u"端阻占比",
    u"Ps(kN)",
    u"侧阻占比",
    u"备注",
};

// The circular and square texts have two blanks between their characters.
constexpr std::array<QStringView, 4> sections = {u"圆  桩", u"椭圆桩", u"矩形桩", u"方  桩"};
constexpr std::array<QStringView, 2> processes = {u"打入震沉", u"钻(挖)孔"};
constexpr std::array<QStringView, 2> drivenConditions = {u"匀质完整", u"裂缝风化"};
constexpr std::array<QStringView, 3> boredConditions = {u"良好", u"一般", u"较差"};

} // namespace

QStringView ResultHeaderText(int column)
{
    return column >= 0 && column < ResultColumnCount ? headers[size_t(column)] : QStringView();
}

QStringView SectionLabel(ResultSection section)
{
    return sections[size_t(section)];
}

QStringView ProcessLabel(PileProcess process)
{
    return processes[process == PileProcess::Driven ? 0 : 1];
}

namespace {
// The condition entries of a process: two for driven piles, three for bored ones.
int ConditionCount(PileProcess process)
{
    return process == PileProcess::Driven ? 2 : 3;
}
} // namespace

QStringView ConditionLabel(PileProcess process, int condition)
{
    const int last = ConditionCount(process) - 1;
    const auto i = size_t(condition < 0 || condition > last ? last : condition);
    return process == PileProcess::Driven ? drivenConditions[i] : boredConditions[i];
}

std::optional<ResultSection> SectionOfLabel(QStringView text)
{
    for (size_t i = 0; i < sections.size(); ++i) {
        if (text == sections[i])
            return ResultSection(i);
    }
    return std::nullopt;
}

std::optional<PileProcess> ProcessOfLabel(QStringView text)
{
    if (text == processes[0])
        return PileProcess::Driven;
    if (text == processes[1])
        return PileProcess::Bored;
    return std::nullopt;
}

std::optional<int> ConditionOfLabel(PileProcess process, QStringView text)
{
    for (int i = 0; i < ConditionCount(process); ++i) {
        if (text == ConditionLabel(process, i))
            return i;
    }
    return std::nullopt;
}

bool ShowsDash(int column, ResultSection section, PileProcess process)
{
    const bool driven = process == PileProcess::Driven;
    switch (column) {
    case SecondDimensionColumn:
        return section == ResultSection::Circular;
    case DrivenCoefficientColumn:
        return !driven;
    case EndCoefficientColumn:
    case SideCoefficientColumn:
        return driven;
    default:
        return false;
    }
}

CellKind ResultCellKind(int column)
{
    switch (column) {
    case PileNumberColumn:
        return CellKind::PileNumbers;
    case CapacityColumn:
    case EndResistanceColumn:
    case SideResistanceColumn:
        return CellKind::Numbers;
    default:
        return CellKind::Texts;
    }
}

std::array<int, 4> DimensionFieldColumns(ResultSection section)
{
    switch (section) {
    case ResultSection::Circular:
        return {FirstDimensionColumn, -1, -1, -1};
    case ResultSection::Elliptical:
        return {FirstDimensionColumn, SecondDimensionColumn, -1, -1};
    default:
        return {-1, -1, FirstDimensionColumn, SecondDimensionColumn};
    }
}

std::array<int, 6> ResistanceFieldColumns(PileProcess process)
{
    if (process == PileProcess::Driven)
        return {DrivenCoefficientColumn, EndResistanceColumn, EndShareColumn, -1, -1, -1};
    return {EndCoefficientColumn, EndResistanceColumn, EndShareColumn, SideCoefficientColumn,
        SideResistanceColumn, SideShareColumn};
}

} // namespace core
