// A client built against the maker's header calls operation k through
// virtual slot k; this checks the slot order through the raw table.
#include "device/module_api.h"

#include <gtest/gtest.h>

namespace {

class SlotRecorder final : public ModuleApi {
public:
    int called = -1;
    bool OPEN_SLOT(uint16_t) override { return hit(0); }
    bool CLOSE_SLOT() override { return hit(1); }
    bool RELEASE_INTERFACE() override { return hit(2); }
    platform::DeviceHandle QUERY_DEVICE_HANDLE() override { return hit(3); }
    bool UnusedSlot4() override { return hit(4); }
    bool QUERY_USB_SPEED(uint8_t*) override { return hit(5); }
    bool UnusedSlot6() override { return hit(6); }
    bool UnusedSlot7() override { return hit(7); }
    bool LOAD_MODULE(const char*) override { return hit(8); }
    bool CHECK_FIRMWARE(int32_t) override { return hit(9); }
    bool UnusedSlot10() override { return hit(10); }
    bool WRITE_ADC_PARAMETERS(AdcParameters*) override { return hit(11); }
    bool START_ACQUISITION() override { return hit(12); }
    bool STOP_ACQUISITION() override { return hit(13); }
    bool CHECK_DATA_ERRORS(DataStatus*) override { return hit(14); }
    bool SUBMIT_READ_REQUEST(ReadRequest*) override { return hit(15); }
    bool WRITE_DAC_SAMPLE(int16_t*, uint16_t) override { return hit(16); }
    bool UnusedSlot17() override { return hit(17); }
    bool UnusedSlot18() override { return hit(18); }
    bool UnusedSlot19() override { return hit(19); }
    bool USER_FLASH_WRITE_ACCESS(uint16_t) override { return hit(20); }
    bool READ_USER_FLASH(UserFlashBlock*) override { return hit(21); }
    bool WRITE_USER_FLASH(UserFlashBlock*) override { return hit(22); }
    bool READ_MODULE_DESCRIPTION(ModuleDescription*) override { return hit(23); }
    bool SAVE_MODULE_DESCRIPTION(ModuleDescription*) override { return hit(24); }

private:
    bool hit(int slot)
    {
        called = slot;
        return true;
    }
};

// Calls slot k the way a client compiled elsewhere would: through the table.
void callSlot(ModuleApi* api, int slot)
{
    using AnySlot = bool (*)(ModuleApi*);
    AnySlot* table = *reinterpret_cast<AnySlot**>(api);
    table[slot](api);
}

} // namespace

TEST(ModuleApiSlots, OperationKIsVirtualSlotK)
{
    SlotRecorder recorder;
    for (int slot = 0; slot <= 24; ++slot) {
        if (slot == 3)
            continue; // returns a handle, not a bool; covered by its neighbours
        callSlot(&recorder, slot);
        EXPECT_EQ(recorder.called, slot);
    }
}
