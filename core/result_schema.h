#pragma once

// The row of the optimization result grids, defined once: its 17 columns, their header
// texts, the fixed texts of the section, process and rock-condition columns, and which
// columns a round, elliptical, rectangular or square case and a driven or bored case
// fill. The run builds its rows from it, the grids take their headers and their compact
// storage from it, the filter, the sort and the pick-up read the columns it names, and
// the list file chooses its fields by the section and process it recognises. A text
// that is none of the fixed ones belongs to no section or process.

#include "core/cellstore.h"
#include "core/design_case.h"

#include <QStringView>

#include <array>
#include <optional>

namespace core {

inline constexpr int ResultColumnCount = 17;

// Columns of the result grids, as created.
enum ResultColumn {
    PileNumberColumn = 0,
    SectionColumn = 1,
    FirstDimensionColumn = 2, // d, or side a
    SecondDimensionColumn = 3, // c, or side b
    CapacityColumn = 4, // [P]
    EmbedmentColumn = 5,
    StrengthColumn = 6,
    ProcessColumn = 7,
    ConditionColumn = 8,
    DrivenCoefficientColumn = 9, // C
    EndCoefficientColumn = 10, // C1
    SideCoefficientColumn = 11, // C2
    EndResistanceColumn = 12, // Pp
    EndShareColumn = 13,
    SideResistanceColumn = 14, // Ps
    SideShareColumn = 15,
    RemarkColumn = 16,
};

// The header of a column before padding.
QStringView ResultHeaderText(int column);

// The four sections of the options table (codes 1-4 there).
enum class ResultSection { Circular, Elliptical, Rectangular, Square };

QStringView SectionLabel(ResultSection section);
QStringView ProcessLabel(PileProcess process);
// `condition` outside the process's entries gives the last entry.
QStringView ConditionLabel(PileProcess process, int condition);

std::optional<ResultSection> SectionOfLabel(QStringView text);
std::optional<PileProcess> ProcessOfLabel(QStringView text);
std::optional<int> ConditionOfLabel(PileProcess process, QStringView text);

// What a cell shows where the case has no such value.
inline constexpr QStringView DashText = u"-";
// The embedment of a driven pile, which bears on the rock.
inline constexpr QStringView DrivenEmbedmentText = u"0";

// True where a row of this section and process shows the dash: the second dimension of
// a round pile, C1 and C2 of a driven pile, C of a bored one.
bool ShowsDash(int column, ResultSection section, PileProcess process);

// Columns whose texts repeat from case to case (the fixed texts, dimensions, depths,
// strengths, coefficients and shares: a handful to a few hundred over a whole run)
// against the forces, which take a value of their own in nearly every case. The grids
// store the first kind as small codes into the column's texts, the forces as numbers
// packed into the cell, and the pile numbers not at all: they follow from the row's
// position when the rows were numbered.
CellKind ResultCellKind(int column);

// The list file's dimension fields d, c, a and b: the grid column each shows, or -1 for
// a dash field.
std::array<int, 4> DimensionFieldColumns(ResultSection section);
// The list file's resistance fields C1 (C), Pp, Pp share, C2, Ps, Ps share.
std::array<int, 6> ResistanceFieldColumns(PileProcess process);

} // namespace core
