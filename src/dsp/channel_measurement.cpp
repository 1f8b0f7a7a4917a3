#include "dsp/channel_measurement.h"

#include <cmath>

#include "dsp/weighted_sums.h"

namespace dsp {

const char* const kNoSignalMessage = "Опаньки!!! Судя по всему на вход модуля не был подан сигнал!!!";

namespace {

constexpr double kSqrt2 = 1.4142135623730951;

// Power of the line whose peak is bin p: half the squared amplitude of
// every bin from p - H to p + H - 1 that lies strictly between H and N/2,
// and its power-weighted mean bin. The bounds are unsigned: when p is -1
// or below H the range is empty and the power stays 0.
struct LinePower {
    double power = 0.0;
    double weightedBin = 0.0;
};

LinePower linePower(const double* f, int32_t peak, uint32_t halfWidth, uint32_t half)
{
    LinePower line;
    const uint32_t first = static_cast<uint32_t>(peak) - halfWidth;
    const uint32_t last = static_cast<uint32_t>(peak) + halfWidth - 1;
    for (uint64_t k = first; k <= last; ++k) {
        if (k <= halfWidth || k >= half)
            continue;
        const double e = 0.5 * f[k] * f[k];
        line.power += e;
        line.weightedBin += static_cast<double>(k) * e;
    }
    return line;
}

// DC level from the DC lobe, with the sign of bin 0. Only bins of the
// amplitude spectrum (below N/2) take part: for N <= 16 the lobe would
// otherwise reach unscaled or imaginary parts of the transform.
double dcLevel(const double* f, uint32_t lobeBins, uint32_t half, double windowPowerGain)
{
    double d = f[0] * f[0];
    double side = 0.0;
    for (uint32_t k = 1; k < lobeBins && k < half; ++k)
        side += f[k] * f[k];
    d += 0.5 * side;
    const double level = std::sqrt(d / windowPowerGain);
    return f[0] < 0 ? -level : level;
}

// True, marking the result, when the analyser's abort flag is raised.
bool markAborted(const SpectrumAnalyser& analyser, ChannelResult& result)
{
    if (!analyser.aborted())
        return false;
    result.status = ChannelStatus::Aborted;
    return true;
}

bool raised(const std::atomic<bool>* flag)
{
    return flag != nullptr && flag->load(std::memory_order_relaxed);
}

} // namespace

double ApplyAmplitudeFactor(double acRms, std::string_view amplitudeType)
{
    return amplitudeType == "rms" ? acRms : acRms * kSqrt2;
}

namespace {

ChannelResult sumResult(
    const WeightedMoments& moments, int32_t parType, std::string_view amplitudeType, const std::atomic<bool>* abortFlag)
{
    ChannelResult result;
    if (parType != kParAc)
        result.DcValue = moments.mean;
    if (parType == kParAcDc && raised(abortFlag)) {
        result.status = ChannelStatus::Aborted;
        return result;
    }
    if (parType != kParDc)
        result.AcValue = ApplyAmplitudeFactor(moments.acRms, amplitudeType);
    return result;
}

// Peak, lobe sums and values of an amplitude spectrum whose peak bin is known.
ChannelResult measureLine(const SpectrumAnalyser& analyser, const double* spectrum, int32_t peak, int32_t parType,
    std::string_view amplitudeType, double kadrRateHz, double windowPowerGain)
{
    ChannelResult result;
    auto aborted = [&]() { return markAborted(analyser, result); };
    const uint32_t n = analyser.Length();
    const uint32_t half = n / 2;
    if (aborted())
        return result;

    if (parType == kParAc || parType == kParAcDc) {
        const LinePower line = linePower(spectrum, peak, analyser.PeakHalfWidth(), half);
        // Also catches a power that is not a number.
        if (!(line.power / windowPowerGain > 0)) {
            result.status = ChannelStatus::NoSignal;
            return result;
        }
        if (parType == kParAc)
            result.Frequency = (line.weightedBin / line.power) * kadrRateHz / n;
        result.AcValue = ApplyAmplitudeFactor(std::sqrt(line.power / windowPowerGain), amplitudeType);
        if (parType == kParAcDc && aborted())
            return result;
    }
    if (parType == kParDc || parType == kParAcDc)
        result.DcValue = dcLevel(spectrum, analyser.DcLobeBins(), half, windowPowerGain);
    return result;
}

// Transform of the windowed samples, amplitude spectrum with its peak, values.
ChannelResult measureWindowed(SpectrumAnalyser& analyser, double* samples, double* spectrum, int32_t parType,
    std::string_view amplitudeType, double kadrRateHz, double windowPowerGain)
{
    ChannelResult result;
    analyser.Transform(spectrum, samples);
    if (markAborted(analyser, result))
        return result;
    const int32_t peak = analyser.AmplitudeSpectrumAndPeak(spectrum);
    if (markAborted(analyser, result))
        return result;
    return measureLine(analyser, spectrum, peak, parType, amplitudeType, kadrRateHz, windowPowerGain);
}

} // namespace

ChannelResult ComputeSumChannel(const double* samples, const double* window, uint32_t N, double windowSum,
    int32_t parType, std::string_view amplitudeType, const std::atomic<bool>* abortFlag)
{
    if (N == 0 || !isKnownParType(parType))
        return {};
    return sumResult(WeightedMeanAndAcRms(samples, window, N, windowSum), parType, amplitudeType, abortFlag);
}

ChannelResult ComputeSumChannel(const ChannelCodes& channel, const double* window, uint32_t N, double windowSum,
    int32_t parType, std::string_view amplitudeType, const std::atomic<bool>* abortFlag)
{
    if (N == 0 || !isKnownParType(parType))
        return {};
    return sumResult(WeightedCodeMoments(channel.codes, channel.stride, channel.scale, window, N, windowSum), parType,
        amplitudeType, abortFlag);
}

ChannelResult ComputeFftChannel(SpectrumAnalyser& analyser, double* samples, double* spectrum, const double* window,
    int32_t parType, std::string_view amplitudeType, double kadrRateHz, double windowPowerGain)
{
    ChannelResult result;
    analyser.ApplyWindow(samples, window);
    if (markAborted(analyser, result))
        return result;
    return measureWindowed(analyser, samples, spectrum, parType, amplitudeType, kadrRateHz, windowPowerGain);
}

ChannelResult ComputeFftChannel(SpectrumAnalyser& analyser, const ChannelCodes& channel, double* samples,
    double* spectrum, const double* window, int32_t parType, std::string_view amplitudeType, double kadrRateHz,
    double windowPowerGain)
{
    ChannelResult result;
    if (!ConvertChannel(channel, window, samples, analyser.Length(), analyser.AbortFlag())
        || markAborted(analyser, result)) {
        result.status = ChannelStatus::Aborted;
        return result;
    }
    return measureWindowed(analyser, samples, spectrum, parType, amplitudeType, kadrRateHz, windowPowerGain);
}

ChannelResult MeasureAmplitudeSpectrum(const SpectrumAnalyser& analyser, const double* spectrum, int32_t parType,
    std::string_view amplitudeType, double kadrRateHz, double windowPowerGain)
{
    const int32_t peak = analyser.FindPeakBin(spectrum);
    return measureLine(analyser, spectrum, peak, parType, amplitudeType, kadrRateHz, windowPowerGain);
}

} // namespace dsp
