#include "platform/memory.h"

#include "platform/fault_points.h"

#include <cstdlib>
#include <limits>

namespace platform {

void* AllocateZeroed(std::size_t count, std::size_t size)
{
    if (consumeFault(FaultPoint::AllocateMemory))
        return nullptr;
    if (count == 0 || size == 0)
        count = size = 1;
    if (count > std::numeric_limits<std::size_t>::max() / size)
        return nullptr;
    // calloc hands out large blocks as fresh zero pages, so zero-filling a
    // block of hundreds of megabytes costs nothing up front.
    return std::calloc(count, size);
}

void FreeMemory(void* block)
{
    std::free(block);
}

} // namespace platform
