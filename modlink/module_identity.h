#pragma once
// What makes one simulated module different from another: its small analog
// imperfections (fixed per serial number, so every run is alike) and the
// description record it carries, whose factory coefficients correct exactly
// those imperfections.

#include "device/records.h"
#include "sim_control.h"

#include <cstdint>

namespace modlink_sim {

constexpr int kInputRangeCount = 3;
constexpr int kDacOutputCount = 2;
// Full scale of a range in ADC codes, and of the DAC (5 V) in DAC codes.
constexpr double kAdcCodesPerRange = 8000.0;
constexpr double kDacCodesPerRange = 2047.0;
constexpr double kDacRangeVolts = 5.0;
constexpr int kAdcCodeMin = -8192;
constexpr int kAdcCodeMax = 8191;
constexpr int kDacCodeMin = -2048;
constexpr int kDacCodeMax = 2047;

// Input range in volts by range index 0..2.
double inputRangeVolts(int range);

struct ModuleImperfection {
    // The converter's raw code is ideal · adcGain + adcOffset.
    double adcOffset[kInputRangeCount][kChannelCount];
    double adcGain[kInputRangeCount][kChannelCount];
    // Exact DAC correction, as the program applies it: the module turns a code
    // into (code / dacScale − dacOffset) · 5 V / 2047.
    double dacOffset[kDacOutputCount];
    double dacScale[kDacOutputCount];
};

// Offsets of a few codes, gains within ±1 %, derived from the serial alone.
ModuleImperfection imperfectionForSerial(const char* serial);

// The description record of a fresh module with this configuration.
ModuleDescription makeDescription(const ModuleConfig& config, const ModuleImperfection& imperfection);

// Voltage of a DAC output holding `code`, limited to the DAC's code range.
double dacOutputVolts(const ModuleImperfection& imperfection, int output, int16_t code);

} // namespace modlink_sim
