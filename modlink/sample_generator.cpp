#include "sample_generator.h"

#include "noise_table.h"

#include <cmath>

namespace modlink_sim {
namespace {

const double kTwoPi = 2.0 * std::acos(-1.0);

// The state of one position of the channel table during a fill.
struct Lane {
    double dc, amplitude, noise;
    double re, im, stepRe, stepIm; // phasor of the sine and its turn per frame
    double rangeVolts, codesPerVolt, codeOffset;
    uint8_t bit;
};

double fraction(double x)
{
    return x - std::floor(x);
}

} // namespace

void SampleGenerator::start(
    const AdcParameters& accepted, const ModuleImperfection& imperfection, double adcRateHz, double startSeconds)
{
    positionCount_ = accepted.ChannelCount;
    for (int p = 0; p < positionCount_; ++p) {
        Position& position = positions_[p];
        position.channel = accepted.ChannelTable[p];
        int range = accepted.InputRange[position.channel];
        double offset = accepted.AdcOffsetCoefs[range][position.channel];
        double scale = accepted.AdcScaleCoefs[range][position.channel];
        position.rangeVolts = inputRangeVolts(range);
        position.codesPerVolt
            = kAdcCodesPerRange / position.rangeVolts * imperfection.adcGain[range][position.channel] * scale;
        position.codeOffset = (imperfection.adcOffset[range][position.channel] + offset) * scale;
    }
    rateHz_ = adcRateHz;
    startSeconds_ = startSeconds;
}

void SampleGenerator::setInputs(const ChannelSignal inputs[kChannelCount])
{
    for (int c = 0; c < kChannelCount; ++c)
        inputs_[c] = inputs[c];
}

void SampleGenerator::seedNoise(uint32_t seed)
{
    noiseState_ = seed ? seed : 1;
}

uint8_t SampleGenerator::fill(int16_t* out, uint32_t count, uint64_t firstIndex)
{
    const int n = positionCount_;
    const int firstPosition = static_cast<int>(firstIndex % n);
    Lane lanes[kChannelCount];
    for (int p = 0; p < n; ++p) {
        const Position& position = positions_[p];
        const ChannelSignal& input = inputs_[position.channel];
        // The first sample of this position in the fill, and its signal time.
        uint64_t index = firstIndex + (p - firstPosition + n) % n;
        double cycles = fraction(fraction(input.frequencyHz * startSeconds_) + input.frequencyHz * (index / rateHz_));
        double stepCycles = fraction(input.frequencyHz * n / rateHz_);
        lanes[p]
            = Lane { input.dc, input.amplitude, input.noiseRms, std::cos(kTwoPi * cycles), std::sin(kTwoPi * cycles),
                  std::cos(kTwoPi * stepCycles), std::sin(kTwoPi * stepCycles), position.rangeVolts,
                  position.codesPerVolt, position.codeOffset, static_cast<uint8_t>(1u << position.channel) };
    }

    const float* deviates = normalDeviates();
    uint32_t noiseState = noiseState_;
    uint8_t overload = 0;
    int p = firstPosition;
    for (uint32_t i = 0; i < count; ++i) {
        Lane& lane = lanes[p];
        noiseState = nextNoiseState(noiseState);
        double volts = lane.dc + lane.amplitude * lane.im + lane.noise * deviates[noiseState >> (32 - kNoiseTableBits)];
        double re = lane.re * lane.stepRe - lane.im * lane.stepIm;
        lane.im = lane.re * lane.stepIm + lane.im * lane.stepRe;
        lane.re = re;
        if (std::fabs(volts) > lane.rangeVolts)
            overload |= lane.bit;
        double code = volts * lane.codesPerVolt + lane.codeOffset;
        // Written so that a NaN lands on the lower limit instead of reaching the conversion.
        code = code >= kAdcCodeMin ? (code <= kAdcCodeMax ? code : kAdcCodeMax) : kAdcCodeMin;
        out[i] = static_cast<int16_t>(static_cast<int>(code + 16384.5) - 16384); // round half up
        if (++p == n)
            p = 0;
    }
    noiseState_ = noiseState;
    return overload;
}

} // namespace modlink_sim
