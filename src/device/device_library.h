#pragma once
// Access to the device library's two exported functions. The window asks for
// them through this interface, so tests can hand it a fake library.

#include "device/module_api.h"

#include <QString>
#include <memory>

class DeviceLibrary {
public:
    virtual ~DeviceLibrary() = default;
    // Loads the library if it is not loaded yet; false with errorText() set
    // when the library or one of its functions cannot be found.
    virtual bool load() = 0;
    virtual QString errorText() const = 0;
    // Valid only after load() returned true.
    virtual uint32_t GetLibraryVersion() = 0;
    virtual ModuleApi* GetModuleInterface(const char* moduleName) = 0;
};

// The shared library "Modlink" (libModlink.so, Modlink.dll) in `directory`,
// opened at run time on the first load().
std::unique_ptr<DeviceLibrary> openModlinkLibrary(const QString& directory);
