#pragma once
// Offsets are stored in converter codes and shown in millivolts. Scales are
// never converted: the shown scale is a bit-for-bit copy of the stored one.

namespace coeffs {

// `range` is the input range index 0..2 (3.0, 1.0, 0.3 V).
double adcCodeToMillivolts(double code, int range);
double adcMillivoltsToCode(double millivolts, int range);
double dacCodeToMillivolts(double code);
double dacMillivoltsToCode(double millivolts);

} // namespace coeffs
