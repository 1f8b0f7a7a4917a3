#pragma once
// The computing part of one acquisition block: from the raw interleaved
// codes of the read buffer to the values of every checked channel. Each
// channel is converted straight out of the block into a channel buffer (with
// the window applied on the way for "fft") or, for "sum", summed straight
// from the codes. With two workspaces, two channels are computed at once on
// two threads.

#include <array>
#include <atomic>
#include <cstdint>
#include <string_view>

#include "dsp/channel_measurement.h"

namespace dsp {

constexpr int kBlockChannels = 4;

// The codes of one block.
struct InterleavedBlock {
    const int16_t* codes = nullptr; // channelCount · samplesPerChannel codes, interleaved by frame
    uint32_t channelCount = 0; // n, 1..4
    uint32_t samplesPerChannel = 0; // N
    // Value of one code at each place of a frame (volts, or 1 for codes).
    std::array<double, kBlockChannels> scale { 1.0, 1.0, 1.0, 1.0 };
};

// What to compute for every channel and how.
struct BlockMeasurement {
    bool fft = false; // "fft", else "sum"
    const double* window = nullptr; // N values
    double windowSum = 0.0; // "sum": N·a0
    double windowPowerGain = 0.0; // "fft"
    double kadrRateHz = 0.0;
    std::string_view amplitudeType;
    // Place of channel c in a frame; -1 when it has none in this block.
    std::array<int16_t, kBlockChannels> position { -1, -1, -1, -1 };
    std::array<int32_t, kBlockChannels> parType {};
    // Read live, each when its channel's turn comes: a channel whose flag is
    // down is skipped. Null: every channel with a place is measured.
    const std::atomic<bool>* checked = nullptr;
    const std::atomic<bool>* abortFlag = nullptr;
};

// The buffers of one thread of the "fft" method: N + 16 doubles each and an
// analyser of length N that only this thread uses. "sum" needs none.
struct ChannelWorkspace {
    SpectrumAnalyser* analyser = nullptr;
    double* samples = nullptr;
    double* spectrum = nullptr;
};

struct BlockResults {
    std::array<bool, kBlockChannels> measured {};
    std::array<ChannelResult, kBlockChannels> channels {};
};

// Measures the block's channels. Read the results in channel order: the
// first channel that is Aborted or NoSignal ends the block, and what follows
// it is to be ignored (it may or may not have been computed). `second` is the
// workspace of a second thread; without it ("fft"), or when no thread can be
// started, every channel is computed on the calling thread. The second thread
// is always joined before the call returns.
BlockResults MeasureBlock(const InterleavedBlock& block, const BlockMeasurement& measurement,
    const ChannelWorkspace& first, const ChannelWorkspace* second = nullptr);

} // namespace dsp
