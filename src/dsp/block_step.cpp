#include "dsp/block_step.h"

#include <exception>
#include <system_error>
#include <thread>

namespace dsp {

namespace {

bool raised(const std::atomic<bool>* flag)
{
    return flag != nullptr && flag->load(std::memory_order_relaxed);
}

// The state the threads of one block share. Channels are handed out in
// channel order, so every channel before the one that ends the block has
// been started, and is complete once the threads are joined.
class BlockWork {
public:
    BlockWork(const InterleavedBlock& block, const BlockMeasurement& measurement)
        : block_(block)
        , measurement_(measurement)
    {
        for (int c = 0; c < kBlockChannels; ++c) {
            const int position = measurement.position[static_cast<size_t>(c)];
            if (position >= 0 && static_cast<uint32_t>(position) < block.channelCount)
                order_[static_cast<size_t>(count_++)] = c;
        }
    }

    int channelCount() const { return count_; }
    const BlockResults& results() const { return results_; }

    // Takes channels until none is left or one has ended the block.
    void run(const ChannelWorkspace& workspace)
    {
        for (;;) {
            if (ended_.load() || raised(measurement_.abortFlag))
                return;
            const int index = next_.fetch_add(1);
            if (index >= count_)
                return;
            const size_t c = static_cast<size_t>(order_[static_cast<size_t>(index)]);
            if (measurement_.checked != nullptr && !measurement_.checked[c].load())
                continue;
            results_.channels[c] = measure(workspace, c);
            results_.measured[c] = true;
            if (results_.channels[c].status != ChannelStatus::Ok)
                ended_.store(true);
        }
    }

    // run(), keeping an exception for the caller to rethrow once both
    // threads are done (on the second thread it would end the process).
    void runCatching(const ChannelWorkspace& workspace, std::exception_ptr& failure)
    {
        try {
            run(workspace);
        } catch (...) {
            failure = std::current_exception();
            ended_.store(true);
        }
    }

private:
    ChannelResult measure(const ChannelWorkspace& workspace, size_t c) const
    {
        const BlockMeasurement& m = measurement_;
        const auto position = static_cast<size_t>(m.position[c]);
        const ChannelCodes codes { block_.codes + position, block_.channelCount, block_.scale[position] };
        if (m.fft)
            return ComputeFftChannel(*workspace.analyser, codes, workspace.samples, workspace.spectrum, m.window,
                m.parType[c], m.amplitudeType, m.kadrRateHz, m.windowPowerGain);
        return ComputeSumChannel(
            codes, m.window, block_.samplesPerChannel, m.windowSum, m.parType[c], m.amplitudeType, m.abortFlag);
    }

    const InterleavedBlock& block_;
    const BlockMeasurement& measurement_;
    std::array<int, kBlockChannels> order_ {};
    int count_ = 0;
    std::atomic<int> next_ { 0 };
    std::atomic<bool> ended_ { false };
    BlockResults results_;
};

} // namespace

BlockResults MeasureBlock(const InterleavedBlock& block, const BlockMeasurement& measurement,
    const ChannelWorkspace& first, const ChannelWorkspace* second)
{
    BlockWork work(block, measurement);
    std::exception_ptr failure, helperFailure;
    std::thread helper;
    if (work.channelCount() > 1 && (!measurement.fft || second != nullptr)) {
        const ChannelWorkspace& helperSpace = measurement.fft ? *second : first;
        try {
            helper
                = std::thread([&work, &helperSpace, &helperFailure] { work.runCatching(helperSpace, helperFailure); });
        } catch (const std::system_error&) {
            // No thread to be had: the calling thread does it all.
        }
    }
    work.runCatching(first, failure);
    if (helper.joinable())
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
    if (helperFailure)
        std::rethrow_exception(helperFailure);
    return work.results();
}

} // namespace dsp
