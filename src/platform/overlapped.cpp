#include "platform/overlapped.h"

#include "platform/fault_points.h"

#include <new>

namespace platform {
namespace {
thread_local uint32_t lastError = kErrorSuccess;
}

uint32_t GetLastError()
{
    return lastError;
}
void SetLastError(uint32_t error)
{
    lastError = error;
}

bool GetOverlappedResult(DeviceHandle device, Overlapped* overlapped, uint32_t* bytesTransferred, bool wait)
{
    if (device == kInvalidDeviceHandle || device == 0 || !overlapped) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    uintptr_t status = overlapped->Internal.load(std::memory_order_acquire);
    while (status == kStatusPending && wait) {
        if (overlapped->hEvent)
            WaitForSingleObject(overlapped->hEvent, 20);
        status = overlapped->Internal.load(std::memory_order_acquire);
    }
    if (status == kStatusPending) {
        SetLastError(kErrorIoIncomplete);
        return false;
    }
    if (bytesTransferred)
        *bytesTransferred = static_cast<uint32_t>(overlapped->InternalHigh.load(std::memory_order_relaxed));
    if (status != kErrorSuccess) {
        SetLastError(static_cast<uint32_t>(status));
        return false;
    }
    return true;
}

bool CancelIo(DeviceHandle device)
{
    if (device == kInvalidDeviceHandle || device == 0) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    return reinterpret_cast<IoDevice*>(device)->CancelIo();
}

Overlapped* AllocateOverlapped()
{
    if (consumeFault(FaultPoint::AllocateOverlapped))
        return nullptr;
    return new (std::nothrow) Overlapped;
}

void FreeOverlapped(Overlapped* overlapped)
{
    delete overlapped;
}

} // namespace platform
