#pragma once

// The 17 cell texts one computed case leaves in the result grid. Most of them are what
// the input panel shows after the calculation (dimensions, [P], strength), the rest are
// written from LastCapacity and from the share box, so that the filter, the sorting,
// the pick-up and the list files can work from the texts alone: the grid is the only
// store of results.

#include "core/capacity.h"
#include "core/design_case.h"
#include "core/result_schema.h"

#include <QString>

#include <array>

namespace optimization {

// The texts of a row as views: into the panel's controls, fixed labels or texts the
// row builder keeps. Valid until the panel changes or the builder fills the next row.
using OptimizationResultRow = std::array<QStringView, core::ResultColumnCount>;

// What the input panel shows after a calculation, as the run reads it back; the texts
// are views of the controls' own texts.
struct PanelReadback {
    QStringView firstDimension; // cbe_dd
    QStringView secondDimension; // cbe_tyzd
    QStringView capacity; // edt_ra
    QStringView endResistance; // edt_Pr
    QStringView share; // edt_percent, with its "%"
    QStringView strength; // edt_frk
    core::PileProcess process = core::PileProcess::Bored;
    int condition = 0;
    core::LastCapacityRecord last;
};

// Fills columns 1-16 of a row for a case of the given section code (1-4 of the options
// table) whose embedment text the run wrote into the panel. Column 0, the pile number,
// is left to the caller. Throws core::ConversionError when a result box holds no number.
// Reusing one row object across cases keeps its texts' storage.
class ResultRowBuilder {
public:
    explicit ResultRowBuilder(QChar decimalSeparator);
    void fill(OptimizationResultRow& row, int sectionCode, QStringView embedmentText,
        const PanelReadback& panel);

private:
    const QString& coefficientText(double value, QString& scratch);
    // The share column's text for a percentage; `scratch` holds it when it is not kept.
    const QString& shareText(double value, QString& scratch);
    // FormatFixed(value, 10, 0) in `buffer`.
    QStringView wholeText(double value, std::array<char16_t, 32>& buffer);

    QChar m_separator;
    // The coefficients take a handful of values over a whole run; their texts are kept.
    struct CachedText {
        double value;
        QString text;
    };
    std::array<CachedText, 16> m_coefficients{};
    size_t m_coefficientCount = 0;
    static constexpr double ShareCacheLimit = 1000;
    std::array<QString, 2001> m_shares; // whole percentages -1000..1000, with "%"
    // Texts of the last row that are neither the panel's nor fixed.
    QString m_endCoefficient;
    QString m_sideCoefficient;
    std::array<char16_t, 32> m_endResistance{};
    QString m_endShare;
    std::array<char16_t, 32> m_sideResistance{};
    QString m_sideShare;
};

// The text of the pile-number column after a completed run: "ZH-" followed by the
// position, zero-filled to the digit count of the row count.
QString FinalPileNumber(qint64 position, qint64 rowCount);

} // namespace optimization
