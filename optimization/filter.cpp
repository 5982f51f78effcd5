#include "optimization/filter.h"

#include "core/numbers.h"

namespace optimization {

FilterBand ReadFilterBand(QStringView lowerText, QStringView upperText, QChar separator)
{
    FilterBand band;
    band.lower = core::ParseStrict(lowerText, separator);
    band.upper = core::ParseStrict(upperText, separator);
    if (!(band.lower > 0))
        band.lower = 0;
    if (!(band.upper > 0))
        band.upper = 1e15;
    if (!(band.lower <= band.upper))
        band.upper = band.lower;
    return band;
}

} // namespace optimization
