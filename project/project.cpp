#include "project/project.h"

#include "core/input_items.h"
#include "core/numbers.h"

#include <cmath>

namespace project {

namespace {

using core::InputField;
using core::SectionType;

// A text quoted in a message, cut where it would swamp the sentence.
QString quoted(const QString& text)
{
    constexpr int Shown = 24;
    const QString shown = text.size() > Shown ? text.left(Shown) + QStringLiteral("…") : text;
    return QStringLiteral("“") + shown + QStringLiteral("”");
}

bool rectangular(SectionType section)
{
    return section == SectionType::Rectangular;
}

PileError notANumber(InputField field, const QString& name, const QString& text)
{
    return {
        field, name + QStringLiteral(" 不是有效的数值（") + quoted(text) + QStringLiteral("）")};
}

} // namespace

std::optional<PileError> ComputePile(Pile& pile, QChar sep)
{
    PileInputs& in = pile.inputs;
    if (in.section != SectionType::Circular && in.section != SectionType::Elliptical
        && in.section != SectionType::Rectangular)
        return PileError{InputField::FirstDimension, QStringLiteral("截面类型无效")};
    const QStringList conditions = core::ConditionItems(in.process);
    if (in.condition < 0 || in.condition >= conditions.size())
        return PileError{InputField::RockStrength, QStringLiteral("岩石状况无效")};
    if (!core::IsPrecisionMode(static_cast<int>(in.precision)))
        return PileError{InputField::RockStrength, QStringLiteral("计算精度无效")};

    // What the user's "计算" refuses before it calculates: a dimension or strength that
    // is no number (it would be read as its leading digits), a negative strength.
    const bool rect = rectangular(in.section);
    const auto d = core::TryParseStrict(in.d, sep);
    if (!d)
        return notANumber(
            InputField::FirstDimension, rect ? QStringLiteral("a") : QStringLiteral("d"), in.d);
    std::optional<double> c = core::ParseLenient(in.c, sep);
    if (in.section != SectionType::Circular) {
        c = core::TryParseStrict(in.c, sep);
        if (!c)
            return notANumber(InputField::SecondDimension,
                rect ? QStringLiteral("b") : QStringLiteral("c"), in.c);
    }
    const auto R = core::TryParseStrict(in.R, sep);
    if (!R)
        return notANumber(InputField::RockStrength, QStringLiteral("R"), in.R);
    if (*R < 0)
        return PileError{InputField::RockStrength, QStringLiteral("岩石单轴抗压强度值有错")};

    core::PileDesignCase design;
    design.dText = in.d;
    design.d = *d;
    design.cText = in.c;
    design.c = *c;
    design.R = *R;
    design.section = in.section;
    design.hText = in.hr;
    design.process = in.process;
    design.processText = core::ProcessItems().at(static_cast<int>(in.process));
    design.condition = in.condition;
    design.conditionText = conditions.at(in.condition);
    const core::CaseValidation checks = core::ValidatePileDesignCase(design, sep);
    if (checks.conversionError)
        return notANumber(InputField::Embedment, QStringLiteral("hr"), in.hr);
    if (checks.error)
        return PileError{checks.error->field, checks.error->message};
    const core::CapacityResult result = core::ComputeCapacity(design);
    if (const auto error = core::CheckCapacityRange(design, result))
        return PileError{error->field, error->message};

    in.d = design.dText;
    in.c = design.cText;
    pile.design = std::move(design);
    pile.result = result;
    return std::nullopt;
}

DesignLoadReading ReadDesignLoad(const QString& text, QChar sep)
{
    if (text.trimmed().isEmpty())
        return {};
    const auto value = core::TryParseStrict(text, sep);
    if (!value)
        return {std::nullopt,
            QStringLiteral("N 不是有效的数值（") + quoted(text) + QStringLiteral("）")};
    if (!(*value > 0))
        return {std::nullopt, QStringLiteral("N 应大于 0")};
    if (*value > MaximumDesignLoad)
        return {std::nullopt,
            QStringLiteral("N 超出范围（至多 %1 kN）")
                .arg(core::FormatGeneral(MaximumDesignLoad, sep))};
    // Hundredths of a kN are what the book writes: the check compares what it prints.
    const double hundredths = std::round(*value * 100) / 100;
    if (!(hundredths > 0))
        return {std::nullopt, QStringLiteral("N 应大于 0")};
    return {hundredths, QString()};
}

QString DesignLoadText(std::optional<double> N, QChar sep)
{
    return N ? core::FormatGeneral(*N, sep) : QString();
}

void Project::append(Pile pile)
{
    m_piles.push_back(std::make_shared<const Pile>(std::move(pile)));
}

void Project::insert(int index, Pile pile)
{
    m_piles.insert(m_piles.begin() + index, std::make_shared<const Pile>(std::move(pile)));
}

void Project::replace(int index, Pile pile)
{
    m_piles.at(static_cast<size_t>(index)) = std::make_shared<const Pile>(std::move(pile));
}

void Project::remove(int index)
{
    m_piles.erase(m_piles.begin() + index);
    if (m_piles.empty())
        stamp.clear();
}

void Project::move(int from, int to)
{
    auto moved = m_piles.at(static_cast<size_t>(from));
    m_piles.erase(m_piles.begin() + from);
    m_piles.insert(m_piles.begin() + to, std::move(moved));
}

void Project::setLabel(int index, const QString& label)
{
    Pile changed = pile(index);
    changed.label = label;
    replace(index, std::move(changed));
}

void Project::setDesignLoad(int index, std::optional<double> N)
{
    Pile changed = pile(index);
    changed.N = N;
    replace(index, std::move(changed));
}

bool operator==(const Project& a, const Project& b)
{
    if (a.header != b.header || a.stamp != b.stamp || a.m_piles.size() != b.m_piles.size())
        return false;
    for (size_t i = 0; i < a.m_piles.size(); ++i) {
        if (a.m_piles[i] != b.m_piles[i] && !(*a.m_piles[i] == *b.m_piles[i]))
            return false;
    }
    return true;
}

QString PileNumber(int index)
{
    return QStringLiteral("ZH") + QString::number(index + 1);
}

} // namespace project
