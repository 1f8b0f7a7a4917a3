#pragma once
// The module interface handed out by GetModuleInterface("q4705"): the
// operations of ModuleApi over the shared bus, and the device object behind
// the handle QUERY_DEVICE_HANDLE gives out, so CancelIo reaches this
// interface's reads. Every call takes the bus lock, so the job thread and the
// user-interface thread may call at the same time.

#include "device/module_api.h"
#include "platform/overlapped.h"
#include "sim_control.h"

#include <cstdint>
#include <mutex>

namespace modlink_sim {

class SimBus;
class SimModule;

class SimModuleInterface final : public ModuleApi, public platform::IoDevice {
public:
    explicit SimModuleInterface(SimBus& bus)
        : bus_(bus)
    {
    }
    ~SimModuleInterface() = default;

    bool OPEN_SLOT(uint16_t slot) override;
    bool CLOSE_SLOT() override;
    bool RELEASE_INTERFACE() override;
    platform::DeviceHandle QUERY_DEVICE_HANDLE() override;
    bool UnusedSlot4() override { return false; }
    bool QUERY_USB_SPEED(uint8_t* speed) override;
    bool UnusedSlot6() override { return false; }
    bool UnusedSlot7() override { return false; }
    bool LOAD_MODULE(const char* firmwareName) override;
    bool CHECK_FIRMWARE(int32_t reserved) override;
    bool UnusedSlot10() override { return false; }
    bool WRITE_ADC_PARAMETERS(AdcParameters* parameters) override;
    bool START_ACQUISITION() override;
    bool STOP_ACQUISITION() override;
    bool CHECK_DATA_ERRORS(DataStatus* status) override;
    bool SUBMIT_READ_REQUEST(ReadRequest* request) override;
    bool WRITE_DAC_SAMPLE(int16_t* code, uint16_t channel) override;
    bool UnusedSlot17() override { return false; }
    bool UnusedSlot18() override { return false; }
    bool UnusedSlot19() override { return false; }
    bool USER_FLASH_WRITE_ACCESS(uint16_t allow) override;
    bool READ_USER_FLASH(UserFlashBlock* block) override;
    bool WRITE_USER_FLASH(UserFlashBlock* block) override;
    bool READ_MODULE_DESCRIPTION(ModuleDescription* description) override;
    bool SAVE_MODULE_DESCRIPTION(ModuleDescription* description) override;

    // Completes every read of this interface as cancelled, synchronously.
    // Taking the bus lock also waits for a completion in progress, so once it
    // returns the program may free its records and events.
    bool CancelIo() override;

    // With the bus lock held:
    int openSlot() const { return slot_; }
    uint64_t openSequence() const { return openSequence_; }
    // The module left the bus: the interface has no slot open any more.
    void forgetSlot() { slot_ = -1; }

private:
    // Counts the call; false when an injected failure applies to it. An
    // injected stall waits first, with `lock` (the bus lock) released.
    bool admitted(Op op, std::unique_lock<std::mutex>& lock);
    // The module of the open slot, or null.
    SimModule* openModule();
    void closeSlot();

    SimBus& bus_;
    int slot_ = -1;
    uint64_t openSequence_ = 0;
};

} // namespace modlink_sim
