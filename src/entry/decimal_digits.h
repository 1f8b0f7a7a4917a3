#pragma once
// Decimal rounding done on the digits a user sees. A double such as 2.675 is
// stored as 2.67499999..., so rounding its binary value to two decimals gives
// 2.67; rounding its shortest decimal text ("2.675") gives 2.68, as expected.

#include <string>

namespace entry {

// A finite value as sign, digits and the position of the decimal point:
// |value| = 0.d1d2d3... × 10^pointPosition. Zero has the digits "0".
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int pointPosition = 0;
};

// The shortest digits that read back as the same double.
DecimalDigits shortestDecimalDigits(double value);

// Keeps `decimals` digits after the point (>= 0), rounding half away from zero.
void roundToDecimals(DecimalDigits& number, int decimals);
// Keeps `significant` digits (>= 1), rounding half away from zero.
void roundToSignificantDigits(DecimalDigits& number, int significant);

bool isZero(const DecimalDigits& number);

// Fixed-point text with exactly `decimals` digits after "." (none and no
// point when 0), a leading "-" for a negative non-zero value.
std::string fixedPointText(const DecimalDigits& number, int decimals);

} // namespace entry
