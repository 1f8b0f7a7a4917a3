// The simulated library as the module search and the coefficient page use it:
// loading, the bus scan, firmware, flash and the description record.
#include "sim_session.h"
#include "support/sim_library.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

using modlink_sim::Op;

TEST(ModlinkLoader, WrongVersionAndUnknownModuleName)
{
    auto control = simControl();
    ASSERT_NE(control, nullptr);
    control->resetToDefaults();
    auto library = openSimulatedLibrary();
    ASSERT_TRUE(library->load()) << library->errorText().toStdString();

    control->setLibraryVersion((3u << 16) | 5u);
    EXPECT_EQ(library->GetLibraryVersion(), (3u << 16) | 5u);
    control->resetToDefaults();
    EXPECT_EQ(library->GetLibraryVersion(), kRequiredLibraryVersion);

    EXPECT_EQ(library->GetModuleInterface("q4706"), nullptr);
    EXPECT_EQ(library->GetModuleInterface("Q4705"), nullptr);
    EXPECT_EQ(library->GetModuleInterface(""), nullptr);
    EXPECT_EQ(library->GetModuleInterface(nullptr), nullptr);

    control->failOnce(Op::GetModuleInterface);
    EXPECT_EQ(library->GetModuleInterface(kModuleName), nullptr);
    ModuleApi* api = library->GetModuleInterface(kModuleName);
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(control->callCount(Op::GetModuleInterface), 6);
    EXPECT_TRUE(api->RELEASE_INTERFACE());
}

TEST(ModlinkBus, ScanFindsTheDefaultModulesAndOneSlotIsOpenAtATime)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    std::set<std::string> serials;
    for (int slot = 0; slot < 16; ++slot) {
        bool opened = s.api->OPEN_SLOT(static_cast<uint16_t>(slot));
        EXPECT_EQ(opened, slot == 2 || slot == 5) << "slot " << slot;
        EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE() != platform::kInvalidDeviceHandle, opened);
        if (!opened)
            continue;
        EXPECT_EQ(s.control->openSlot(), slot);
        ModuleDescription d;
        ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&d));
        std::string serial(d.SerialNumber, strnlen(d.SerialNumber, sizeof d.SerialNumber));
        EXPECT_FALSE(serial.empty());
        serials.insert(serial);
        EXPECT_EQ(d.Revision, 'B');
        EXPECT_EQ(d.Options, 0x14);
        EXPECT_NE(uint32_t(d.DacPresent), 0u);
        EXPECT_GT(strnlen(d.FirmwareVersion, sizeof d.FirmwareVersion), 0u);
        uint8_t speed = 0;
        EXPECT_TRUE(s.api->QUERY_USB_SPEED(&speed));
        EXPECT_EQ(speed, 1);
        EXPECT_TRUE(s.api->CLOSE_SLOT());
        EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
        EXPECT_EQ(s.control->openSlot(), -1);
    }
    EXPECT_EQ(serials.size(), 2u);
    EXPECT_FALSE(s.api->OPEN_SLOT(16));
    EXPECT_FALSE(s.api->OPEN_SLOT(0xFFFF));

    // Opening another slot closes the one that was open.
    ASSERT_TRUE(s.api->OPEN_SLOT(2));
    ASSERT_TRUE(s.api->OPEN_SLOT(5));
    EXPECT_EQ(s.control->openSlot(), 5);
    EXPECT_FALSE(s.api->OPEN_SLOT(3));
    EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
}

TEST(ModlinkBus, CallsWithoutAnOpenSlotOrWithNullBuffersFail)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    EXPECT_FALSE(s.api->READ_MODULE_DESCRIPTION(nullptr));
    EXPECT_FALSE(s.api->SAVE_MODULE_DESCRIPTION(nullptr));
    EXPECT_FALSE(s.api->READ_USER_FLASH(nullptr));
    EXPECT_FALSE(s.api->WRITE_USER_FLASH(nullptr));
    EXPECT_FALSE(s.api->QUERY_USB_SPEED(nullptr));
    EXPECT_FALSE(s.api->CHECK_DATA_ERRORS(nullptr));
    EXPECT_FALSE(s.api->WRITE_ADC_PARAMETERS(nullptr));
    EXPECT_FALSE(s.api->SUBMIT_READ_REQUEST(nullptr));
    EXPECT_FALSE(s.api->WRITE_DAC_SAMPLE(nullptr, 0));
    EXPECT_FALSE(s.api->UnusedSlot4());
    EXPECT_FALSE(s.api->UnusedSlot19());

    ASSERT_TRUE(s.api->CLOSE_SLOT());
    EXPECT_FALSE(s.api->CLOSE_SLOT());
    ModuleDescription d;
    UserFlashBlock block {};
    uint8_t speed = 0;
    DataStatus status {};
    int16_t code = 0;
    EXPECT_FALSE(s.api->READ_MODULE_DESCRIPTION(&d));
    EXPECT_FALSE(s.api->READ_USER_FLASH(&block));
    EXPECT_FALSE(s.api->QUERY_USB_SPEED(&speed));
    EXPECT_FALSE(s.api->LOAD_MODULE(nullptr));
    EXPECT_FALSE(s.api->CHECK_FIRMWARE(0));
    EXPECT_FALSE(s.api->START_ACQUISITION());
    EXPECT_FALSE(s.api->STOP_ACQUISITION());
    EXPECT_FALSE(s.api->CHECK_DATA_ERRORS(&status));
    EXPECT_FALSE(s.api->WRITE_DAC_SAMPLE(&code, 0));
    EXPECT_FALSE(s.api->USER_FLASH_WRITE_ACCESS(1));
}

