#include "optimization/result_row.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace optimization {

QString SectionLabel(int sectionCode)
{
    switch (sectionCode) {
    case 1:
        return QStringLiteral("圆  桩");
    case 2:
        return QStringLiteral("椭圆桩");
    case 3:
        return QStringLiteral("矩形桩");
    default:
        return QStringLiteral("方  桩");
    }
}

QString ProcessLabel(core::PileProcess process)
{
    return process == core::PileProcess::Driven ? QStringLiteral("打入震沉")
                                                : QStringLiteral("钻(挖)孔");
}

QString ConditionLabel(core::PileProcess process, int condition)
{
    if (process == core::PileProcess::Driven)
        return condition == 0 ? QStringLiteral("匀质完整") : QStringLiteral("裂缝风化");
    switch (condition) {
    case 0:
        return QStringLiteral("良好");
    case 1:
        return QStringLiteral("一般");
    default:
        return QStringLiteral("较差");
    }
}

ResultRowBuilder::ResultRowBuilder(QChar decimalSeparator)
    : m_separator(decimalSeparator)
{
}

const QString& ResultRowBuilder::coefficientText(double value, QString& scratch)
{
    for (size_t i = 0; i < m_coefficientCount; ++i) {
        if (m_coefficients[i].value == value)
            return m_coefficients[i].text;
    }
    if (m_coefficientCount == m_coefficients.size()) {
        scratch = core::FormatFixed(value, 10, 2, m_separator);
        return scratch;
    }
    CachedText& slot = m_coefficients[m_coefficientCount++];
    slot.value = value;
    slot.text = core::FormatFixed(value, 10, 2, m_separator);
    return slot.text;
}

namespace {

// A whole number as FormatFixed(value, 10, 0) writes it: an optional "-", then at most
// ten digits without a leading zero, and no "-0". Such a text read back and written
// again with no decimals is itself, so the row can share it instead of re-writing it.
bool isWholeNumberText(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-')
        ++i;
    const qsizetype digits = text.size() - i;
    if (digits < 1 || digits > 10 || (text[i] == u'0' && (digits > 1 || i > 0)))
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
}

} // namespace

const QString& ResultRowBuilder::shareText(double value, QString& scratch)
{
    // The shares of a run are mostly whole percentages: keep their texts.
    const bool small
        = value == std::trunc(value) && value >= -ShareCacheLimit && value <= ShareCacheLimit;
    if (!small) {
        scratch = core::FormatFixed(value, 10, 0, m_separator) + QLatin1Char('%');
        return scratch;
    }
    QString& cached = m_shares[static_cast<size_t>(value + ShareCacheLimit)];
    if (cached.isNull())
        cached = core::FormatFixed(value, 10, 0, m_separator) + QLatin1Char('%');
    return cached;
}

void ResultRowBuilder::fill(OptimizationResultRow& row, int sectionCode, QStringView embedmentText,
    const PanelReadback& panel)
{
    static const QString section[4]
        = {SectionLabel(1), SectionLabel(2), SectionLabel(3), SectionLabel(4)};
    static const QString process[2]
        = {ProcessLabel(core::PileProcess::Driven), ProcessLabel(core::PileProcess::Bored)};
    static const QString drivenCondition[2] = {
        ConditionLabel(core::PileProcess::Driven, 0), ConditionLabel(core::PileProcess::Driven, 1)};
    static const QString boredCondition[3] = {ConditionLabel(core::PileProcess::Bored, 0),
        ConditionLabel(core::PileProcess::Bored, 1), ConditionLabel(core::PileProcess::Bored, 2)};
    constexpr QStringView dash = u"-";
    constexpr QStringView zero = u"0";
    const bool driven = panel.process == core::PileProcess::Driven;

    row[PileNumberColumn] = QStringView();
    row[SectionColumn] = section[std::clamp(sectionCode, 1, 4) - 1];
    row[FirstDimensionColumn] = panel.firstDimension;
    row[SecondDimensionColumn] = sectionCode == 1 ? dash : panel.secondDimension;
    row[CapacityColumn] = panel.capacity;
    row[EmbedmentColumn] = driven ? zero : embedmentText;
    row[StrengthColumn] = panel.strength;
    row[ProcessColumn] = process[driven ? 0 : 1];
    row[ConditionColumn] = driven ? drivenCondition[panel.condition == 0 ? 0 : 1]
                                  : boredCondition[std::clamp(panel.condition, 0, 2)];
    const QStringView endCoefficient = coefficientText(panel.last.C1, m_endCoefficient);
    row[DrivenCoefficientColumn] = driven ? endCoefficient : dash;
    row[EndCoefficientColumn] = driven ? dash : endCoefficient;
    row[SideCoefficientColumn]
        = driven ? dash : QStringView(coefficientText(panel.last.C2, m_sideCoefficient));

    // Pp and the shares as the boxes show them, re-read and written whole. A box that
    // already holds a whole number gives its own text.
    const double endResistance = core::ParseStrict(panel.endResistance, m_separator);
    if (isWholeNumberText(panel.endResistance)) {
        row[EndResistanceColumn] = panel.endResistance;
    } else {
        m_endResistance = core::FormatFixed(endResistance, 10, 0, m_separator);
        row[EndResistanceColumn] = m_endResistance;
    }
    const qsizetype percentAt = panel.share.indexOf(QLatin1Char('%'));
    const QStringView shareNumber
        = panel.share.left(percentAt < 0 ? panel.share.size() : percentAt);
    const double share = core::ParseStrict(shareNumber, m_separator);
    if (percentAt == panel.share.size() - 1 && isWholeNumberText(shareNumber))
        row[EndShareColumn] = panel.share;
    else
        row[EndShareColumn] = shareText(share, m_endShare);
    // Ps at full precision: it does not follow the display precision.
    m_sideResistance = core::FormatFixed(panel.last.Ps, 10, 0, m_separator);
    row[SideResistanceColumn] = m_sideResistance;
    row[SideShareColumn] = shareText(100 - share, m_sideShare);
    row[RemarkColumn] = QStringView();
}

QString FinalPileNumber(qint64 position, qint64 rowCount)
{
    return PileNumbers(rowCount).text(position).toString();
}

PileNumbers::PileNumbers(qint64 rowCount)
    : m_digits(static_cast<int>(QString::number(rowCount).size()))
{
}

QStringView PileNumbers::text(qint64 position)
{
    int own = 1;
    for (qint64 rest = position; rest >= 10; rest /= 10)
        ++own;
    const int length = 3 + std::max(own, m_digits);
    m_buffer[0] = u'Z';
    m_buffer[1] = u'H';
    m_buffer[2] = u'-';
    for (int i = length - 1; i >= 3; --i, position /= 10)
        m_buffer[static_cast<size_t>(i)] = static_cast<char16_t>(u'0' + position % 10);
    return QStringView(m_buffer.data(), length);
}

} // namespace optimization
