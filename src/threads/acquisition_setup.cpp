// The preparation of a run: the window's steps, then the read requests with
// their events, the buffers, and the window of the chosen method.

#include "dsp/spectrum_analyser.h"
#include "mainform.h"
#include "platform/events.h"
#include "platform/overlapped.h"
#include "platform/sleep.h"
#include "threads/acquisition_job.h"
#include "threads/acquisition_messages.h"
#include "threads/acquisition_sizing.h"
#include "threads/main_thread.h"

#include <new>

namespace {

// Spare zero elements after each channel-sized buffer.
constexpr size_t kSpare = 16;

bool fail(TMainThread& thread, const char* text)
{
    ReportAcquisitionMessage(thread, text);
    return false;
}

bool createRequests(TMainThread& thread)
{
    for (ReadRequest& request : thread.Requests) {
        request = ReadRequest {};
        request.Overlapped = platform::AllocateOverlapped();
        if (!request.Overlapped)
            return fail(thread, acquisition::kCannotAllocateOverlapped);
        request.Overlapped->hEvent = platform::CreateEventA(false, false);
        if (!request.Overlapped->hEvent)
            return fail(thread, acquisition::kCannotCreateEvent);
    }
    return true;
}

template <typename T>
bool allocate(TMainThread& thread, platform::ZeroedArray<T>& buffer, size_t count, const char* failure)
{
    buffer = platform::AllocateZeroedArray<T>(count);
    return buffer ? true : fail(thread, failure);
}

bool createBuffers(TMainThread& thread)
{
    const size_t channelSamples = size_t(thread.SamplesPerChannel) + kSpare;
    thread.WindowType = dsp::kCosineSum9Window;
    thread.SpectrumAnalyser.reset();
    thread.FftAdcDataPerChannel.reset();
    thread.SecondWorkspace = {};
    return allocate(thread, thread.AdcBuffer, thread.BlockSamples, acquisition::kCannotAllocateAdcBuffer)
        && allocate(thread, thread.AdcData, thread.BlockSamples, acquisition::kCannotAllocateAdcData)
        && allocate(thread, thread.AdcDataPerChannel, channelSamples, acquisition::kCannotAllocateAdcDataPerChannel)
        && allocate(thread, thread.Window, channelSamples, acquisition::kCannotAllocateWindow);
}

void prepareSumWindow(TMainThread& thread)
{
    const uint32_t N = thread.SamplesPerChannel;
    if (!dsp::MakeWindow(thread.Window.get(), N, thread.WindowType, thread.WindowTerms, thread.terminateFlag())
        || AcquisitionStopped(thread))
        return;
    thread.WindowSum = N * thread.WindowTerms.terms[0];
}

// With two or more channels a second thread measures one channel while the
// job thread measures another. It only speeds the block up, so when its
// buffers cannot be had the run goes on without it and without a message.
void prepareSecondWorkspace(TMainThread& thread)
{
    AcquisitionState::Workspace& workspace = thread.SecondWorkspace;
    workspace = {};
    if (thread.ActiveChannelCount < 2)
        return;
    const size_t channelSamples = size_t(thread.SamplesPerChannel) + kSpare;
    workspace.Samples = platform::AllocateZeroedArray<double>(channelSamples);
    workspace.Spectrum = platform::AllocateZeroedArray<double>(channelSamples);
    try {
        if (workspace.Samples && workspace.Spectrum)
            workspace.Analyser = thread.SpectrumAnalyser->MakeTwin();
    } catch (const std::bad_alloc&) {
    }
    if (!workspace.Analyser)
        workspace = {};
}

void prepareSpectrum(TMainThread& thread)
{
    const uint32_t N = thread.SamplesPerChannel;
    if (!allocate(
            thread, thread.FftAdcDataPerChannel, size_t(N) + kSpare, acquisition::kCannotAllocateFftAdcDataPerChannel))
        return;
    try {
        // Stopping the thread abandons the window and every transform.
        thread.SpectrumAnalyser = std::make_unique<dsp::SpectrumAnalyser>(N, thread.terminateFlag());
    } catch (const std::bad_alloc&) {
        fail(thread, acquisition::kCannotAllocateSpectrumAnalyser);
        return;
    }
    if (!thread.SpectrumAnalyser->MakeWindow(thread.Window.get(), thread.WindowType) || AcquisitionStopped(thread))
        return;
    thread.WindowPowerGain = dsp::WindowPowerGain(thread.SpectrumAnalyser->Terms());
    prepareSecondWorkspace(thread);
}

} // namespace

void PrepareAcquisition(TMainThread& thread)
{
    TMainForm* form = thread.form();
    thread.Synchronize([form, &thread] { form->BeginAcquisitionUi(thread); });
    if (AcquisitionStopped(thread))
        return;
    platform::Sleep(50);
    thread.Synchronize([form, &thread] { form->SetupAcquisition(thread); });
    if (AcquisitionStopped(thread))
        return;
    platform::Sleep(50);
    if (!createRequests(thread) || !createBuffers(thread))
        return;
    if (acquisition::MethodFor(thread.ComputationMethod.toStdString()) == acquisition::Method::Fft)
        prepareSpectrum(thread);
    else
        prepareSumWindow(thread);
}
