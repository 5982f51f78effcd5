#pragma once

// A bridge's piles, kept. How it fits: the form hands over what its input panel held
// when "计算" ran (PileInputs); ComputePile validates and computes it by the same rules
// as the calculation (core/), and the Project keeps the piles in order with their
// label (墩台号/桩位) and design load N, under a header that names the work and the
// people who sign it. Out come the calculation book and the summary table, rendered
// from the piles with report/'s own layout (render.h); the design-load check and the
// required socket (design_load.h); the project file and its recovery copies
// (projectfile.h, recovery.h); and the earlier states for undo (history.h). The form
// (ui/) owns one Project and shows what it renders; the command line and the
// spreadsheet exchange build and read Projects with the same functions. QtCore only.
//
// A Project is a small value: copying one shares its piles, so the undo history keeps
// whole earlier states at the cost of one pointer per pile.

#include "core/capacity.h"
#include "core/design_case.h"
#include "core/validation.h"

#include <QChar>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace project {

// The input panel as it stood when the pile was computed: the texts as typed (a
// rectangle's sides as the panel rewrote them, long side first), the three choices and
// the display precision.
struct PileInputs {
    core::SectionType section = core::SectionType::Circular; // never Square: the panel has none
    QString d = QStringLiteral("1000"); // diameter, or side a
    QString c = QStringLiteral("0"); // straight length, or side b; "0" for a circle
    QString hr = QStringLiteral("1.0d"); // embedment: millimetres or a multiple of d or b
    QString R = QStringLiteral("25"); // MPa
    core::PileProcess process = core::PileProcess::Bored;
    core::RockCondition condition = 1;
    core::PrecisionMode precision = core::PrecisionMode::WholeUnits;

    friend bool operator==(const PileInputs&, const PileInputs&) = default;
};

// Design loads beyond this are no load a pile is designed for: refused as out of range.
inline constexpr double MaximumDesignLoad = 1e9; // kN

struct Pile {
    QString label; // 墩台号/桩位, free text, may be empty
    PileInputs inputs;
    std::optional<double> N; // design axial load in kN, > 0, in whole hundredths
    // Filled by ComputePile from the inputs.
    core::PileDesignCase design;
    core::CapacityResult result;

    // The computed part follows from the inputs, so it takes no part.
    friend bool operator==(const Pile& a, const Pile& b)
    {
        return a.label == b.label && a.inputs == b.inputs && a.N == b.N;
    }
};

struct PileError {
    core::InputField field;
    QString message; // the calculation's own message, "桩身直径数据有错"
};

// Validates and computes the pile's inputs as the user's "计算" does: d, c (where the
// section uses it) and R must be numbers in the user's format and R not negative, then
// the calculation's checks in their order and the range check of the result. On success
// fills design and result (and the inputs take a rectangle's sides long side first).
std::optional<PileError> ComputePile(Pile& pile, QChar decimalSeparator);

// A design load as the user types it: a number in his format, above 0 and at most
// MaximumDesignLoad, kept in hundredths of a kN (the book writes two decimals). Empty
// text: no load. The error names what is wrong.
struct DesignLoadReading {
    std::optional<double> N;
    QString error; // empty when the text was accepted
};
DesignLoadReading ReadDesignLoad(const QString& text, QChar decimalSeparator);

// The load as the schedule shows it: its general form, "9800", "9800.5".
QString DesignLoadText(std::optional<double> N, QChar decimalSeparator);

// 工程名称, 桥名/工点, 设计, 复核, 审核, 日期: all optional.
struct ProjectHeader {
    QString name;
    QString site;
    QString designer;
    QString checker;
    QString approver;
    QString date;
    friend bool operator==(const ProjectHeader&, const ProjectHeader&) = default;
};

class Project {
public:
    ProjectHeader header;
    // The time text of the latest calculation: the stamp under the book and the table.
    // Moving or deleting piles keeps it, as delete-last does; an empty project has none.
    QString stamp;

    int pileCount() const { return static_cast<int>(m_piles.size()); }
    bool isEmpty() const { return m_piles.empty(); }
    // 0 <= index < pileCount().
    const Pile& pile(int index) const { return *m_piles.at(static_cast<size_t>(index)); }

    void append(Pile pile);
    // 0 <= index <= pileCount().
    void insert(int index, Pile pile);
    void replace(int index, Pile pile);
    // The last pile removed also takes the stamp: nothing is left to stamp.
    void remove(int index);
    // The pile at `from` ends up at `to`; the others keep their order.
    void move(int from, int to);
    void setLabel(int index, const QString& label);
    void setDesignLoad(int index, std::optional<double> N);

    friend bool operator==(const Project& a, const Project& b);

private:
    std::vector<std::shared_ptr<const Pile>> m_piles;
};

// "ZH" and the pile's position counted from 1: the number the book and the table give it.
QString PileNumber(int index);

} // namespace project
