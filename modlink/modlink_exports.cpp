// Placeholder: the library answers its version and has no module interface yet.
#include "device/module_api.h"

#define MODLINK_EXPORT extern "C" __attribute__((visibility("default")))

MODLINK_EXPORT uint32_t GetLibraryVersion() { return kRequiredLibraryVersion; }
MODLINK_EXPORT ModuleApi* GetModuleInterface(const char*) { return nullptr; }
