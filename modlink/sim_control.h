#pragma once
// Control interface of the simulated device library, outside ModuleApi. Tests
// and benchmarks resolve the exported function ModlinkSimControl from the same
// loaded library the program uses, so they set up the very bus the program
// sees: modules, signals, version, time scale and injected failures.

#include "device/records.h"

#include <cstdint>

namespace modlink_sim {

// Every operation that can be made to fail.
enum class Op : int {
    GetModuleInterface,
    OpenSlot,
    CloseSlot,
    ReleaseInterface,
    QueryDeviceHandle,
    QueryUsbSpeed,
    LoadModule,
    CheckFirmware,
    WriteAdcParameters,
    StartAcquisition,
    StopAcquisition,
    CheckDataErrors,
    SubmitReadRequest,
    WriteDacSample,
    UserFlashWriteAccess,
    ReadUserFlash,
    WriteUserFlash,
    ReadModuleDescription,
    SaveModuleDescription,
    CancelIo,
    Count
};

constexpr int kSlotCount = 16;
constexpr int kChannelCount = 4;

struct ModuleConfig {
    char serial[17] = {}; // at most 16 characters
    char revision = 'B';
    uint8_t options = 0x14; // filter 1.25 MHz, hardware and firmware grade industrial
    uint8_t usbSpeed = 1; // 1 = high speed, 0 = full speed
    bool hasDac = true;
    char firmwareVersion[32] = {}; // e.g. "2.07.15"
};

// An input signal in volts: dc + amplitude * sin(2 pi frequency t) + noise.
struct ChannelSignal {
    double dc = 0.0;
    double amplitude = 0.0;
    double frequencyHz = 0.0;
    double noiseRms = 0.0;
};

class SimControl {
public:
    // The default bench: the bench file if there is one, else two modules in
    // slots 2 and 5 with the default signals; version 3.4; time scale 1; no
    // failures armed. Interfaces already handed out stay valid.
    virtual void resetToDefaults() = 0;
    // Removes every module from the bus.
    virtual void clearBus() = 0;
    // Puts a fresh module (blank user flash, factory coefficients near
    // identity) into `slot`; false for a slot outside 0..15.
    virtual bool setModule(int slot, const ModuleConfig& config) = 0;
    virtual bool removeModule(int slot) = 0;
    virtual bool setSignal(int slot, int channel, const ChannelSignal& signal) = 0;
    virtual void setLibraryVersion(uint32_t version) = 0;
    // Pacing runs `scale` times faster than real time (scale >= 1 speeds up).
    virtual void setTimeScale(double scale) = 0;
    // Feeds DAC outputs 0 and 1 to ADC channels 0 and 1 (1 and 2 to the user).
    virtual void setLoopback(bool enabled) = 0;

    // The call after the next `skip` calls of `op` fails, once.
    virtual void failOnce(Op op, int skip = 0) = 0;
    // Every call of `op` fails until cleared.
    virtual void failAlways(Op op, bool enabled = true) = 0;
    // The next call of `op` waits `milliseconds` (at most 10 s) before it
    // runs, as a caller held up elsewhere would; other calls go on meanwhile.
    virtual void stallOnce(Op op, int milliseconds) = 0;
    // Disarms every injected failure and stall.
    virtual void clearFailures() = 0;
    // Calls of `op` since the last resetToDefaults or resetCallCounts.
    virtual int callCount(Op op) const = 0;
    virtual void resetCallCounts() = 0;

    // Inspection of the simulated modules.
    virtual bool moduleDescription(int slot, ModuleDescription* out) const = 0;
    virtual bool setModuleDescription(int slot, const ModuleDescription& description) = 0;
    virtual bool userFlash(int slot, UserFlashBlock* out) const = 0;
    virtual bool setUserFlash(int slot, const UserFlashBlock& block) = 0;
    virtual bool dacCode(int slot, int output, int16_t* code) const = 0;
    virtual bool lastAdcParameters(int slot, AdcParameters* out) const = 0;
    // Firmware name of the last successful LOAD_MODULE ("" for the library's
    // own firmware), or false when none was loaded.
    virtual bool loadedFirmware(int slot, char* name, int capacity) const = 0;
    // Slot opened by the most recent OPEN_SLOT that is still open, else -1.
    virtual int openSlot() const = 0;
    // True while the ADC of `slot` produces samples.
    virtual bool acquiring(int slot) const = 0;
    // Read requests submitted and not yet completed, over all interfaces.
    virtual int outstandingRequests() const = 0;

    // Where the modules keep their user flash and saved description from now
    // on, over the bench's `state`: a folder, or null to keep them in memory
    // only. It holds until changed again, across resetToDefaults. The modules
    // on the bus start again from it as after a restart of the program:
    // firmware not loaded, flash and description as kept there (blank and
    // factory-made when nothing is), and interfaces lose their open slot.
    virtual void setStateFolder(const char* folder) = 0;
    // Gives the choice back to the bench file (its `state`, else the default
    // folder) and starts the modules again from there, as setStateFolder does.
    virtual void useBenchStateFolder() = 0;

protected:
    ~SimControl() = default;
};

} // namespace modlink_sim

extern "C" {
typedef modlink_sim::SimControl* (*ModlinkSimControlFn)();
}