TEST(ModlinkFirmware, NamesMustFitRevisionAndGrade)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    struct Case {
        char revision;
        uint8_t options;
        const char* name;
        bool loads;
    };
    const Case cases[] = {
        { 'B', 0x14, nullptr, true },
        { 'B', 0x14, "Q4705mi.pld", true },
        { 'B', 0x14, "Q4705m.pld", false },
        { 'B', 0x14, "q4705.pld", false },
        { 'B', 0x10, "Q4705m.pld", true },
        { 'B', 0x10, "Q4705mi.pld", false },
        { 'B', 0x18, "Q4705mi.pld", false },
        { 'B', 0x18, nullptr, true },
        { 'A', 0x14, "q4705.pld", true },
        { 'A', 0x14, "Q4705mi.pld", false },
        { 'B', 0x14, "", false },
        { 'B', 0x14, "Q4705mi.pld ", false },
        { 'B', 0x14, "other.pld", false },
    };
    for (const Case& c : cases) {
        modlink_sim::ModuleConfig config;
        config.revision = c.revision;
        config.options = c.options;
        ASSERT_TRUE(s.control->setModule(3, config));
        ASSERT_TRUE(s.api->OPEN_SLOT(3));
        SCOPED_TRACE(std::string(1, c.revision) + " " + std::to_string(c.options) + " " + (c.name ? c.name : "null"));
        EXPECT_FALSE(s.api->CHECK_FIRMWARE(0));
        EXPECT_EQ(s.api->LOAD_MODULE(c.name), c.loads);
        EXPECT_EQ(s.api->CHECK_FIRMWARE(0), c.loads);
        char name[32];
        EXPECT_EQ(s.control->loadedFirmware(3, name, sizeof name), c.loads);
        if (c.loads) {
            EXPECT_STREQ(name, c.name ? c.name : "");
        }
    }

    s.control->failOnce(Op::LoadModule);
    EXPECT_FALSE(s.api->LOAD_MODULE(nullptr));
    EXPECT_TRUE(s.api->LOAD_MODULE(nullptr));
}

TEST(ModlinkFlash, UserFlashIsBlankAndWritableOnlyWithAccess)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    UserFlashBlock block;
    ASSERT_TRUE(s.api->READ_USER_FLASH(&block));
    for (uint8_t byte : block.Bytes)
        ASSERT_EQ(byte, 0xFF);

    UserFlashBlock written;
    for (int i = 0; i < 512; ++i)
        written.Bytes[i] = static_cast<uint8_t>(i * 7);
    EXPECT_FALSE(s.api->WRITE_USER_FLASH(&written));
    EXPECT_FALSE(s.api->USER_FLASH_WRITE_ACCESS(2));
    EXPECT_TRUE(s.api->USER_FLASH_WRITE_ACCESS(1));
    EXPECT_TRUE(s.api->WRITE_USER_FLASH(&written));
    EXPECT_TRUE(s.api->USER_FLASH_WRITE_ACCESS(0));
    EXPECT_FALSE(s.api->WRITE_USER_FLASH(&block));

    UserFlashBlock readBack;
    ASSERT_TRUE(s.api->READ_USER_FLASH(&readBack));
    EXPECT_TRUE(sameBytes(readBack.Bytes, written.Bytes, 512));
    ASSERT_TRUE(s.control->userFlash(2, &readBack));
    EXPECT_TRUE(sameBytes(readBack.Bytes, written.Bytes, 512));

    // The other module's flash is its own.
    ASSERT_TRUE(s.api->OPEN_SLOT(5));
    ASSERT_TRUE(s.api->READ_USER_FLASH(&readBack));
    EXPECT_EQ(readBack.Bytes[0], 0xFF);
}

TEST(ModlinkFlash, DescriptionIsKeptByteForByte)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    ModuleDescription d;
    ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&d));
    auto* bytes = reinterpret_cast<uint8_t*>(&d);
    for (size_t i = 0; i < sizeof d; i += 13)
        bytes[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(s.api->SAVE_MODULE_DESCRIPTION(&d));
    ModuleDescription readBack;
    ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&readBack));
    EXPECT_TRUE(sameBytes(&readBack, &d, sizeof d));
}

