#pragma once
// What the module accepts as ADC parameters: the field checks and the rates
// its clock can produce. A 30 MHz clock divided by a whole number gives the
// ADC rate; the rate is 1 kHz to 10 MHz on a high-speed link and at most
// 500 kHz on a full-speed link.

#include "device/records.h"

namespace modlink_sim {

constexpr double kAdcClockKHz = 30000.0;
constexpr int kMinDivisorHighSpeed = 3; // 10 MHz
constexpr int kMinDivisorFullSpeed = 60; // 500 kHz
constexpr int kMaxDivisor = 30000; // 1 kHz

// False when a field is outside what the module understands: channel count
// 1..4, channel numbers 0..3, ranges 0..2, connection modes 0..1, finite
// coefficients, a rate that is a positive finite number.
bool isValidAdcParameters(const AdcParameters& parameters);

// The achievable rate nearest `requestedKHz`, clamped to the link's limits;
// false for a rate that is not a positive finite number.
bool nearestAdcRate(double requestedKHz, bool highSpeedLink, double* acceptedKHz);

// Checks the record and, when it is valid, writes back the accepted AdcRate
// and KadrRate (AdcRate / ChannelCount). An invalid record is left unchanged.
bool acceptAdcParameters(AdcParameters* parameters, bool highSpeedLink);

} // namespace modlink_sim
