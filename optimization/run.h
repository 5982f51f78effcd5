#pragma once

// The enumeration of an optimization run. It has no formulas of its own: for every
// combination it writes the case as texts into the input panel, the controls a user
// fills by hand, runs the panel's calculation action and reads the result boxes back.
// The form implements OptimizationPanel over its real controls; the panel's change
// handlers cascade as for a user's changes, which is why the section type is set
// before the dimensions and the process before the rock condition. A case the
// calculation rejects ends the whole run by the calculation's own abort.

#include "optimization/ranges.h"
#include "optimization/result_row.h"

#include <QString>

namespace optimization {

class OptimizationPanel {
public:
    virtual ~OptimizationPanel() = default;
    virtual void selectSectionType(core::SectionType panelSection) = 0; // cbb_jmlx
    virtual void setFirstDimension(const QString& text) = 0; // cbe_dd
    virtual void setSecondDimension(const QString& text) = 0; // cbe_tyzd
    virtual void setEmbedment(const QString& text) = 0; // cbe_hr
    virtual void setStrength(const QString& text) = 0; // edt_frk
    virtual void selectProcess(core::PileProcess process) = 0; // cbb_czgy
    virtual core::PileProcess shownProcess() const = 0;
    virtual void selectRockCondition(int index) = 0; // cbb_ysjqdqk
    // The calculation action, whether its button is enabled or not.
    virtual void calculate() = 0;
    virtual void readBack(PanelReadback& into) const = 0;
};

class ResultRowSink {
public:
    virtual ~ResultRowSink() = default;
    // Column 0 of the row is empty: the caller numbers the rows.
    virtual void appendResultRow(const OptimizationResultRow& row) = 0;
};

// Walks every combination in the nested order section type, dimensions, embedment,
// strength, process, rock condition and appends one row per calculated case. Returns
// the number of rows appended.
qint64 RunOptimization(const OptimizationRanges& ranges, OptimizationPanel& panel,
    ResultRowSink& sink, QChar decimalSeparator);

// The texts the run writes into the panel.
QString DimensionText(double millimetres, QChar decimalSeparator);
QString EmbedmentText(
    double value, core::EmbedmentForm form, int sectionCode, QChar decimalSeparator);
QString StrengthText(double megapascals, QChar decimalSeparator);

} // namespace optimization
