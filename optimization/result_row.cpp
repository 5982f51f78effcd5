#include "optimization/result_row.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace optimization {

namespace {
// The section of a code of the options table (1-4; others are taken as the nearest).
core::ResultSection SectionOfCode(int sectionCode)
{
    return core::ResultSection(std::clamp(sectionCode, 1, 4) - 1);
}
} // namespace

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

QStringView ResultRowBuilder::wholeText(double value, std::array<char16_t, 32>& buffer)
{
    core::FixedText text;
    const QStringView written = core::FormatFixedInto(value, 10, 0, m_separator, text);
    std::copy_n(written.utf16(), written.size(), buffer.begin());
    return QStringView(buffer.data(), written.size());
}

namespace {

// The value of a text isWholeNumberText accepts, which is exact in a double.
double wholeNumberValue(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    double value = 0;
    for (QChar c : text.sliced(negative ? 1 : 0))
        value = value * 10 + (c.unicode() - u'0');
    return negative ? -value : value;
}

} // namespace

void ResultRowBuilder::fill(OptimizationResultRow& row, int sectionCode, QStringView embedmentText,
    const PanelReadback& panel)
{
    using namespace core;
    const ResultSection section = SectionOfCode(sectionCode);
    const bool driven = panel.process == PileProcess::Driven;
    auto dashOr = [&](int column, QStringView text) {
        return ShowsDash(column, section, panel.process) ? DashText : text;
    };

    row[PileNumberColumn] = QStringView();
    row[SectionColumn] = SectionLabel(section);
    row[FirstDimensionColumn] = panel.firstDimension;
    row[SecondDimensionColumn] = dashOr(SecondDimensionColumn, panel.secondDimension);
    row[CapacityColumn] = panel.capacity;
    row[EmbedmentColumn] = driven ? DrivenEmbedmentText : embedmentText;
    row[StrengthColumn] = panel.strength;
    row[ProcessColumn] = ProcessLabel(panel.process);
    row[ConditionColumn] = ConditionLabel(panel.process, panel.condition);
    const QStringView endCoefficient = coefficientText(panel.last.C1, m_endCoefficient);
    row[DrivenCoefficientColumn] = dashOr(DrivenCoefficientColumn, endCoefficient);
    row[EndCoefficientColumn] = dashOr(EndCoefficientColumn, endCoefficient);
    row[SideCoefficientColumn] = ShowsDash(SideCoefficientColumn, section, panel.process)
        ? DashText
        : QStringView(coefficientText(panel.last.C2, m_sideCoefficient));

    // Pp and the shares as the boxes show them, re-read and written whole. A box that
    // already holds a whole number is that number's text: nothing to read or write.
    if (isWholeNumberText(panel.endResistance)) {
        row[EndResistanceColumn] = panel.endResistance;
    } else {
        const double endResistance = ParseStrict(panel.endResistance, m_separator);
        row[EndResistanceColumn] = wholeText(endResistance, m_endResistance);
    }
    const qsizetype percentAt = panel.share.indexOf(QLatin1Char('%'));
    const QStringView shareNumber
        = panel.share.left(percentAt < 0 ? panel.share.size() : percentAt);
    double share = 0;
    if (percentAt == panel.share.size() - 1 && isWholeNumberText(shareNumber)) {
        share = wholeNumberValue(shareNumber);
        row[EndShareColumn] = panel.share;
    } else {
        share = ParseStrict(shareNumber, m_separator);
        row[EndShareColumn] = shareText(share, m_endShare);
    }
    // Ps at full precision: it does not follow the display precision.
    row[SideResistanceColumn] = wholeText(panel.last.Ps, m_sideResistance);
    row[SideShareColumn] = shareText(100 - share, m_sideShare);
    row[RemarkColumn] = QStringView();
}

QString FinalPileNumber(qint64 position, qint64 rowCount)
{
    core::CellScratch scratch;
    return core::CellStore::PileNumberText(
        quint64(position), core::PileNumbering::Final, quint64(rowCount), scratch)
        .toString();
}

} // namespace optimization
