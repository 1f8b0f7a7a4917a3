#include "threads/acquisition_sizing.h"

#include <cmath>
#include <limits>

namespace acquisition {
namespace {

// trunc(value) as a count; 0 for anything that is not a positive number,
// and saturated far above any block that could be held in memory.
uint64_t truncatedCount(double value)
{
    if (!(value >= 1.0))
        return 0;
    constexpr double kLargest = 9.0e18;
    return value >= kLargest ? static_cast<uint64_t>(kLargest) : static_cast<uint64_t>(value);
}

} // namespace

Method MethodFor(std::string_view text)
{
    return text == "fft" ? Method::Fft : Method::Sum;
}

uint32_t RequestSamplesFor(double kadrRateHz, uint32_t n)
{
    const uint64_t samples = truncatedCount(0.1 * kadrRateHz * n);
    return samples > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                          : static_cast<uint32_t>(samples);
}

BlockSize SizeBlock(Method method, double seconds, double kadrRateHz, uint32_t n)
{
    BlockSize size;
    size.requestSamples = RequestSamplesFor(kadrRateHz, n);
    if (method == Method::Sum) {
        size.samplesPerChannel = truncatedCount(seconds * kadrRateHz * n) / n;
    } else {
        const uint64_t cap = kFftSampleCap - kFftSampleCap % n;
        uint64_t N = 1;
        for (int doubling = 0; doubling < 32; ++doubling) {
            if (N * n >= cap || N / kadrRateHz >= seconds)
                break;
            N *= 2;
        }
        size.samplesPerChannel = N;
    }
    size.blockSamples = size.samplesPerChannel * n;
    return size;
}

BlockProblem CheckBlock(const BlockSize& size)
{
    if (size.requestSamples == 0)
        return BlockProblem::EmptyRequest;
    if (size.samplesPerChannel == 0)
        return BlockProblem::EmptyBlock;
    if (size.blockSamples > std::numeric_limits<uint32_t>::max())
        return BlockProblem::TooLarge;
    return BlockProblem::None;
}

double BlockSeconds(const BlockSize& size, double kadrRateHz)
{
    return static_cast<double>(size.samplesPerChannel) / kadrRateHz;
}

} // namespace acquisition
