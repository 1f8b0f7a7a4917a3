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

MODLINK_EXPORT ModuleApi* GetModuleInterface(const char* moduleName)
{
    SimBus& bus = SimBus::instance();
    std::lock_guard<std::mutex> lock(bus.mutex());
    if (bus.faults().failsNow(Op::GetModuleInterface) || !moduleName
        || std::strncmp(moduleName, kModuleName, std::strlen(kModuleName) + 1) != 0)
        return nullptr;
    return bus.createInterface();
}

MODLINK_EXPORT modlink_sim::SimControl* ModlinkSimControl()
{
    return modlink_sim::busControl();
}
