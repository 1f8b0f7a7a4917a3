#include "threads/acquisition_job.h"

#include "dsp/block_step.h"
#include "mainform.h"
#include "platform/overlapped.h"
#include "platform/sleep.h"
#include "threads/acquisition_messages.h"
#include "threads/main_thread.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// Sleeps `milliseconds`, in short steps so a stop request is seen at once.
void sleepUnlessTerminated(const TMainThread& thread, uint32_t milliseconds)
{
    constexpr uint32_t kStep = 10;
    for (uint32_t slept = 0; slept < milliseconds && !thread.Terminated(); slept += kStep)
        platform::Sleep(kStep);
}

dsp::BlockMeasurement blockMeasurement(TMainThread& thread, std::string_view amplitudeType)
{
    dsp::BlockMeasurement measurement;
    measurement.fft = thread.SpectrumAnalyser != nullptr;
    measurement.window = thread.Window.get();
    measurement.windowSum = thread.WindowSum;
    measurement.windowPowerGain = thread.WindowPowerGain;
    measurement.kadrRateHz = thread.KadrRateHz;
    measurement.amplitudeType = amplitudeType;
    measurement.position = thread.ChannelPosition;
    measurement.parType = thread.ParType;
    // The check boxes are read live; a channel switched on after the run
    // started has no place in the block and is skipped.
    measurement.checked = thread.form()->ChannelChecked.data();
    measurement.abortFlag = thread.terminateFlag();
    return measurement;
}

// One block: acquire, measure (converting on the way), show.
void runBlock(TMainThread& thread)
{
    AcquireBlock(thread, thread.AdcBuffer.get(), thread.BlockSamples);
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
    dsp::InterleavedBlock block;
    block.codes = thread.AdcBuffer.get();
    block.channelCount = thread.ActiveChannelCount;
    block.samplesPerChannel = thread.SamplesPerChannel;
    block.scale = CodeScales(thread);
    const dsp::ChannelWorkspace first { thread.SpectrumAnalyser.get(), thread.AdcDataPerChannel.get(),
        thread.FftAdcDataPerChannel.get() };
    const AcquisitionState::Workspace& extra = thread.SecondWorkspace;
    const dsp::ChannelWorkspace second { extra.Analyser.get(), extra.Samples.get(), extra.Spectrum.get() };
    const dsp::BlockResults results
        = dsp::MeasureBlock(block, blockMeasurement(thread, amplitudeType), first, extra.Analyser ? &second : nullptr);
    for (size_t c = 0; c < results.channels.size(); ++c) {
        if (!results.measured[c])
            continue;
        const dsp::ChannelResult& result = results.channels[c];
        thread.DcValue[c] = result.DcValue;
        thread.AcValue[c] = result.AcValue;
        thread.Frequency[c] = result.Frequency;
        if (result.status == dsp::ChannelStatus::NoSignal)
            ReportAcquisitionMessage(thread, dsp::kNoSignalMessage);
        if (result.status != dsp::ChannelStatus::Ok || AcquisitionStopped(thread))
            break;
    }
}
