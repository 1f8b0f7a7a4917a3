#pragma once
// Unnamed auto-reset events, standing in for the kernel events the program
// was written against. A handle is a pointer to an event object; the device
// library signals the same objects from its own thread, so the object is
// shared between the program and the library without any global table.

#include <cstdint>

namespace platform {

struct EventObject;
using EventHandle = EventObject*;

constexpr uint32_t kWaitObject0 = 0;
constexpr uint32_t kWaitTimeout = 258;
constexpr uint32_t kInfinite = 0xFFFFFFFFu;

// Returns nullptr when the event cannot be created.
EventHandle CreateEventA(bool manualReset, bool initialState);
bool SetEvent(EventHandle event);
// kWaitObject0 when the event was signalled, kWaitTimeout otherwise.
uint32_t WaitForSingleObject(EventHandle event, uint32_t timeoutMs);
// Releases the event; false for a null handle.
bool CloseHandle(EventHandle event);

} // namespace platform
