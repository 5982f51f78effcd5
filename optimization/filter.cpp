#include "optimization/filter.h"

#include "core/errors.h"
#include "core/numbers.h"

namespace optimization {

FilterBand ReadFilterBand(QStringView lowerText, QStringView upperText, QChar separator,
    const std::function<QString(bool upper)>& boundName)
{
    const auto bound = [&](QStringView text, bool upper) {
        try {
            return core::ParseStrict(text, separator);
        } catch (const core::ConversionError& error) {
            if (!boundName)
                throw;
            throw core::ConversionErrorFrom(boundName(upper), error);
        }
    };
    FilterBand band;
    band.lower = bound(lowerText, false);
    band.upper = bound(upperText, true);
    if (!(band.lower > 0))
        band.lower = 0;
    if (!(band.upper > 0))
        band.upper = 1e15;
    if (!(band.lower <= band.upper))
        band.upper = band.lower;
    return band;
}

} // namespace optimization
