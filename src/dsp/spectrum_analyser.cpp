#include "dsp/spectrum_analyser.h"

#include <cmath>

#include "dsp/simd.h"

namespace dsp {

namespace {

// Lobe of the nine-term window: its DC component spreads over bins 0..8 and
// a line over 9 bins either side of its peak.
constexpr uint32_t kCosineSum9LobeBins = 9;

ZX_DSP_CLONES void multiplyInPlace(double* x, const double* w, uint32_t n)
{
    for (uint32_t i = 0; i < n; ++i)
        x[i] *= w[i];
}

// The length is a power of two, so dividing by half is exact scaling and
// the reciprocal gives the same result.
ZX_DSP_CLONES void magnitudes(double* f, uint32_t half)
{
    const double scale = 1.0 / half;
    for (uint32_t k = 1; k < half; ++k)
        f[k] = std::sqrt(f[k] * f[k] + f[half + k] * f[half + k]) * scale;
}

ZX_DSP_CLONES double largestValue(const double* f, uint32_t first, uint32_t end)
{
    using simd::Vec8;
    const double start = f[first];
    Vec8 best = simd::splat8(start);
    uint32_t k = first;
    for (; k + 8 <= end; k += 8) {
        const Vec8 v = simd::load8(f + k);
        best = v > best ? v : best;
    }
    double result = start;
    for (int lane = 0; lane < 8; ++lane)
        result = best[lane] > result ? best[lane] : result;
    for (; k < end; ++k)
        result = f[k] > result ? f[k] : result;
    return result;
}

} // namespace

SpectrumAnalyser::SpectrumAnalyser(uint32_t length, const std::atomic<bool>* abortFlag)
    : abortFlag_(abortFlag)
    , length_(length)
{
    if (length_ != 0)
        engine_ = std::make_unique<RealFft>(length_, abortFlag_);
}

void SpectrumAnalyser::SetLength(uint32_t length)
{
    if (length == length_)
        return;
    engine_.reset();
    length_ = 0;
    // The new engine keeps the analyser's abort flag, so a stop request still
    // abandons a transform after the length changed.
    if (length != 0)
        engine_ = std::make_unique<RealFft>(length, abortFlag_);
    length_ = length;
}

bool SpectrumAnalyser::MakeWindow(double* window, int type)
{
    if (window == nullptr)
        return false;
    if (!dsp::MakeWindow(window, length_, type, terms_, abortFlag_))
        return false;
    dcLobeBins_ = kCosineSum9LobeBins;
    peakHalfWidth_ = kCosineSum9LobeBins;
    return true;
}

bool SpectrumAnalyser::ApplyWindow(double* samples, const double* window) const
{
    if (samples == nullptr || window == nullptr)
        return false;
    multiplyInPlace(samples, window, length_);
    return true;
}

bool SpectrumAnalyser::Transform(double* spectrum, const double* samples)
{
    if (spectrum == nullptr || samples == nullptr || length_ == 0 || !engine_)
        return false;
    return engine_->forward(spectrum, samples);
}

bool SpectrumAnalyser::AmplitudeSpectrum(double* spectrum) const
{
    if (spectrum == nullptr || length_ == 0 || !engine_)
        return false;
    spectrum[0] /= length_;
    magnitudes(spectrum, length_ / 2);
    return true;
}

int32_t SpectrumAnalyser::FindPeakBin(const double* spectrum) const
{
    const uint32_t end = length_ / 2;
    if (spectrum == nullptr || peakHalfWidth_ >= end)
        return -1;
    // Largest value first, then its first occurrence: the same bin as a
    // left-to-right search where only a strictly larger value wins.
    const double largest = largestValue(spectrum, peakHalfWidth_, end);
    for (uint32_t k = peakHalfWidth_; k < end; ++k)
        if (spectrum[k] == largest)
            return static_cast<int32_t>(k);
    return static_cast<int32_t>(peakHalfWidth_); // the first bin is not a number
}

} // namespace dsp
