#pragma once
// Turns the input signals of a module into the 16-bit codes it delivers:
// samples interleaved by the channel table, each one the channel's voltage
// (DC + sine + noise) as the converter sees it (gain and offset error of its
// range), corrected with the coefficients of the ADC parameters as
// (code + offset) · scale and clipped to the 14-bit range.
//
// The sine comes from a rotating phasor and the noise from a table of normal
// deviates, so a sample costs a handful of multiplications: four channels at
// 10 MHz take a small part of one core.

#include "device/records.h"
#include "module_identity.h"
#include "sim_control.h"

#include <cstdint>

namespace modlink_sim {

class SampleGenerator {
public:
    // Sets up a stream of `accepted` (a valid record) at `adcRateHz` samples
    // per second whose sample 0 lies at signal time `startSeconds`.
    void start(
        const AdcParameters& accepted, const ModuleImperfection& imperfection, double adcRateHz, double startSeconds);
    // Input of each channel in volts; takes effect from the next fill.
    void setInputs(const ChannelSignal inputs[kChannelCount]);
    void seedNoise(uint32_t seed);
    // Writes samples firstIndex .. firstIndex + count − 1 of the stream into
    // `out` (count codes). Returns the bits of the channels whose input
    // exceeded their range.
    uint8_t fill(int16_t* out, uint32_t count, uint64_t firstIndex);

private:
    struct Position {
        int channel = 0;
        double rangeVolts = 3.0;
        double codesPerVolt = 0.0; // nominal codes · gain error · correction scale
        double codeOffset = 0.0; // (offset error + correction offset) · correction scale
    };
    Position positions_[kChannelCount];
    int positionCount_ = 1;
    ChannelSignal inputs_[kChannelCount];
    double rateHz_ = 1.0;
    double startSeconds_ = 0.0;
    uint32_t noiseState_ = 1;
};

} // namespace modlink_sim
