#include "bus_control.h"

#include "bench_file.h"
#include "device/module_api.h"
#include "sim_bus.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace modlink_sim {
namespace {

using Lock = std::lock_guard<std::mutex>;

bool isSlot(int slot)
{
    return slot >= 0 && slot < kSlotCount;
}

// A configuration the simulator can carry: empty texts get the defaults.
ModuleConfig completeConfig(int slot, const ModuleConfig& config)
{
    ModuleConfig complete = defaultModuleConfig(slot);
    if (strnlen(config.serial, 16) > 0)
        copyText(complete.serial, sizeof complete.serial, config.serial);
    if (strnlen(config.firmwareVersion, sizeof config.firmwareVersion - 1) > 0)
        copyText(complete.firmwareVersion, sizeof complete.firmwareVersion, config.firmwareVersion);
    complete.revision = config.revision;
    complete.options = config.options;
    complete.usbSpeed = config.usbSpeed;
    complete.hasDac = config.hasDac;
    return complete;
}

class BusControl final : public SimControl {
public:
    void resetToDefaults() override
    {
        BenchDescription bench = loadBench();
        Lock lock(bus().mutex());
        bus().faults().clearFailures();
        bus().faults().resetCallCounts();
        bus().setLibraryVersion(kRequiredLibraryVersion);
        bus().applyBench(bench);
    }

    void clearBus() override
    {
        Lock lock(bus().mutex());
        for (int slot = 0; slot < kSlotCount; ++slot)
            bus().replaceModule(slot, nullptr);
    }

    bool setModule(int slot, const ModuleConfig& config) override
    {
        if (!isSlot(slot))
            return false;
        ChannelSignal inputs[kChannelCount];
        defaultSignals(inputs);
        auto module = std::make_unique<SimModule>(completeConfig(slot, config), inputs);
        Lock lock(bus().mutex());
        bus().replaceModule(slot, std::move(module));
        return true;
    }

    bool removeModule(int slot) override
    {
        Lock lock(bus().mutex());
        if (!bus().module(slot))
            return false;
        bus().replaceModule(slot, nullptr);
        return true;
    }

    bool setSignal(int slot, int channel, const ChannelSignal& signal) override
    {
        if (channel < 0 || channel >= kChannelCount || !isValidSignal(signal))
            return false;
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module)
            return false;
        module->inputs[channel] = signal;
        return true;
    }

    void setLibraryVersion(uint32_t version) override
    {
        Lock lock(bus().mutex());
        bus().setLibraryVersion(version);
    }

    void setTimeScale(double scale) override
    {
        if (!std::isfinite(scale) || scale <= 0.0)
            return;
        Lock lock(bus().mutex());
        bus().setTimeScale(scale);
    }

    void setLoopback(bool enabled) override
    {
        Lock lock(bus().mutex());
        bus().setLoopback(enabled);
    }

    void failOnce(Op op, int skip) override
    {
        Lock lock(bus().mutex());
        bus().faults().failOnce(op, skip);
    }

    void failAlways(Op op, bool enabled) override
    {
        Lock lock(bus().mutex());
        bus().faults().failAlways(op, enabled);
    }

    void stallOnce(Op op, int milliseconds) override
    {
        Lock lock(bus().mutex());
        bus().faults().stallOnce(op, milliseconds);
    }

    void clearFailures() override
    {
        Lock lock(bus().mutex());
        bus().faults().clearFailures();
    }

    int callCount(Op op) const override
    {
        Lock lock(bus().mutex());
        return bus().faults().callCount(op);
    }

    void resetCallCounts() override
    {
        Lock lock(bus().mutex());
        bus().faults().resetCallCounts();
    }

    bool moduleDescription(int slot, ModuleDescription* out) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module || !out)
            return false;
        std::memcpy(out, &module->description, sizeof *out);
        return true;
    }

    bool setModuleDescription(int slot, const ModuleDescription& description) override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module)
            return false;
        std::memcpy(&module->description, &description, sizeof description);
        return true;
    }

    bool userFlash(int slot, UserFlashBlock* out) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module || !out)
            return false;
        *out = module->userFlash;
        return true;
    }

    bool setUserFlash(int slot, const UserFlashBlock& block) override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module)
            return false;
        module->userFlash = block;
        return true;
    }

    bool dacCode(int slot, int output, int16_t* code) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module || !code || output < 0 || output >= kDacOutputCount)
            return false;
        *code = module->dacCodes[output];
        return true;
    }

    bool lastAdcParameters(int slot, AdcParameters* out) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module || !out || !module->hasAdcParameters)
            return false;
        std::memcpy(out, &module->adcParameters, sizeof *out);
        return true;
    }

    bool loadedFirmware(int slot, char* name, int capacity) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        if (!module || !name || !module->firmwareLoaded || capacity <= static_cast<int>(module->firmwareName.size()))
            return false;
        copyText(name, capacity, module->firmwareName.c_str());
        return true;
    }

    int openSlot() const override
    {
        Lock lock(bus().mutex());
        return bus().mostRecentOpenSlot();
    }

    bool acquiring(int slot) const override
    {
        Lock lock(bus().mutex());
        SimModule* module = bus().module(slot);
        return module && module->stream().producing();
    }

    int outstandingRequests() const override
    {
        Lock lock(bus().mutex());
        return bus().outstandingReads();
    }

    void setStateFolder(const char* folder) override
    {
        Lock lock(bus().mutex());
        bus().setStateFolder(folder ? folder : "");
    }

    void useBenchStateFolder() override
    {
        BenchDescription bench = loadBench();
        Lock lock(bus().mutex());
        bus().useBenchStateFolder(bench);
    }

private:
    static SimBus& bus() { return SimBus::instance(); }
};

} // namespace

SimControl* busControl()
{
    static BusControl control;
    return &control;
}

} // namespace modlink_sim
