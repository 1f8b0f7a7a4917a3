#pragma once
// Helpers for driving the simulated library the way the program does: an
// interface with a slot open on a fresh default bench, read requests with
// their OVERLAPPED records and events, and ADC parameters with the module's
// factory coefficients.

#include "device/device_library.h"
#include "device/module_api.h"
#include "platform/overlapped.h"
#include "sim_control.h"

#include <memory>
#include <vector>

// Resets the bench, sets the time scale, opens `slot` on a new interface and
// loads the library's own firmware, as the module search does.
// Tests check ok() first; the destructor releases the interface.
class SimSession {
public:
    explicit SimSession(double timeScale = 1000.0, int slot = 2);
    ~SimSession();
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    bool ok() const { return api != nullptr && control != nullptr; }
    platform::DeviceHandle handle() { return api->QUERY_DEVICE_HANDLE(); }

    modlink_sim::SimControl* control = nullptr;
    std::unique_ptr<DeviceLibrary> library;
    ModuleApi* api = nullptr;
    int slot = -1;
};

// Parameters for `channels` (ascending), all ranges `range`, at `rateKHz`,
// with the factory coefficients of the module open on `api`.
AdcParameters makeAdcParameters(ModuleApi* api, const std::vector<int>& channels, int range, double rateKHz);

// Byte-for-byte equality, as the module keeps its records.
bool sameBytes(const void* a, const void* b, size_t size);

// One read request with its own buffer, OVERLAPPED record and event.
class TestRead {
public:
    explicit TestRead(uint32_t samples, uint32_t timeoutMs = 0);
    ~TestRead();
    TestRead(const TestRead&) = delete;
    TestRead& operator=(const TestRead&) = delete;

    bool submit(ModuleApi* api)
    {
        submittedTo = api;
        return api->SUBMIT_READ_REQUEST(&request);
    }
    bool pending() const { return overlapped.Internal.load(std::memory_order_acquire) == platform::kStatusPending; }
    // Waits up to `timeoutMs` for completion; true when it completed.
    bool waitDone(uint32_t timeoutMs = 10000);
    uint32_t status() const { return static_cast<uint32_t>(overlapped.Internal.load(std::memory_order_acquire)); }
    uint32_t bytes() const { return static_cast<uint32_t>(overlapped.InternalHigh.load()); }

    std::vector<int16_t> buffer;
    platform::Overlapped overlapped;
    ReadRequest request {};
    ModuleApi* submittedTo = nullptr;
};
