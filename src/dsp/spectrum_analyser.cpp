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

// Bins turned into amplitudes and searched together: small enough to stay
// in the L1 cache between the two.
constexpr uint32_t kPeakChunk = 2048;

// f[k] = |X_k| / (N/2) for begin <= k < end. The length is a power of two,
// so dividing by half is exact scaling and the reciprocal gives the same result.
ZX_DSP_INLINE void magnitudeRange(double* f, uint32_t half, uint32_t begin, uint32_t end)
{
    const double scale = 1.0 / half;
    for (uint32_t k = begin; k < end; ++k)
        f[k] = std::sqrt(f[k] * f[k] + f[half + k] * f[half + k]) * scale;
}

// The largest of start and f[begin..end-1]; only a strictly larger value
// wins, so a value that is not a number never does (unless it is start).
ZX_DSP_INLINE double largestFrom(const double* f, uint32_t begin, uint32_t end, double start)
{
    using simd::Vec8;
    Vec8 best = simd::splat8(start);
    uint32_t k = begin;
    for (; k + 8 <= end; k += 8) {
        const Vec8 v = simd::load8(f + k);
        best = simd::largerOf(v, best);
    }
    double result = start;
    for (int lane = 0; lane < 8; ++lane)
        result = simd::lane(best, lane) > result ? simd::lane(best, lane) : result;
    for (; k < end; ++k)
        result = f[k] > result ? f[k] : result;
    return result;
}

ZX_DSP_CLONES void magnitudes(double* f, uint32_t half)
{
    magnitudeRange(f, half, 1, half);
}

ZX_DSP_CLONES double largestValue(const double* f, uint32_t first, uint32_t end)
{
    return largestFrom(f, first, end, f[first]);
}

// The first k in [begin, end) with f[k] == value; fallback when there is none
// (the value is not a number).
int32_t firstOccurrence(const double* f, uint32_t begin, uint32_t end, double value, uint32_t fallback)
{
    for (uint32_t k = begin; k < end; ++k)
        if (f[k] == value)
            return static_cast<int32_t>(k);
    return static_cast<int32_t>(fallback);
}

// Amplitudes of bins 1..half-1 and the peak among bins first..half-1 (first < half),
// chunk by chunk. The chunk where the largest value first appears is kept, so
// the lowest bin still wins a tie.
ZX_DSP_CLONES int32_t magnitudesAndPeak(double* f, uint32_t half, uint32_t first)
{
    double largest = 0.0;
    uint32_t largestChunk = first;
    bool started = false;
    for (uint32_t begin = 1; begin < half; begin += kPeakChunk) {
        const uint32_t end = half - begin > kPeakChunk ? begin + kPeakChunk : half;
        magnitudeRange(f, half, begin, end);
        if (end <= first)
            continue;
        const uint32_t from = begin > first ? begin : first;
        if (!started) {
            largest = largestFrom(f, from, end, f[from]);
            largestChunk = from;
            started = true;
            continue;
        }
        const double chunkLargest = largestFrom(f, from, end, largest);
        if (chunkLargest > largest) {
            largest = chunkLargest;
            largestChunk = from;
        }
    }
    const uint32_t chunkEnd = half - largestChunk > kPeakChunk ? largestChunk + kPeakChunk : half;
    return firstOccurrence(f, largestChunk, chunkEnd, largest, first);
}

} // namespace

SpectrumAnalyser::SpectrumAnalyser(uint32_t length, const std::atomic<bool>* abortFlag)
    : abortFlag_(abortFlag)
    , length_(length)
{
    if (length_ != 0)
        engine_ = std::make_unique<RealFft>(length_, abortFlag_);
}

std::unique_ptr<SpectrumAnalyser> SpectrumAnalyser::MakeTwin() const
{
    auto twin = std::make_unique<SpectrumAnalyser>(length_, abortFlag_);
    twin->dcLobeBins_ = dcLobeBins_;
    twin->peakHalfWidth_ = peakHalfWidth_;
    twin->terms_ = terms_;
    return twin;
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
    return firstOccurrence(spectrum, peakHalfWidth_, end, largest, peakHalfWidth_);
}

int32_t SpectrumAnalyser::AmplitudeSpectrumAndPeak(double* spectrum) const
{
    const uint32_t half = length_ / 2;
    if (spectrum == nullptr || length_ == 0 || !engine_ || peakHalfWidth_ >= half) {
        AmplitudeSpectrum(spectrum);
        return FindPeakBin(spectrum);
    }
    spectrum[0] /= length_;
    return magnitudesAndPeak(spectrum, half, peakHalfWidth_);
}

} // namespace dsp
