// The library's exported functions, with C linkage; everything else is hidden.
#include "bus_control.h"
#include "device/module_api.h"
#include "module_interface.h"
#include "sim_bus.h"

#include <cstring>

#define MODLINK_EXPORT extern "C" __attribute__((visibility("default")))

using modlink_sim::Op;
using modlink_sim::SimBus;

MODLINK_EXPORT uint32_t GetLibraryVersion()
{
    SimBus& bus = SimBus::instance();
    std::lock_guard<std::mutex> lock(bus.mutex());
    return bus.libraryVersion();
}

namespace {
// Exactly "q4705"; reads no further than one character past it.
bool isOurModule(const char* moduleName)
{
    const size_t length = std::strlen(kModuleName);
    return moduleName && strnlen(moduleName, length + 1) == length && std::memcmp(moduleName, kModuleName, length) == 0;
}
} // namespace

MODLINK_EXPORT ModuleApi* GetModuleInterface(const char* moduleName)
{
    SimBus& bus = SimBus::instance();
    std::lock_guard<std::mutex> lock(bus.mutex());
    if (bus.faults().failsNow(Op::GetModuleInterface) || !isOurModule(moduleName))
        return nullptr;
    return bus.createInterface();
}

MODLINK_EXPORT modlink_sim::SimControl* ModlinkSimControl()
{
    return modlink_sim::busControl();
}
