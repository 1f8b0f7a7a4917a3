#pragma once
// Asynchronous reads as the program was written against them: an OVERLAPPED
// record completed by the device library's thread, polled without waiting,
// and CancelIo on the module's device handle.

#include "platform/events.h"

#include <atomic>
#include <cstdint>

namespace platform {

constexpr uint32_t kErrorSuccess = 0;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorSemTimeout = 121;
constexpr uint32_t kErrorOperationAborted = 995;
constexpr uint32_t kErrorIoIncomplete = 996;
constexpr uint32_t kErrorIoPending = 997;
constexpr uint32_t kErrorIoDevice = 1117;
// Value of Overlapped::Internal while the read is outstanding.
constexpr uintptr_t kStatusPending = 0x103;

// Same fields as the Windows record. The library stores the byte count, then
// the completion status (0 or a Win32 error code) with release order, then
// signals the event; readers load the status with acquire order.
struct Overlapped {
    std::atomic<uintptr_t> Internal { 0 };
    std::atomic<uintptr_t> InternalHigh { 0 };
    uint32_t Offset = 0;
    uint32_t OffsetHigh = 0;
    EventHandle hEvent = nullptr;
};

// An operating-system handle of a device; -1 means none.
using DeviceHandle = intptr_t;
constexpr DeviceHandle kInvalidDeviceHandle = -1;

// The object behind a device handle. The device library implements it and
// hands out its address as the handle; CancelIo reaches it through the handle.
class IoDevice {
public:
    // Completes every outstanding request of the device as cancelled. After it
    // returns the device touches none of those requests, buffers or events.
    virtual bool CancelIo() = 0;

protected:
    ~IoDevice() = default;
};

inline DeviceHandle handleOf(IoDevice* device)
{
    return reinterpret_cast<DeviceHandle>(device);
}

uint32_t GetLastError();
void SetLastError(uint32_t error);

// Never waits when `wait` is false: while the read is outstanding it returns
// false with the last error kErrorIoIncomplete. On a failed read the last error
// is the read's status.
bool GetOverlappedResult(DeviceHandle device, Overlapped* overlapped, uint32_t* bytesTransferred, bool wait);

bool CancelIo(DeviceHandle device);

// Allocation of an OVERLAPPED record, zeroed; nullptr when it cannot be made.
Overlapped* AllocateOverlapped();
void FreeOverlapped(Overlapped* overlapped);

} // namespace platform
