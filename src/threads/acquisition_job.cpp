#include "threads/acquisition_job.h"

#include "dsp/channel_measurement.h"
#include "mainform.h"
#include "platform/overlapped.h"
#include "platform/sleep.h"
#include "threads/acquisition_messages.h"
#include "threads/main_thread.h"

#include <algorithm>
#include <string>

namespace {

// Samples handled between two looks at the terminate request.
constexpr uint32_t kChunk = 0x40000;

// Sleeps `milliseconds`, in short steps so a stop request is seen at once.
void sleepUnlessTerminated(const TMainThread& thread, uint32_t milliseconds)
{
    constexpr uint32_t kStep = 10;
    for (uint32_t slept = 0; slept < milliseconds && !thread.Terminated(); slept += kStep)
        platform::Sleep(kStep);
}

// Channel c's N samples of the block into AdcDataPerChannel; false when the
// thread was told to terminate meanwhile.
bool copyChannel(TMainThread& thread, int position)
{
    const uint32_t n = thread.ActiveChannelCount;
    const uint32_t N = thread.SamplesPerChannel;
    const double* block = thread.AdcData.get() + position;
    double* samples = thread.AdcDataPerChannel.get();
    for (uint64_t first = 0; first < N; first += kChunk) {
        if (thread.Terminated())
            return false;
        const uint64_t last = std::min<uint64_t>(N, first + kChunk);
        for (uint64_t k = first; k < last; ++k)
            samples[k] = block[n * k];
    }
    return !thread.Terminated();
}

dsp::ChannelResult measureChannel(TMainThread& thread, int c, const std::string& amplitudeType)
{
    const int32_t parType = thread.ParType[static_cast<size_t>(c)];
    if (thread.SpectrumAnalyser)
        return dsp::ComputeFftChannel(*thread.SpectrumAnalyser, thread.AdcDataPerChannel.get(),
            thread.FftAdcDataPerChannel.get(), thread.Window.get(), parType, amplitudeType, thread.KadrRateHz,
            thread.WindowPowerGain);
    return dsp::ComputeSumChannel(thread.AdcDataPerChannel.get(), thread.Window.get(), thread.SamplesPerChannel,
        thread.WindowSum, parType, amplitudeType, thread.terminateFlag());
}

// One block: acquire, convert, measure, show.
void runBlock(TMainThread& thread)
{
    AcquireBlock(thread, thread.AdcBuffer.get(), thread.BlockSamples);
    if (AcquisitionStopped(thread))
        return;
    ConvertCodes(thread, thread.AdcBuffer.get(), thread.AdcData.get(), thread.BlockSamples);
    if (AcquisitionStopped(thread))
        return;
    thread.DcValue.fill(0.0);
    thread.AcValue.fill(0.0);
    thread.Frequency.fill(0.0);
    MeasureChannels(thread);
    if (AcquisitionStopped(thread))
        return;
    TMainForm* form = thread.form();
    thread.Synchronize([form, &thread] { form->ShowChannelValues(thread); });
    sleepUnlessTerminated(thread, 100);
    thread.Synchronize([form, &thread] { form->ShowOverloadLeds(thread); });
}

// Stops the ADC, cancels what is outstanding and, once no request is left in
// the library's hands, has the window free everything and return to Idle.
void endAcquisition(TMainThread& thread)
{
    ModuleApi* module = thread.form()->Module;
    if (!module->STOP_ACQUISITION())
        ReportAcquisitionMessage(thread, acquisition::kCannotStop);
    if (!platform::CancelIo(thread.ModuleHandle))
        ReportAcquisitionMessage(thread, acquisition::kCannotCancelIo);
    WaitForOutstandingRequests(thread);
    TMainForm* form = thread.form();
    thread.Synchronize([form, &thread] { form->FinishAcquisition(thread); });
    thread.BuffersToFree.reset();
}

} // namespace

bool AcquisitionStopped(const TMainThread& thread)
{
    return thread.Terminated() || thread.MessageShown;
}

void ReportAcquisitionMessage(TMainThread& thread, const char* text)
{
    thread.ReportMessage(QString::fromUtf8(text));
}

void AcquisitionJob(TMainThread& thread)
{
    try {
        PrepareAcquisition(thread);
        if (!AcquisitionStopped(thread)) {
            // The ADC may still run from an earlier use of the module.
            if (!thread.form()->Module->STOP_ACQUISITION())
                ReportAcquisitionMessage(thread, acquisition::kCannotStopAtStart);
            while (!AcquisitionStopped(thread))
                runBlock(thread);
        }
    } catch (...) {
        ReportAcquisitionMessage(thread, acquisition::kUnexpectedException);
    }
    endAcquisition(thread);
}

void MeasureChannels(TMainThread& thread)
{
    const std::string amplitudeType = thread.AmplitudeType.toStdString();
    TMainForm* form = thread.form();
    for (int c = 0; c < 4; ++c) {
        // The check boxes are read live; a channel switched on after the run
        // started has no place in the block and is skipped.
        const int position = thread.ChannelPosition[static_cast<size_t>(c)];
        if (!form->ChannelChecked[static_cast<size_t>(c)].load() || position < 0)
            continue;
        if (!copyChannel(thread, position) || AcquisitionStopped(thread))
            break;
        const dsp::ChannelResult result = measureChannel(thread, c, amplitudeType);
        thread.DcValue[static_cast<size_t>(c)] = result.DcValue;
        thread.AcValue[static_cast<size_t>(c)] = result.AcValue;
        thread.Frequency[static_cast<size_t>(c)] = result.Frequency;
        if (result.status == dsp::ChannelStatus::NoSignal)
            ReportAcquisitionMessage(thread, dsp::kNoSignalMessage);
        if (result.status == dsp::ChannelStatus::Aborted || AcquisitionStopped(thread))
            break;
    }
}
