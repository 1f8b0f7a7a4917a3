#include "threads/module_opening.h"

#include "coeffs/coeff_sets.h"
#include "device/device_library.h"
#include "device/module_api.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"

#include <cstring>
#include <memory>

namespace module_search {

namespace {

constexpr uint8_t kSpeedNotAsked = 0xFF;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

ModuleApi* LoadModuleInterface(DeviceLibrary* library, QString* failure)
{
    if (!library || !library->load()) {
        *failure = libraryNotLoadedMessage(library ? library->errorText() : QString());
        return nullptr;
    }
    const uint32_t version = library->GetLibraryVersion();
    if (!isRequiredLibraryVersion(version)) {
        *failure = wrongLibraryVersionMessage(version);
        return nullptr;
    }
    ModuleApi* module = library->GetModuleInterface(kModuleName);
    if (!module)
        *failure = text(kCannotGetInterface);
    return module;
}

SlotScan ScanSlots(ModuleApi& module, const std::atomic<bool>* stop, bool askUsbSpeed)
{
    SlotScan scan;
    scan.usbSpeeds.fill(kSpeedNotAsked);
    // The description is kept off the stack: it is 7 KB.
    auto description = std::make_unique<ModuleDescription>();
    for (uint16_t slot = 0; slot < kMaxModules && !(stop && stop->load(std::memory_order_acquire)); ++slot) {
        if (!module.OPEN_SLOT(slot))
            continue;
        *description = ModuleDescription {};
        if (!module.READ_MODULE_DESCRIPTION(description.get())) {
            scan.described = false;
            break;
        }
        const auto entry = static_cast<size_t>(scan.count);
        uint8_t speed = 0;
        if (askUsbSpeed && module.QUERY_USB_SPEED(&speed))
            scan.usbSpeeds[entry] = speed;
        module.CLOSE_SLOT();
        scan.slotNumbers[entry] = slot;
        std::memcpy(scan.serials[entry].data(), description->SerialNumber, scan.serials[entry].size());
        scan.revisions[entry] = description->Revision;
        scan.firmwareVersions[entry] = fieldText(description->FirmwareVersion, sizeof description->FirmwareVersion);
        ++scan.count;
    }
    return scan;
}

QString scanFailure(const SlotScan& scan)
{
    if (!scan.described)
        return text(kCannotDescribeModuleDuringScan);
    if (scan.count == 0)
        return text(kNoModuleFound);
    return {};
}

QString serialText(const SlotScan& scan, int position)
{
    const auto& serial = scan.serials[static_cast<size_t>(position)];
    return fieldText(serial.data(), serial.size());
}

int positionOfSerial(const SlotScan& scan, const QString& serial)
{
    for (int j = 0; j < scan.count; ++j) {
        if (serialText(scan, j) == serial)
            return j;
    }
    return -1;
}

ModuleSetup ReadyOpenModule(ModuleApi& module, uint16_t pldSource)
{
    ModuleSetup setup;
    uint8_t speed = 0;
    if (!module.QUERY_USB_SPEED(&speed)) {
        setup.failure = text(kCannotQueryUsbSpeed);
        return setup;
    }
    setup.speedKnown = true;
    setup.usbSpeed = speed;

    const auto readDescription = [&module, &setup] {
        if (!module.READ_MODULE_DESCRIPTION(&setup.description)) {
            setup.failure = text(kCannotDescribeModule);
            return false;
        }
        setup.described = true;
        return true;
    };
    // A named firmware file is chosen by the revision and grade the module
    // describes; otherwise the library loads its own.
    FirmwareChoice firmware = chooseFirmware(pldSource, 0, 0);
    if (pldSource == kPldFromNamedFile) {
        if (!readDescription())
            return setup;
        firmware = chooseFirmware(pldSource, setup.description.Revision, setup.description.Options);
    }
    if (!firmware.loadable || !module.LOAD_MODULE(firmware.fileName)) {
        setup.failure = firmware.failure;
        return setup;
    }
    if (!module.CHECK_FIRMWARE(0)) {
        setup.failure = text(kFirmwareNotLoaded);
        return setup;
    }
    if (!readDescription())
        return setup;
    if (!module.STOP_ACQUISITION())
        setup.failure = text(kCannotStopAcquisition);
    return setup;
}

OpenedModule OpenModule(
    DeviceLibrary& library, const QString& wantedSerial, uint16_t pldSource, const std::atomic<bool>* stop)
{
    OpenedModule opened;
    opened.module = LoadModuleInterface(&library, &opened.failure);
    if (!opened.module)
        return opened;
    ModuleApi& module = *opened.module;
    opened.scan = ScanSlots(module, stop, true);
    opened.failure = scanFailure(opened.scan);
    if (!opened.failure.isEmpty())
        return opened;
    opened.position = wantedSerial.isEmpty() ? 0 : positionOfSerial(opened.scan, wantedSerial);
    if (opened.position < 0) {
        opened.failure = text(kNoModuleFound);
        return opened;
    }
    opened.slot = opened.scan.slotNumbers[static_cast<size_t>(opened.position)];
    opened.serial = serialText(opened.scan, opened.position);
    if (!module.OPEN_SLOT(opened.slot)) {
        opened.failure = openSlotFailedMessage(opened.position);
        return opened;
    }
    const ModuleSetup setup = ReadyOpenModule(module, pldSource);
    opened.usbSpeed = setup.usbSpeed;
    opened.description = setup.description;
    if (!setup.failure.isEmpty()) {
        opened.failure = setup.failure;
        return opened;
    }
    if (setup.description.Revision == 'A') {
        opened.failure = text(kRevisionANotSupported);
        return opened;
    }
    opened.factoryCoeffs = coeffs::BuildFactoryCoeffs(setup.description);
    opened.ready = true;
    return opened;
}

} // namespace module_search
