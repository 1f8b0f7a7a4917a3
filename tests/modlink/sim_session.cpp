#include "sim_session.h"

#include "platform/events.h"
#include "support/sim_library.h"

#include <chrono>
#include <cstring>
#include <thread>

SimSession::SimSession(double timeScale, int slotNumber)
{
    control = simControl();
    if (!control)
        return;
    control->resetToDefaults();
    control->setTimeScale(timeScale);
    library = openSimulatedLibrary();
    if (!library->load())
        return;
    ModuleApi* candidate = library->GetModuleInterface(kModuleName);
    if (candidate && candidate->OPEN_SLOT(static_cast<uint16_t>(slotNumber)) && candidate->LOAD_MODULE(nullptr)) {
        api = candidate;
        slot = slotNumber;
    } else if (candidate) {
        candidate->RELEASE_INTERFACE();
    }
}

SimSession::~SimSession()
{
    if (control)
        control->clearFailures();
    if (api)
        api->RELEASE_INTERFACE();
}

AdcParameters makeAdcParameters(ModuleApi* api, const std::vector<int>& channels, int range, double rateKHz)
{
    AdcParameters p;
    std::memset(&p, 0, sizeof p);
    p.RevisionFlag = 1;
    p.ChannelCount = static_cast<uint16_t>(channels.size());
    for (size_t i = 0; i < channels.size(); ++i)
        p.ChannelTable[i] = static_cast<uint16_t>(channels[i]);
    for (int c = 0; c < 4; ++c)
        p.InputRange[c] = static_cast<uint16_t>(range);
    p.AdcRate = rateKHz;
    auto description = std::make_unique<ModuleDescription>();
    if (api && api->READ_MODULE_DESCRIPTION(description.get())) {
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                p.AdcOffsetCoefs[r][c] = description->AdcOffsetCoefs[r * 4 + c];
                p.AdcScaleCoefs[r][c] = description->AdcScaleCoefs[r * 4 + c];
            }
        }
    }
    return p;
}

bool sameBytes(const void* a, const void* b, size_t size)
{
    return std::memcmp(a, b, size) == 0;
}

TestRead::TestRead(uint32_t samples, uint32_t timeoutMs)
    : buffer(samples ? samples : 1, int16_t(0x5A5A))
{
    overlapped.hEvent = platform::CreateEventA(false, false);
    request.Buffer = buffer.data();
    request.SampleCount = samples;
    request.Overlapped = &overlapped;
    request.TimeoutMs = timeoutMs;
}

TestRead::~TestRead()
{
    // A failed test may leave the read queued; take it back before its memory goes.
    if (pending() && submittedTo)
        platform::CancelIo(submittedTo->QUERY_DEVICE_HANDLE());
    platform::CloseHandle(overlapped.hEvent);
}

bool TestRead::waitDone(uint32_t timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pending()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        platform::WaitForSingleObject(overlapped.hEvent, 20);
    }
    return true;
}
