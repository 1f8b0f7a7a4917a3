// Console check until the main window lands: opens the device library beside
// the executable and lists the modules on the bus.
#include "device/device_library.h"
#include "platform/app_paths.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    auto library = openModlinkLibrary(platform::executableDirectory());
    if (!library->load()) {
        std::fprintf(stderr, "Modlink: %s\n", library->errorText().toLocal8Bit().constData());
        return 1;
    }
    const uint32_t version = library->GetLibraryVersion();
    std::printf("Modlink %u.%u\n", version >> 16, version & 0xFFFF);
    ModuleApi* api = library->GetModuleInterface(kModuleName);
    if (!api) {
        std::printf("no interface for %s\n", kModuleName);
        return 1;
    }
    for (uint16_t slot = 0; slot < 16; ++slot) {
        if (!api->OPEN_SLOT(slot))
            continue;
        ModuleDescription description{};
        if (api->READ_MODULE_DESCRIPTION(&description))
            std::printf("slot %u: %.16s\n", slot, description.SerialNumber);
        api->CLOSE_SLOT();
    }
    api->RELEASE_INTERFACE();
    return 0;
}
