// Reading one block with two alternating read requests, waiting for a
// request, converting the codes, and waiting out requests the library still
// holds before their buffers may go.

#include "device/module_api.h"
#include "mainform.h"
#include "platform/overlapped.h"
#include "platform/sleep.h"
#include "settings/input_ranges.h"
#include "threads/acquisition_job.h"
#include "threads/acquisition_messages.h"
#include "threads/adc_parameters_fill.h"
#include "threads/main_thread.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t kRequestTimeoutMs = 500;
constexpr uint32_t kPollMs = 20;
// Requests still outstanding this long after the end of a run (four times
// their own time-out) are given up: their buffers are then never freed.
constexpr uint32_t kGiveUpMs = 4 * kRequestTimeoutMs;
constexpr uint32_t kChunk = 0x40000;

// The two alternating requests of one block and how far the block is read.
class BlockReader {
public:
    BlockReader(TMainThread& thread, int16_t* adcBuffer, uint32_t blockSamples)
        : thread_(thread)
        , module_(thread.form()->Module)
        , destination_(adcBuffer)
        , blockSamples_(blockSamples)
        , count_(std::min(thread.RequestSamples, blockSamples))
    {
    }

    void read()
    {
        // The first request is queued before the ADC starts so no sample is lost.
        if (!submit(current_)) {
            ReportAcquisitionMessage(thread_, acquisition::kCannotSubmitRequest);
            return;
        }
        if (!module_->START_ACQUISITION()) {
            ReportAcquisitionMessage(thread_, acquisition::kCannotStart);
            return;
        }
        if (advance())
            return;
        for (;;) {
            // The next request is queued before the previous one is waited
            // for, so the library always has one to fill.
            current_ = 1 - current_;
            if (!submit(current_)) {
                ReportAcquisitionMessage(thread_, acquisition::kCannotSubmitRequest);
                return;
            }
            if (!wait(1 - current_))
                return;
            DataStatus status {};
            if (!module_->CHECK_DATA_ERRORS(&status)) {
                ReportAcquisitionMessage(thread_, acquisition::kCannotCheckErrors);
                return;
            }
            thread_.OverloadBits[0] |= status.OverloadBits;
            if (advance() || thread_.Terminated() || thread_.MessageShown)
                return;
        }
    }

private:
    bool submit(int index)
    {
        ReadRequest& request = thread_.Requests[static_cast<size_t>(index)];
        request.Buffer = destination_;
        request.SampleCount = count_;
        request.TimeoutMs = kRequestTimeoutMs;
        return module_->SUBMIT_READ_REQUEST(&request);
    }

    // False when the wait failed; a failure is reported unless the thread
    // was told to terminate.
    bool wait(int index)
    {
        if (WaitForRequest(thread_, thread_.Requests[static_cast<size_t>(index)].Overlapped))
            return true;
        if (!thread_.Terminated())
            ReportAcquisitionMessage(thread_, acquisition::kWaitFailed);
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

    TMainThread& thread_;
    ModuleApi* module_;
    int16_t* destination_;
    const uint64_t blockSamples_;
    uint32_t count_;
    uint64_t done_ = 0;
    int current_ = 0;
};

// True while the library still holds the request.
bool outstanding(const TMainThread& thread, platform::Overlapped* overlapped)
{
    uint32_t bytes = 0;
    return overlapped && !platform::GetOverlappedResult(thread.ModuleHandle, overlapped, &bytes, false)
        && platform::GetLastError() == platform::kErrorIoIncomplete;
}

} // namespace

void AcquireBlock(TMainThread& thread, int16_t* adcBuffer, uint32_t blockSamples)
{
    thread.OverloadBits[0] = 0;
    BlockReader(thread, adcBuffer, blockSamples).read();

    ModuleApi* module = thread.form()->Module;
    if (!module->STOP_ACQUISITION())
        ReportAcquisitionMessage(thread, acquisition::kCannotStop);
    DataStatus status {};
    if (module->CHECK_DATA_ERRORS(&status))
        thread.OverloadBits[0] |= status.OverloadBits;
    else
        ReportAcquisitionMessage(thread, acquisition::kCannotCheckErrors);
    if (!platform::CancelIo(thread.ModuleHandle))
        ReportAcquisitionMessage(thread, acquisition::kCannotCancelIo);
}

bool WaitForRequest(TMainThread& thread, platform::Overlapped* overlapped)
{
    for (;;) {
        uint32_t bytes = 0;
        if (platform::GetOverlappedResult(thread.ModuleHandle, overlapped, &bytes, false))
            return true;
        if (platform::GetLastError() != platform::kErrorIoIncomplete || thread.Terminated())
            return false;
        platform::Sleep(kPollMs);
    }
}

std::array<double, acquisition::kChannelCount> CodeScales(const TMainThread& thread)
{
    // Volts per code of each place in a frame: 8000 codes are the full scale.
    std::array<double, acquisition::kChannelCount> scale { 1.0, 1.0, 1.0, 1.0 };
    if (thread.AmplitudeKind == QLatin1String("volt")) {
        const uint32_t n = std::max<uint32_t>(thread.ActiveChannelCount, 1);
        const AdcParameters& parameters = thread.AdcParameters;
        for (uint32_t j = 0; j < n && j < acquisition::kChannelCount; ++j) {
            const uint16_t channel = parameters.ChannelTable[j] & 3u;
            const uint16_t range = acquisition::ValidIndex(parameters.InputRange[channel], settings::kInputRangeCount);
            scale[j] = settings::InputRanges[range] * settings::kRangeFractionPerCode;
        }
    }
    return scale;
}

void ConvertCodes(TMainThread& thread, const int16_t* adcBuffer, double* adcData, uint32_t blockSamples)
{
    const uint32_t n = std::max<uint32_t>(thread.ActiveChannelCount, 1);
    const std::array<double, acquisition::kChannelCount> scale = CodeScales(thread);
    uint32_t place = 0;
    for (uint64_t first = 0; first < blockSamples; first += kChunk) {
        if (thread.Terminated())
            return;
        const uint64_t last = std::min<uint64_t>(blockSamples, first + kChunk);
        for (uint64_t i = first; i < last; ++i) {
            adcData[i] = adcBuffer[i] * scale[place];
            if (++place == n)
                place = 0;
        }
    }
}

void WaitForOutstandingRequests(TMainThread& thread)
{
    for (uint32_t waited = 0;; waited += kPollMs) {
        bool anyOutstanding = false;
        for (const ReadRequest& request : thread.Requests)
            anyOutstanding = anyOutstanding || outstanding(thread, request.Overlapped);
        // Once the library has cancelled them it touches none of them again.
        if (!anyOutstanding || platform::CancelIo(thread.ModuleHandle))
            return;
        if (waited >= kGiveUpMs) {
            thread.RequestsMayBeOutstanding = true;
            return;
        }
        platform::Sleep(kPollMs);
    }
}
