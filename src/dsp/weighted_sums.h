#pragma once
// Window-weighted time-domain sums of the "sum" method. windowSum is the
// divisor W = N·a0 of the run.

#include <cstdint>

namespace dsp {

struct WeightedMoments {
    double mean = 0.0; // Σ x·w / W
    double acRms = 0.0; // sqrt(|Σ x²·w / W - mean²|)
};

// Both moments from one pass over x[0..N-1] and w[0..N-1].
WeightedMoments WeightedMeanAndAcRms(const double* x, const double* w, uint32_t N, double windowSum);

// The same moments of the samples x[k] = codes[stride·k] · scale, k < N, read
// straight from a block of interleaved codes (stride = channels in a frame,
// 1..4). Bit for bit what WeightedMeanAndAcRms gives once the codes are
// converted into an array.
WeightedMoments WeightedCodeMoments(
    const int16_t* codes, uint32_t stride, double scale, const double* w, uint32_t N, double windowSum);

} // namespace dsp
