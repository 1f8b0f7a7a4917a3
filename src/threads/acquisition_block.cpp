// Reading one block with two alternating read requests, waiting for a
// request, converting the codes, and waiting out requests the library still
// holds before their buffers may go.

#include "device/module_api.h"
#include "platform/overlapped.h"
#include "platform/sleep.h"
#include "settings/input_ranges.h"
#include "threads/acquisition_job.h"
#include "threads/acquisition_messages.h"
#include "threads/adc_parameters_fill.h"
#include "threads/measurement_engine.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t kRequestTimeoutMs = 500;
constexpr uint32_t kPollMs = 20;
// Requests still outstanding this long after the end of a run (four times
// their own time-out) are given up: their buffers are then never freed.
constexpr uint32_t kGiveUpMs = 4 * kRequestTimeoutMs;

} // namespace

namespace acquisition {

// The two alternating requests of one block and how far the block is read.
class BlockReader {
public:
    BlockReader(MeasurementEngine& engine, int16_t* adcBuffer, uint32_t blockSamples)
        : engine_(engine)
        , state_(engine.State())
        , module_(engine.module_)
        , destination_(adcBuffer)
        , blockSamples_(blockSamples)
        , count_(std::min(state_.RequestSamples, blockSamples))
    {
    }

    void read()
    {
        // The first request is queued before the ADC starts so no sample is lost.
        if (!submit(current_)) {
            engine_.Report(kCannotSubmitRequest);
            return;
        }
        if (!module_.START_ACQUISITION()) {
            engine_.Report(kCannotStart);
            return;
        }
        if (advance())
            return;
        for (;;) {
            // The next request is queued before the previous one is waited
            // for, so the library always has one to fill.
            current_ = 1 - current_;
            if (!submit(current_)) {
                engine_.Report(kCannotSubmitRequest);
                return;
            }
            if (!wait(1 - current_))
                return;
            DataStatus status {};
            if (!module_.CHECK_DATA_ERRORS(&status)) {
                engine_.Report(kCannotCheckErrors);
                return;
            }
            state_.OverloadBits[0] |= status.OverloadBits;
            if (advance() || engine_.Stopped())
                return;
        }
    }

private:
    bool submit(int index)
    {
        ReadRequest& request = state_.Requests[static_cast<size_t>(index)];
        request.Buffer = destination_;
        request.SampleCount = count_;
        request.TimeoutMs = kRequestTimeoutMs;
        return module_.SUBMIT_READ_REQUEST(&request);
    }

    // False when the wait failed; a failure is reported unless a stop was
    // asked for.
    bool wait(int index)
    {
        if (engine_.waitForRequest(state_.Requests[static_cast<size_t>(index)].Overlapped))
            return true;
        if (!engine_.StopRequested())
            engine_.Report(kWaitFailed);
        return false;
    }

    // Counts the request just queued as read. True when it completes the
    // block (after waiting for it); else moves on to the next request, which
    // asks only for what is left when less than a full request is.
    bool advance()
    {
        done_ += count_;
        if (done_ >= blockSamples_) {
            wait(current_);
            return true;
        }
        destination_ += count_;
        if (done_ + count_ > blockSamples_)
            count_ = static_cast<uint32_t>(blockSamples_ - done_);
        return false;
    }

    MeasurementEngine& engine_;
    AcquisitionState& state_;
    ModuleApi& module_;
    int16_t* destination_;
    const uint64_t blockSamples_;
    uint32_t count_;
    uint64_t done_ = 0;
    int current_ = 0;
};

void MeasurementEngine::AcquireBlock()
{
    AcquisitionState& state = *state_;
    state.OverloadBits[0] = 0;
    BlockReader(*this, state.AdcBuffer.get(), state.BlockSamples).read();

    if (!module_.STOP_ACQUISITION())
        Report(kCannotStop);
    DataStatus status {};
    if (module_.CHECK_DATA_ERRORS(&status))
        state.OverloadBits[0] |= status.OverloadBits;
    else
        Report(kCannotCheckErrors);
    if (!platform::CancelIo(handle_))
        Report(kCannotCancelIo);
}

bool MeasurementEngine::waitForRequest(platform::Overlapped* overlapped)
{
    for (;;) {
        uint32_t bytes = 0;
        if (platform::GetOverlappedResult(handle_, overlapped, &bytes, false))
            return true;
        if (platform::GetLastError() != platform::kErrorIoIncomplete || StopRequested())
            return false;
        platform::Sleep(kPollMs);
    }
}

// True while the library still holds the request.
bool MeasurementEngine::requestOutstanding(platform::Overlapped* overlapped) const
{
    uint32_t bytes = 0;
    return overlapped && !platform::GetOverlappedResult(handle_, overlapped, &bytes, false)
        && platform::GetLastError() == platform::kErrorIoIncomplete;
}

void MeasurementEngine::StopAndWaitForRequests()
{
    if (!module_.STOP_ACQUISITION())
        Report(kCannotStop);
    if (!platform::CancelIo(handle_))
        Report(kCannotCancelIo);
    for (uint32_t waited = 0;; waited += kPollMs) {
        bool anyOutstanding = false;
        for (ReadRequest& request : state_->Requests)
            anyOutstanding = anyOutstanding || requestOutstanding(request.Overlapped);
        // Once the library has cancelled them it touches none of them again.
        if (!anyOutstanding || platform::CancelIo(handle_))
            return;
        if (waited >= kGiveUpMs) {
            state_->RequestsMayBeOutstanding = true;
            return;
        }
        platform::Sleep(kPollMs);
    }
}

bool MeasurementEngine::ReleaseBuffers()
{
    return state_->ReleaseAcquisitionResources();
}

} // namespace acquisition

std::array<double, acquisition::kChannelCount> CodeScales(const AcquisitionState& state)
{
    std::array<double, acquisition::kChannelCount> scale { 1.0, 1.0, 1.0, 1.0 };
    if (state.AmplitudeKind == QLatin1String("volt")) {
        const uint32_t n = std::max<uint32_t>(state.ActiveChannelCount, 1);
        const AdcParameters& parameters = state.AdcParameters;
        for (uint32_t j = 0; j < n && j < acquisition::kChannelCount; ++j) {
            const uint16_t channel = parameters.ChannelTable[j] & 3u;
            const uint16_t range = acquisition::ValidIndex(parameters.InputRange[channel], settings::kInputRangeCount);
            scale[j] = settings::InputRanges[range] * settings::kRangeFractionPerCode;
        }
    }
    return scale;
}
