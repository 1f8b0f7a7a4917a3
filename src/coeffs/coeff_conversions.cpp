#include "coeffs/coeff_conversions.h"

#include "coeffs/correction_coeffs.h"
#include "settings/input_ranges.h"

namespace coeffs {

// The operations keep the order in which the stored values were always
// computed, so the same input gives the same bits as before.

double adcCodeToMillivolts(double code, int range)
{
    return 1000.0 * code * settings::InputRanges[range] * settings::kRangeFractionPerCode;
}

double adcMillivoltsToCode(double millivolts, int range)
{
    return millivolts * AdcCodesPerRange / (1000.0 * settings::InputRanges[range]);
}

double dacCodeToMillivolts(double code)
{
    return 1000.0 * code * DacRangeVolts / DacCodesPerRange;
}

double dacMillivoltsToCode(double millivolts)
{
    return millivolts * DacCodesPerRange / (1000.0 * DacRangeVolts);
}

} // namespace coeffs