TEST(ModlinkRecords, DescriptionFieldsLieAtTheirOffsets)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    ModuleDescription d;
    ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&d));
    const auto* raw = reinterpret_cast<const uint8_t*>(&d);
    auto doubleAt = [raw](size_t offset) {
        double value;
        std::memcpy(&value, raw + offset, sizeof value);
        return value;
    };
    EXPECT_STREQ(reinterpret_cast<const char*>(raw + 25), "Q47-05");
    EXPECT_EQ(raw[66], 'B');
    EXPECT_EQ(raw[67], 0x14);
    EXPECT_STREQ(reinterpret_cast<const char*>(raw + 1599), "2.07.15");
    uint32_t dacPresent;
    std::memcpy(&dacPresent, raw + 4518, sizeof dacPresent);
    EXPECT_EQ(dacPresent, 1u);
    // Factory coefficients: close to identity but not exactly.
    for (int i = 0; i < 12; ++i) {
        double offset = doubleAt(2214 + 8 * i);
        double scale = doubleAt(3238 + 8 * i);
        EXPECT_LE(std::abs(offset), 8.0);
        EXPECT_NEAR(scale, 1.0, 0.011);
        EXPECT_NE(scale, 1.0);
    }
    for (int k = 0; k < 2; ++k) {
        EXPECT_LE(std::abs(doubleAt(4547 + 8 * k)), 8.0);
        EXPECT_NEAR(doubleAt(5571 + 8 * k), 1.0, 0.011);
    }

    // The same serial gives the same coefficients; another serial others.
    ModuleDescription again;
    s.control->resetToDefaults();
    ASSERT_TRUE(s.control->moduleDescription(2, &again));
    EXPECT_TRUE(sameBytes(&again, &d, sizeof d));
    ASSERT_TRUE(s.control->moduleDescription(5, &again));
    EXPECT_FALSE(sameBytes(again.AdcOffsetCoefs, d.AdcOffsetCoefs, sizeof d.AdcOffsetCoefs));
}

TEST(ModlinkRecords, AcceptedRatesAreWrittenBackAtTheirOffsets)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    AdcParameters p = makeAdcParameters(s.api, { 0, 1, 3 }, 0, 400.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    const auto* raw = reinterpret_cast<const uint8_t*>(&p);
    double adcRate;
    double kadrRate;
    std::memcpy(&adcRate, raw + 557, sizeof adcRate);
    std::memcpy(&kadrRate, raw + 573, sizeof kadrRate);
    EXPECT_DOUBLE_EQ(adcRate, 30000.0 / 75);
    EXPECT_DOUBLE_EQ(kadrRate, adcRate / 3);
    AdcParameters kept;
    ASSERT_TRUE(s.control->lastAdcParameters(2, &kept));
    EXPECT_TRUE(sameBytes(&kept, &p, sizeof p));
}

TEST(ModlinkInterface, ReleaseClosesTheSlotAndInterfacesAreIndependent)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    ModuleApi* other = s.library->GetModuleInterface(kModuleName);
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, s.api);
    ASSERT_TRUE(other->OPEN_SLOT(5));
    EXPECT_NE(other->QUERY_DEVICE_HANDLE(), s.api->QUERY_DEVICE_HANDLE());
    EXPECT_TRUE(other->RELEASE_INTERFACE());
    EXPECT_EQ(s.control->openSlot(), 2);

    // A module taken off the bus is no longer open on the interface.
    ASSERT_TRUE(s.control->removeModule(2));
    EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
    EXPECT_FALSE(s.api->OPEN_SLOT(2));
    EXPECT_FALSE(s.control->removeModule(2));
}

TEST(ModlinkControl, InjectedFailuresHitTheChosenCall)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    s.control->resetCallCounts();
    UserFlashBlock block;
    s.control->failOnce(Op::ReadUserFlash, 2);
    EXPECT_TRUE(s.api->READ_USER_FLASH(&block));
    EXPECT_TRUE(s.api->READ_USER_FLASH(&block));
    EXPECT_FALSE(s.api->READ_USER_FLASH(&block));
    EXPECT_TRUE(s.api->READ_USER_FLASH(&block));
    EXPECT_EQ(s.control->callCount(Op::ReadUserFlash), 4);

    s.control->failAlways(Op::QueryDeviceHandle);
    EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
    EXPECT_EQ(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
    s.control->failAlways(Op::QueryDeviceHandle, false);
    EXPECT_NE(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);

    s.control->failAlways(Op::OpenSlot);
    EXPECT_FALSE(s.api->OPEN_SLOT(5));
    s.control->clearFailures();
    EXPECT_TRUE(s.api->OPEN_SLOT(5));

    // Out-of-range operations and slots are refused without harm.
    s.control->failOnce(static_cast<Op>(-1));
    s.control->failAlways(Op::Count);
    EXPECT_EQ(s.control->callCount(Op::Count), 0);
    EXPECT_FALSE(s.control->setModule(16, modlink_sim::ModuleConfig()));
    EXPECT_FALSE(s.control->setSignal(2, 4, modlink_sim::ChannelSignal()));
    EXPECT_FALSE(s.control->setSignal(7, 0, modlink_sim::ChannelSignal()));
    int16_t code;
    EXPECT_FALSE(s.control->dacCode(2, 2, &code));
}
