#pragma once
// The module interface of the device library. A client built against the
// maker's header calls operation k through virtual slot k, so the order of the
// virtual functions below is a binary contract: nothing virtual comes before
// slot 0 (no virtual destructor; the object is released through
// RELEASE_INTERFACE), and the slots the program never calls keep placeholders.

#include "device/records.h"
#include "device/usb_speed.h"

#include <cstdint>

class ModuleApi {
public:
    virtual bool OPEN_SLOT(uint16_t slot) = 0; // 0
    virtual bool CLOSE_SLOT() = 0; // 1
    virtual bool RELEASE_INTERFACE() = 0; // 2
    virtual platform::DeviceHandle QUERY_DEVICE_HANDLE() = 0; // 3, -1 = none
    virtual bool UnusedSlot4() = 0; // 4
    virtual bool QUERY_USB_SPEED(uint8_t* speed) = 0; // 5, UsbSpeedCode
    virtual bool UnusedSlot6() = 0; // 6
    virtual bool UnusedSlot7() = 0; // 7
    virtual bool LOAD_MODULE(const char* firmwareName) = 0; // 8, null = own firmware
    virtual bool CHECK_FIRMWARE(int32_t reserved) = 0; // 9
    virtual bool UnusedSlot10() = 0; // 10
    virtual bool WRITE_ADC_PARAMETERS(AdcParameters* parameters) = 0; // 11
    virtual bool START_ACQUISITION() = 0; // 12
    virtual bool STOP_ACQUISITION() = 0; // 13
    virtual bool CHECK_DATA_ERRORS(DataStatus* status) = 0; // 14
    virtual bool SUBMIT_READ_REQUEST(ReadRequest* request) = 0; // 15
    virtual bool WRITE_DAC_SAMPLE(int16_t* code, uint16_t channel) = 0; // 16
    virtual bool UnusedSlot17() = 0; // 17
    virtual bool UnusedSlot18() = 0; // 18
    virtual bool UnusedSlot19() = 0; // 19
    virtual bool USER_FLASH_WRITE_ACCESS(uint16_t allow) = 0; // 20, 1 = allow
    virtual bool READ_USER_FLASH(UserFlashBlock* block) = 0; // 21
    virtual bool WRITE_USER_FLASH(UserFlashBlock* block) = 0; // 22
    virtual bool READ_MODULE_DESCRIPTION(ModuleDescription* description) = 0; // 23
    virtual bool SAVE_MODULE_DESCRIPTION(ModuleDescription* description) = 0; // 24

protected:
    ~ModuleApi() = default;
};

// Version the program requires: 3.4, major number in the high 16 bits.
constexpr uint32_t kRequiredLibraryVersion = (3u << 16) | 4u;
constexpr const char* kModuleName = "q4705";

// The two functions the device library exports with C linkage.
extern "C" {
typedef uint32_t (*GetLibraryVersionFn)();
typedef ModuleApi* (*GetModuleInterfaceFn)(const char* moduleName);
}
