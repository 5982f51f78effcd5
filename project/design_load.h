#pragma once

// The question an engineer really asks of a pile: does it carry its design load N, and
// how deep must the socket be if not. Both compare N with [P] as the pile's display
// precision shows it (the number the checker reads), so a truncating precision is
// never more generous than the figure printed in the book.

#include "project/project.h"

#include <QChar>
#include <QString>

namespace project {

// [P] as the pile's precision shows it, as a number.
double ShownCapacity(double P, core::PrecisionMode mode);

struct DesignLoadCheck {
    bool checked = false; // false without N
    bool satisfied = false; // N <= shown [P]
    double N = 0;
    double shownP = 0;
    std::optional<double> ratio; // N / shown [P] in %; none when the shown [P] is not above 0
};
DesignLoadCheck CheckDesignLoad(const Pile& pile);

// The line that ends the pile's section of the book when it has N, before the closing
// line; empty without N:
// "  6. 承载力验算: N = 9800.00 kN ≤ [P] = 10210 kN，满足要求 (N/[P] = 96.0%)".
QString DesignLoadLine(const Pile& pile, QChar decimalSeparator);
// The schedule's cells: N/[P] in % with one decimal ("96.0"), and "满足" / "不满足";
// both empty without N.
QString UtilisationText(const DesignLoadCheck& check, QChar decimalSeparator);
QString VerdictText(const DesignLoadCheck& check);

// The least embedment, in whole 10 mm, at which the pile's own rules (the shallow rule
// of 0.5 m included) give a shown [P] of at least N.
struct RequiredSocket {
    enum class Kind {
        NoDesignLoad,
        NotApplicable, // driven piles: hr does not enter formula 6.2.2-3
        NoSolution, // no embedment reaches N
        Found,
    };
    Kind kind = Kind::NoDesignLoad;
    double hr = 0; // mm, a multiple of 10
    double multiple = 0; // hr as a multiple of d (or b), rounded up to 0.1
    QChar marker; // 'd' or 'b'
};
// Computed in closed form from formula 6.2.2-4 and then confirmed by the rules
// themselves: [P] at hr reaches N and [P] at hr - 10 mm does not.
RequiredSocket RequiredEmbedment(const Pile& pile);
// "1630 (1.4d)", "不适用", "无解", or empty without N.
QString RequiredSocketText(const RequiredSocket& socket, QChar decimalSeparator);

// The pile's shown [P] with its embedment replaced by hr mm, every other input kept: the
// curve the required socket is read from.
double ShownCapacityAt(const Pile& pile, double hr);

} // namespace project
