#pragma once
// The device steps of a module search, without a window: obtaining the
// library's module interface, the scan of the bus, the choice by serial, and
// readying the chosen module (bus speed, firmware, description). The search
// thread runs them between its window steps; OpenModule runs them all in a
// row for a program with no window. Failures carry the search's own texts.

#include "coeffs/correction_coeffs.h"
#include "device/records.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

class DeviceLibrary;
class ModuleApi;

namespace module_search {

constexpr int kMaxModules = 16;

// Loads the library, checks its version and asks it for the module
// interface. Null, with the failure text, when any of these fails.
ModuleApi* LoadModuleInterface(DeviceLibrary* library, QString* failure);

// The modules on the bus, in slot order.
struct SlotScan {
    std::array<uint16_t, kMaxModules> slotNumbers {};
    std::array<std::array<char, 16>, kMaxModules> serials {};
    std::array<char, kMaxModules> revisions {};
    std::array<QString, kMaxModules> firmwareVersions {};
    // Bus speed of each module (QUERY_USB_SPEED), asked only when the scan
    // is told to; 0xFF when not asked or not answered.
    std::array<uint8_t, kMaxModules> usbSpeeds {};
    int count = 0;
    // False when a description could not be read: the scan ended there and
    // left that slot open.
    bool described = true;
};
// Opens, describes and closes every slot that holds a module; stops early
// when `stop` is raised.
SlotScan ScanSlots(ModuleApi& module, const std::atomic<bool>* stop, bool askUsbSpeed = false);
// The failure of a scan (kCannotDescribeModuleDuringScan, kNoModuleFound),
// empty when it found something to choose from.
QString scanFailure(const SlotScan& scan);
// The serial of list entry `position` as text.
QString serialText(const SlotScan& scan, int position);
// The list position of the first module with `serial`; -1 when none has it.
int positionOfSerial(const SlotScan& scan, const QString& serial);

// What readying the open module learned, even when a later step failed.
struct ModuleSetup {
    bool speedKnown = false;
    uint8_t usbSpeed = 0;
    bool described = false;
    ModuleDescription description {};
    // Empty when the firmware is loaded, checked, the description read and
    // the ADC stopped. The revision is not judged here.
    QString failure;
};
// Bus speed, the firmware by `pldSource` (0: the named file the revision and
// grade call for, else the library's own), the firmware check, the
// description, and a stop of the ADC.
ModuleSetup ReadyOpenModule(ModuleApi& module, uint16_t pldSource);

// A module opened and readied for measuring.
struct OpenedModule {
    // The interface, once the library gave one (the caller releases it
    // with RELEASE_INTERFACE); null when it did not.
    ModuleApi* module = nullptr;
    bool ready = false; // opened, firmware loaded, description read, revision fit
    SlotScan scan;
    int position = -1; // list position of the module opened
    uint16_t slot = 0;
    QString serial;
    uint8_t usbSpeed = 0;
    ModuleDescription description {};
    coeffs::CorrectionCoeffs factoryCoeffs {};
    QString failure; // the first failure, the window's text
};
// Everything a search does to a module, in one call: the interface, the scan
// (with each module's bus speed), the module with `wantedSerial` or else the
// first one, opening it, its firmware and description, the revision check
// and the factory coefficients.
OpenedModule OpenModule(
    DeviceLibrary& library, const QString& wantedSerial, uint16_t pldSource, const std::atomic<bool>* stop = nullptr);

} // namespace module_search
