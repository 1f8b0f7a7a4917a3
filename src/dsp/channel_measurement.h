#pragma once
// The per-channel computations of one block: the "sum" method (window-weighted
// time-domain sums) and the "fft" method (window, transform, amplitude
// spectrum, peak and lobe sums). Results are in the unit of the samples
// (volts or ADC codes); the frequency is in Hz.

#include <atomic>
#include <cstdint>
#include <string_view>

#include "dsp/code_conversion.h"
#include "dsp/par_type.h"
#include "dsp/spectrum_analyser.h"

namespace dsp {

// Shown (by the acquisition job) when the "fft" method finds no AC power in a channel.
extern const char* const kNoSignalMessage;

enum class ChannelStatus {
    Ok,
    Aborted, // the abort flag was raised: the values are partial and must not be shown
    NoSignal, // "fft" method, AC or AC+DC: the lobe power is not positive; show kNoSignalMessage
};

struct ChannelResult {
    double DcValue = 0.0;
    double AcValue = 0.0;
    double Frequency = 0.0;
    ChannelStatus status = ChannelStatus::Ok;
};

// "rms" keeps an AC value; "amp" and any other text multiply it by sqrt(2).
double ApplyAmplitudeFactor(double acRms, std::string_view amplitudeType);

// "sum" method over samples[0..N-1] and window[0..N-1], windowSum = N·a0.
// DC: DcValue = weighted mean; AC: AcValue = weighted AC RMS with the
// amplitude factor; AC+DC: both. N = 0 gives zeros. Any other parType leaves
// all values 0.
ChannelResult ComputeSumChannel(const double* samples, const double* window, uint32_t N, double windowSum,
    int32_t parType, std::string_view amplitudeType, const std::atomic<bool>* abortFlag);

// The "sum" method read straight from a channel's codes in the block; the
// same values as converting them first.
ChannelResult ComputeSumChannel(const ChannelCodes& channel, const double* window, uint32_t N, double windowSum,
    int32_t parType, std::string_view amplitudeType, const std::atomic<bool>* abortFlag);

// "fft" method over analyser.Length() samples. samples is windowed in place;
// spectrum (Length doubles) receives the amplitude spectrum. Tests the
// analyser's abort flag between the steps. windowPowerGain is
// WindowPowerGain(analyser.Terms()).
ChannelResult ComputeFftChannel(SpectrumAnalyser& analyser, double* samples, double* spectrum, const double* window,
    int32_t parType, std::string_view amplitudeType, double kadrRateHz, double windowPowerGain);

// The "fft" method from a channel's codes in the block: samples (Length
// doubles) receives the converted and windowed samples in one pass; the same
// values as converting, copying and windowing them one after the other.
ChannelResult ComputeFftChannel(SpectrumAnalyser& analyser, const ChannelCodes& channel, double* samples,
    double* spectrum, const double* window, int32_t parType, std::string_view amplitudeType, double kadrRateHz,
    double windowPowerGain);

// The last steps of the "fft" method on an amplitude spectrum (see
// SpectrumAnalyser::AmplitudeSpectrum): peak, lobe sums, values.
ChannelResult MeasureAmplitudeSpectrum(const SpectrumAnalyser& analyser, const double* spectrum, int32_t parType,
    std::string_view amplitudeType, double kadrRateHz, double windowPowerGain);

} // namespace dsp
