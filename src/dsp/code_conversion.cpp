#include "dsp/code_conversion.h"

#include <stdexcept>

#include "dsp/simd.h"

namespace dsp {

namespace {

template <uint32_t Stride, bool Windowed>
ZX_DSP_INLINE void convertRange(
    const int16_t* codes, double scale, const double* window, double* out, uint32_t begin, uint32_t end)
{
    for (uint32_t k = begin; k < end; ++k) {
        const double x = codes[size_t { Stride } * k] * scale;
        out[k] = Windowed ? x * window[k] : x;
    }
}

template <uint32_t Stride>
ZX_DSP_INLINE void convertStride(
    const int16_t* codes, double scale, const double* window, double* out, uint32_t begin, uint32_t end)
{
    if (window != nullptr)
        convertRange<Stride, true>(codes, scale, window, out, begin, end);
    else
        convertRange<Stride, false>(codes, scale, window, out, begin, end);
}

ZX_DSP_CLONES void convertChunk(
    const ChannelCodes& channel, const double* window, double* out, uint32_t begin, uint32_t end)
{
    switch (channel.stride) {
    case 1:
        return convertStride<1>(channel.codes, channel.scale, window, out, begin, end);
    case 2:
        return convertStride<2>(channel.codes, channel.scale, window, out, begin, end);
    case 3:
        return convertStride<3>(channel.codes, channel.scale, window, out, begin, end);
    case 4:
        return convertStride<4>(channel.codes, channel.scale, window, out, begin, end);
    }
}

} // namespace

bool ConvertChannel(
    const ChannelCodes& channel, const double* window, double* out, uint32_t N, const std::atomic<bool>* abortFlag)
{
    if (channel.stride < 1 || channel.stride > 4)
        throw std::invalid_argument("ConvertChannel: a frame holds 1 to 4 channels");
    for (uint32_t begin = 0; begin < N; begin += kConversionChunk) {
        if (abortFlag != nullptr && abortFlag->load(std::memory_order_relaxed))
            return false;
        const uint32_t end = N - begin > kConversionChunk ? begin + kConversionChunk : N;
        convertChunk(channel, window, out, begin, end);
    }
    return abortFlag == nullptr || !abortFlag->load(std::memory_order_relaxed);
}

} // namespace dsp
