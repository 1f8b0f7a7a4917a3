#pragma once
// How large the reads and the block of one acquisition run are, from the
// frame rate the module accepted, the number of active channels n and the
// longest acquisition time T. Plain arithmetic, no window or thread needed.

#include <cstdint>
#include <string_view>

namespace acquisition {

enum class Method { Sum, Fft };

// "fft" selects the spectral method; "sum" and any other text the
// time-domain one.
Method MethodFor(std::string_view text);

// Samples of all channels in one "fft" block never reach 2^24.
constexpr uint32_t kFftSampleCap = 16777216;

struct BlockSize {
    uint32_t requestSamples = 0; // samples per read request: 0.1 s of all channels
    uint64_t samplesPerChannel = 0; // N
    uint64_t blockSamples = 0; // N · n
};

// trunc(0.1 · frame rate · n); 0 for a rate that is not a positive number.
uint32_t RequestSamplesFor(double kadrRateHz, uint32_t n);

// "sum": the block holds trunc(T · frame rate · n) samples, N = that div n.
// "fft": N is the smallest power of two with N / frame rate >= T, unless
// N · n reaches the cap (16777216 rounded down to a multiple of n) first;
// the cap is tested before each of at most 32 doublings.
// n must be 1..4.
BlockSize SizeBlock(Method method, double seconds, double kadrRateHz, uint32_t n);

// What makes a block unusable for a run.
enum class BlockProblem {
    None,
    EmptyRequest, // a frame rate below 10 / n Hz: a read would ask for nothing
    EmptyBlock, // "sum" with T shorter than one frame: nothing to measure
    TooLarge, // more samples than one block can count
};
BlockProblem CheckBlock(const BlockSize& size);

// The acquisition time a block covers, N / frame rate, as "0.00" shows it.
double BlockSeconds(const BlockSize& size, double kadrRateHz);

} // namespace acquisition
