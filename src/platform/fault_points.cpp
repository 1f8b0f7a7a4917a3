#include "platform/fault_points.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<int> countdown[static_cast<int>(FaultPoint::Count)] = { -1, -1, -1, -1 };
}

void armFault(FaultPoint point, int skip)
{
    countdown[static_cast<int>(point)].store(skip);
}

void disarmAllFaults()
{
    for (auto& c : countdown)
        c.store(-1);
}

bool consumeFault(FaultPoint point)
{
    auto& c = countdown[static_cast<int>(point)];
    int current = c.load();
    while (current >= 0) {
        if (c.compare_exchange_weak(current, current - 1))
            return current == 0;
    }
    return false;
}

} // namespace platform
