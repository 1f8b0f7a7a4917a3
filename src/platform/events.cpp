#include "platform/events.h"

#include "platform/fault_points.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>

namespace platform {

struct EventObject {
    std::mutex mutex;
    std::condition_variable signalled;
    bool manualReset = false;
    bool state = false;
};

EventHandle CreateEventA(bool manualReset, bool initialState)
{
    if (consumeFault(FaultPoint::CreateEvent))
        return nullptr;
    auto* event = new (std::nothrow) EventObject;
    if (!event)
        return nullptr;
    event->manualReset = manualReset;
    event->state = initialState;
    return event;
}

bool SetEvent(EventHandle event)
{
    if (!event)
        return false;
    {
        std::lock_guard<std::mutex> lock(event->mutex);
        event->state = true;
    }
    event->signalled.notify_all();
    return true;
}

uint32_t WaitForSingleObject(EventHandle event, uint32_t timeoutMs)
{
    if (!event)
        return kWaitTimeout;
    std::unique_lock<std::mutex> lock(event->mutex);
    auto isSignalled = [event] { return event->state; };
    if (timeoutMs == kInfinite)
        event->signalled.wait(lock, isSignalled);
    else if (!event->signalled.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSignalled))
        return kWaitTimeout;
    if (!event->manualReset)
        event->state = false;
    return kWaitObject0;
}

bool CloseHandle(EventHandle event)
{
    if (!event || consumeFault(FaultPoint::CloseHandle))
        return false;
    delete event;
    return true;
}

} // namespace platform
