#pragma once
// One channel's codes out of a block of interleaved codes, converted to the
// unit of the measurement (volts or codes) on the way.

#include <atomic>
#include <cstdint>

namespace dsp {

// Channel k-th sample: codes[stride·k] · scale. stride is the number of
// channels in a frame (1..4); codes points at the channel's first code.
struct ChannelCodes {
    const int16_t* codes = nullptr;
    uint32_t stride = 1;
    double scale = 1.0;
};

// Codes converted between two looks at the abort flag.
constexpr uint32_t kConversionChunk = 0x40000;

// out[k] = codes[stride·k] · scale, times window[k] when a window is given,
// for k < N: the same values as converting the block first and windowing the
// channel's copy afterwards. out holds N doubles. Tests the abort flag (may
// be null) before every chunk; false, out incomplete, when it is raised.
bool ConvertChannel(
    const ChannelCodes& channel, const double* window, double* out, uint32_t N, const std::atomic<bool>* abortFlag);

} // namespace dsp
