#pragma once
// A module interface that succeeds at everything and hands out a device
// handle; it records its release and what the window's threads looked like
// at that moment.

#include "device/module_api.h"

#include <functional>

class FakeModule final : public ModuleApi {
public:
    int releaseCount = 0;
    // Called inside RELEASE_INTERFACE.
    std::function<void()> onRelease;
    // Called inside WRITE_ADC_PARAMETERS, to answer as a module would.
    std::function<void(AdcParameters*)> onWriteAdcParameters;
    platform::DeviceHandle handle = 1;

    bool OPEN_SLOT(uint16_t) override { return true; }
    bool CLOSE_SLOT() override { return true; }
    bool RELEASE_INTERFACE() override
    {
        ++releaseCount;
        if (onRelease)
            onRelease();
        return true;
    }
    platform::DeviceHandle QUERY_DEVICE_HANDLE() override { return handle; }
    bool UnusedSlot4() override { return false; }
    bool QUERY_USB_SPEED(uint8_t* speed) override
    {
        *speed = 1;
        return true;
    }
    bool UnusedSlot6() override { return false; }
    bool UnusedSlot7() override { return false; }
    bool LOAD_MODULE(const char*) override { return true; }
    bool CHECK_FIRMWARE(int32_t) override { return true; }
    bool UnusedSlot10() override { return false; }
    bool WRITE_ADC_PARAMETERS(AdcParameters* parameters) override
    {
        if (onWriteAdcParameters)
            onWriteAdcParameters(parameters);
        return true;
    }
    bool START_ACQUISITION() override { return true; }
    bool STOP_ACQUISITION() override { return true; }
    bool CHECK_DATA_ERRORS(DataStatus*) override { return true; }
    bool SUBMIT_READ_REQUEST(ReadRequest*) override { return true; }
    bool WRITE_DAC_SAMPLE(int16_t*, uint16_t) override { return true; }
    bool UnusedSlot17() override { return false; }
    bool UnusedSlot18() override { return false; }
    bool UnusedSlot19() override { return false; }
    bool USER_FLASH_WRITE_ACCESS(uint16_t) override { return true; }
    bool READ_USER_FLASH(UserFlashBlock*) override { return true; }
    bool WRITE_USER_FLASH(UserFlashBlock*) override { return true; }
    bool READ_MODULE_DESCRIPTION(ModuleDescription*) override { return true; }
    bool SAVE_MODULE_DESCRIPTION(ModuleDescription*) override { return true; }
};
