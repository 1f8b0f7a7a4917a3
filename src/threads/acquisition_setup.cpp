// The buffers of a run: the read requests with their events, the sample
// buffers, and the window of the chosen method.

#include "dsp/spectrum_analyser.h"
#include "platform/events.h"
#include "platform/overlapped.h"
#include "threads/acquisition_messages.h"
#include "threads/acquisition_sizing.h"
#include "threads/measurement_engine.h"

#include <new>

namespace acquisition {

namespace {

// Spare zero elements after each channel-sized buffer.
constexpr size_t kSpare = 16;

bool createRequests(MeasurementEngine& engine)
{
    for (ReadRequest& request : engine.State().Requests) {
        request = ReadRequest {};
        request.Overlapped = platform::AllocateOverlapped();
        if (!request.Overlapped) {
            engine.Report(kCannotAllocateOverlapped);
            return false;
        }
        request.Overlapped->hEvent = platform::CreateEventA(false, false);
        if (!request.Overlapped->hEvent) {
            engine.Report(kCannotCreateEvent);
            return false;
        }
    }
    return true;
}

template <typename T>
bool allocate(MeasurementEngine& engine, platform::ZeroedArray<T>& buffer, size_t count, const char* failure)
{
    buffer = platform::AllocateZeroedArray<T>(count);
    if (buffer)
        return true;
    engine.Report(failure);
    return false;
}

bool createBuffers(MeasurementEngine& engine)
{
    AcquisitionState& state = engine.State();
    const size_t channelSamples = size_t(state.SamplesPerChannel) + kSpare;
    state.WindowType = dsp::kCosineSum9Window;
    state.SpectrumAnalyser.reset();
    state.FftAdcDataPerChannel.reset();
    state.SecondWorkspace = {};
    return allocate(engine, state.AdcBuffer, state.BlockSamples, kCannotAllocateAdcBuffer)
        && allocate(engine, state.AdcData, state.BlockSamples, kCannotAllocateAdcData)
        && allocate(engine, state.AdcDataPerChannel, channelSamples, kCannotAllocateAdcDataPerChannel)
        && allocate(engine, state.Window, channelSamples, kCannotAllocateWindow);
}

} // namespace

bool MeasurementEngine::MakeBuffers()
{
    if (Stopped() || !createRequests(*this) || !createBuffers(*this))
        return false;
    if (MethodFor(state_->ComputationMethod.toStdString()) == Method::Fft)
        prepareSpectrum();
    else
        prepareSumWindow();
    return !Stopped();
}

void MeasurementEngine::prepareSumWindow()
{
    AcquisitionState& state = *state_;
    const uint32_t N = state.SamplesPerChannel;
    if (!dsp::MakeWindow(state.Window.get(), N, state.WindowType, state.WindowTerms, stop_) || Stopped())
        return;
    state.WindowSum = N * state.WindowTerms.terms[0];
}

// With two or more channels a second thread measures one channel while the
// calling thread measures another. It only speeds the block up, so when its
// buffers cannot be had the run goes on without it and without a message.
void MeasurementEngine::prepareSecondWorkspace()
{
    AcquisitionState& state = *state_;
    AcquisitionState::Workspace& workspace = state.SecondWorkspace;
    workspace = {};
    if (state.ActiveChannelCount < 2)
        return;
    const size_t channelSamples = size_t(state.SamplesPerChannel) + kSpare;
    workspace.Samples = platform::AllocateZeroedArray<double>(channelSamples);
    workspace.Spectrum = platform::AllocateZeroedArray<double>(channelSamples);
    try {
        if (workspace.Samples && workspace.Spectrum)
            workspace.Analyser = state.SpectrumAnalyser->MakeTwin();
    } catch (const std::bad_alloc&) {
    }
    if (!workspace.Analyser)
        workspace = {};
}

void MeasurementEngine::prepareSpectrum()
{
    AcquisitionState& state = *state_;
    const uint32_t N = state.SamplesPerChannel;
    if (!allocate(*this, state.FftAdcDataPerChannel, size_t(N) + kSpare, kCannotAllocateFftAdcDataPerChannel))
        return;
    try {
        // A stop request abandons the window and every transform.
        state.SpectrumAnalyser = std::make_unique<dsp::SpectrumAnalyser>(N, stop_);
    } catch (const std::bad_alloc&) {
        Report(kCannotAllocateSpectrumAnalyser);
        return;
    }
    if (!state.SpectrumAnalyser->MakeWindow(state.Window.get(), state.WindowType) || Stopped())
        return;
    state.WindowPowerGain = dsp::WindowPowerGain(state.SpectrumAnalyser->Terms());
    prepareSecondWorkspace();
}

} // namespace acquisition
