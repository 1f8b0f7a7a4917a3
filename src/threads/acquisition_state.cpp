#include "threads/acquisition_state.h"

#include "dsp/spectrum_analyser.h"
#include "platform/events.h"
#include "platform/overlapped.h"

AcquisitionState::AcquisitionState() = default;

AcquisitionState::~AcquisitionState()
{
    ReleaseAcquisitionResources();
    BuffersToFree.reset();
}

bool AcquisitionState::ReleaseAcquisitionResources()
{
    bool eventsClosed = true;
    if (RequestsMayBeOutstanding) {
        // The library may still write into these: giving them up is the only
        // safe way out.
        for (ReadRequest& request : Requests)
            request = ReadRequest {};
        (void)AdcBuffer.release();
    }
    for (ReadRequest& request : Requests) {
        platform::Overlapped* overlapped = request.Overlapped;
        if (!overlapped)
            continue;
        if (overlapped->hEvent && !platform::CloseHandle(overlapped->hEvent))
            eventsClosed = false;
        platform::FreeOverlapped(overlapped);
        request.Overlapped = nullptr;
        request.Buffer = nullptr;
    }
    auto released = std::make_unique<Buffers>();
    released->AdcBuffer = std::move(AdcBuffer);
    released->AdcData = std::move(AdcData);
    released->AdcDataPerChannel = std::move(AdcDataPerChannel);
    released->FftAdcDataPerChannel = std::move(FftAdcDataPerChannel);
    released->Window = std::move(Window);
    released->SpectrumAnalyser = std::move(SpectrumAnalyser);
    released->SecondWorkspace = std::move(SecondWorkspace);
    BuffersToFree = std::move(released);
    return eventsClosed;
}
