// Slots, firmware, flash and description operations of the module interface.
#include "module_interface.h"

#include "sim_bus.h"

#include <chrono>
#include <cstring>
#include <strings.h>
#include <thread>

namespace modlink_sim {
namespace {

using Lock = std::unique_lock<std::mutex>;

struct FirmwareFile {
    const char* name;
    char revision;
    int hardwareGrade; // -1 = any
};

// Each firmware file fits one revision and, for revision B, one hardware grade.
const FirmwareFile kFirmwareFiles[] = {
    { "q4705.pld", 'A', -1 },
    { "Q4705m.pld", 'B', 0 },
    { "Q4705mi.pld", 'B', 1 },
};

// Longest name worth comparing; keeps an unterminated name from being read far.
const size_t kMaxFirmwareName = 260;

const FirmwareFile* findFirmware(const char* name)
{
    size_t length = strnlen(name, kMaxFirmwareName + 1);
    for (const FirmwareFile& file : kFirmwareFiles) {
        // File names compare as the file system of the library's platform does: without case.
        if (length == std::strlen(file.name) && strncasecmp(name, file.name, length) == 0)
            return &file;
    }
    return nullptr;
}

} // namespace

bool SimModuleInterface::admitted(Op op, std::unique_lock<std::mutex>& lock)
{
    if (int stallMs = bus_.faults().takeStall(op)) {
        // Other callers and the service thread go on meanwhile.
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
        lock.lock();
    }
    return !bus_.faults().failsNow(op);
}

SimModule* SimModuleInterface::openModule()
{
    return slot_ >= 0 ? bus_.module(slot_) : nullptr;
}

void SimModuleInterface::closeSlot()
{
    SimModule* module = openModule();
    if (module) {
        Clock::time_point now = Clock::now();
        module->stream().cancel(this, now);
        if (!bus_.openedElsewhere(slot_, this))
            module->stopAcquisition(now);
    }
    slot_ = -1;
}

bool SimModuleInterface::OPEN_SLOT(uint16_t slot)
{
    Lock lock(bus_.mutex());
    if (!admitted(Op::OpenSlot, lock))
        return false;
    closeSlot();
    if (!bus_.module(slot))
        return false;
    slot_ = slot;
    openSequence_ = bus_.nextOpenSequence();
    return true;
}

bool SimModuleInterface::CLOSE_SLOT()
{
    Lock lock(bus_.mutex());
    if (!admitted(Op::CloseSlot, lock) || slot_ < 0)
        return false;
    closeSlot();
    return true;
}

bool SimModuleInterface::RELEASE_INTERFACE()
{
    Lock lock(bus_.mutex());
    if (!admitted(Op::ReleaseInterface, lock))
        return false;
    closeSlot();
    bus_.destroyInterface(this); // deletes this object; nothing of it is used below
    return true;
}

platform::DeviceHandle SimModuleInterface::QUERY_DEVICE_HANDLE()
{
    Lock lock(bus_.mutex());
    if (!admitted(Op::QueryDeviceHandle, lock) || !openModule())
        return platform::kInvalidDeviceHandle;
    return platform::handleOf(this);
}

bool SimModuleInterface::QUERY_USB_SPEED(uint8_t* speed)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::QueryUsbSpeed, lock) ? openModule() : nullptr;
    if (!module || !speed)
        return false;
    *speed = module->config.usbSpeed;
    return true;
}

bool SimModuleInterface::LOAD_MODULE(const char* firmwareName)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::LoadModule, lock) ? openModule() : nullptr;
    if (!module)
        return false;
    if (!firmwareName) {
        module->firmwareLoaded = true;
        module->firmwareName.clear();
        return true;
    }
    const FirmwareFile* file = findFirmware(firmwareName);
    int grade = (module->config.options >> 2) & 3;
    if (!file || file->revision != module->config.revision
        || (file->hardwareGrade >= 0 && file->hardwareGrade != grade))
        return false;
    module->firmwareLoaded = true;
    module->firmwareName = file->name;
    return true;
}

bool SimModuleInterface::CHECK_FIRMWARE(int32_t)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::CheckFirmware, lock) ? openModule() : nullptr;
    return module && module->firmwareLoaded;
}

bool SimModuleInterface::USER_FLASH_WRITE_ACCESS(uint16_t allow)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::UserFlashWriteAccess, lock) ? openModule() : nullptr;
    if (!module || allow > 1)
        return false;
    module->userFlashWritable = allow == 1;
    return true;
}

bool SimModuleInterface::READ_USER_FLASH(UserFlashBlock* block)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::ReadUserFlash, lock) ? openModule() : nullptr;
    if (!module || !block)
        return false;
    *block = module->userFlash;
    return true;
}

bool SimModuleInterface::WRITE_USER_FLASH(UserFlashBlock* block)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::WriteUserFlash, lock) ? openModule() : nullptr;
    if (!module || !block || !module->userFlashWritable)
        return false;
    module->userFlash = *block;
    bus_.keepState(*module);
    return true;
}

bool SimModuleInterface::READ_MODULE_DESCRIPTION(ModuleDescription* description)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::ReadModuleDescription, lock) ? openModule() : nullptr;
    if (!module || !description)
        return false;
    std::memcpy(description, &module->description, sizeof *description);
    return true;
}

bool SimModuleInterface::SAVE_MODULE_DESCRIPTION(ModuleDescription* description)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::SaveModuleDescription, lock) ? openModule() : nullptr;
    if (!module || !description)
        return false;
    std::memcpy(&module->description, description, sizeof *description);
    module->descriptionSaved = true;
    bus_.keepState(*module);
    return true;
}

} // namespace modlink_sim
