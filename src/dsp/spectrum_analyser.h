#pragma once
// The spectral part of the "fft" method: window, transform, amplitude
// spectrum and peak search over one channel block of Length samples.
// Created once per run; the window itself lives in the caller's buffer.

#include <atomic>
#include <cstdint>
#include <memory>

#include "dsp/real_fft.h"
#include "dsp/window.h"

namespace dsp {

class SpectrumAnalyser {
public:
    // Lobe fields and terms start at 0; the engine exists when length is not 0
    // (a power of two up to 2^30, else std::invalid_argument).
    explicit SpectrumAnalyser(uint32_t length, const std::atomic<bool>* abortFlag = nullptr);

    const std::atomic<bool>* AbortFlag() const { return abortFlag_; }
    uint32_t Length() const { return length_; }
    // Bins 0..DcLobeBins-1 carry the DC component.
    uint32_t DcLobeBins() const { return dcLobeBins_; }
    // Half width of a spectral line's lobe in bins, and the first bin searched for a peak.
    uint32_t PeakHalfWidth() const { return peakHalfWidth_; }
    const WindowTerms& Terms() const { return terms_; }
    bool aborted() const { return abortFlag_ != nullptr && abortFlag_->load(std::memory_order_relaxed); }

    // An analyser of the same length, abort flag, terms and lobe fields with
    // an engine of its own, for a second thread (an engine is used by one
    // thread at a time). Allocation failure throws std::bad_alloc.
    std::unique_ptr<SpectrumAnalyser> MakeTwin() const;

    // Fills window[0..Length-1], the terms and the lobe fields. False when aborted.
    bool MakeWindow(double* window, int type = kCosineSum9Window);
    // samples[n] *= window[n] for n < Length. False (nothing done) for a null buffer.
    bool ApplyWindow(double* samples, const double* window) const;
    // spectrum[0..Length-1] = forward transform of samples[0..Length-1] (see RealFft).
    // False, doing nothing, for a null buffer, a zero length or no engine; false when aborted.
    bool Transform(double* spectrum, const double* samples);
    // In place: f[0] /= N; f[k] = |X_k| / (N/2) for k = 1..N/2-1. False for a null buffer or zero length.
    bool AmplitudeSpectrum(double* spectrum) const;
    // Index of the largest f[k] for PeakHalfWidth <= k < N/2, the lowest index on a
    // tie; -1 when that range is empty.
    int32_t FindPeakBin(const double* spectrum) const;
    // AmplitudeSpectrum and then FindPeakBin, in one pass over the spectrum
    // while each piece of it is in the cache. Without a buffer, length or
    // engine only the search runs.
    int32_t AmplitudeSpectrumAndPeak(double* spectrum) const;

private:
    const std::atomic<bool>* abortFlag_;
    uint32_t length_ = 0;
    uint32_t dcLobeBins_ = 0;
    uint32_t peakHalfWidth_ = 0;
    WindowTerms terms_;
    std::unique_ptr<RealFft> engine_;
};

} // namespace dsp
