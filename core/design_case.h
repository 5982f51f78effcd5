#pragma once

// One pile design case as the input panel holds it. The texts are kept beside the
// values because the reports echo what the engineer typed, not a reformatted number.

#include <QString>

namespace core {

// Panel index of the section-type list; Square never appears in the panel (it is a
// rectangle whose normalised sides are equal) but the optimization ranges offer it.
enum class SectionType { Circular = 0, Elliptical = 1, Rectangular = 2, Square = 3 };

// Panel index of the process list: formula 6.2.2-3 for driven piles, 6.2.2-4 for bored.
enum class PileProcess { Driven = 0, Bored = 1 };

// Item index of the rock-condition list; its meaning depends on the process.
using RockCondition = int;

enum class EmbedmentForm { Millimetres, Multiple };

struct PileDesignCase {
    // Read from the panel.
    QString dText;
    double d = 0; // mm: diameter, or side a as entered for a rectangle
    QString cText;
    double c = 0; // mm: straight length, or side b as entered; 0 for a circle
    double R = 0; // MPa
    SectionType section = SectionType::Circular;
    QString hText;
    PileProcess process = PileProcess::Bored;
    QString processText;
    RockCondition condition = 1;
    QString conditionText;

    // Completed by validation.
    double a = 0; // mm, rectangles: the larger side
    double b = 0; // mm, rectangles: the smaller side
    EmbedmentForm embedmentForm = EmbedmentForm::Millimetres;
    double h
        = 0; // mm, as entered (k*d, k*b or plain); the capacity rule zeroes it for driven piles

    bool isSquare() const { return section == SectionType::Rectangular && a == b; }
};

// The letter that marks an embedment depth written as a multiple: of d for round and
// elliptical sections, of the short side b for rectangles.
inline QChar EmbedmentMarker(SectionType section)
{
    return section == SectionType::Circular || section == SectionType::Elliptical
        ? QLatin1Char('d')
        : QLatin1Char('b');
}

} // namespace core
