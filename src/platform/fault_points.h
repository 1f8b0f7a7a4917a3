#pragma once
// Failure injection for the operating-system calls of the platform layer, so
// tests can make exactly one call fail (an event that cannot be created, a
// handle that cannot be closed). Production code never arms a fault point.

#include <cstdint>

namespace platform {

enum class FaultPoint : int { CreateEvent, CloseHandle, AllocateOverlapped, AllocateMemory, Count };

// The next `skip` calls succeed, the one after fails; -1 disarms.
void armFault(FaultPoint point, int skip = 0);
void disarmAllFaults();
// True when this call must fail; used by the platform functions themselves.
bool consumeFault(FaultPoint point);

} // namespace platform
