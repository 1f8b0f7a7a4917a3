#pragma once
// The module's three ADC input ranges in volts. The index (0 = 3.0 V,
// 1 = 1.0 V, 2 = 0.3 V) is the same in the range lists, the ADC parameters,
// the coefficient tables and the names of the precision keys.

namespace settings {

constexpr int kInputRangeCount = 3;
extern const double InputRanges[kInputRangeCount];

// 8000 ADC codes are the full scale of a range, so one code is this part of
// the range: code · InputRanges[r] · kRangeFractionPerCode volts.
constexpr double kRangeFractionPerCode = 0.000125;

} // namespace settings
