// Opening a module with no window, on the simulated bus: the list of modules,
// the choice by serial, the firmware, and each failure in the window's words.
#include "simulated_bus_test.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

modlink_sim::ModuleConfig moduleConfig(const char* serial, const char* firmware, uint8_t usbSpeed)
{
    modlink_sim::ModuleConfig config;
    std::strcpy(config.serial, serial);
    std::strcpy(config.firmwareVersion, firmware);
    config.usbSpeed = usbSpeed;
    return config;
}

class ModuleOpeningTest : public SimulatedBusTest {
protected:
    void SetUp() override
    {
        SimulatedBusTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(sim->setModule(2, moduleConfig("A0000002", "2.07.15", 1)));
        ASSERT_TRUE(sim->setModule(9, moduleConfig("B0000009", "2.08.01", 0)));
        library = openSimulatedLibrary();
    }

    void open(const QString& serial, uint16_t pldSource = module_search::kPldFromLibrary)
    {
        closeOpened();
        opened = module_search::OpenModule(*library, serial, pldSource);
    }
};

TEST_F(ModuleOpeningTest, ListsEveryModuleAndOpensTheOneWanted)
{
    struct Case {
        const char* wanted;
        int slot;
    };
    for (const Case c : { Case { "", 2 }, Case { "B0000009", 9 } }) {
        SCOPED_TRACE(c.wanted);
        open(QString::fromLatin1(c.wanted));
        ASSERT_TRUE(opened.ready) << opened.failure.toStdString();
        EXPECT_EQ(opened.slot, c.slot);
        EXPECT_EQ(sim->openSlot(), c.slot);
        char firmware[64] = {};
        ASSERT_TRUE(sim->loadedFirmware(c.slot, firmware, sizeof firmware));
        EXPECT_STREQ(firmware, ""); // the library's own

        const module_search::SlotScan& scan = opened.scan;
        ASSERT_EQ(scan.count, 2);
        EXPECT_EQ(scan.slotNumbers[0], 2);
        EXPECT_EQ(scan.slotNumbers[1], 9);
        EXPECT_EQ(module_search::serialText(scan, 0), QStringLiteral("A0000002"));
        EXPECT_EQ(module_search::serialText(scan, 1), QStringLiteral("B0000009"));
        EXPECT_EQ(scan.revisions[1], 'B');
        EXPECT_EQ(scan.firmwareVersions[0], QStringLiteral("2.07.15"));
        EXPECT_EQ(scan.firmwareVersions[1], QStringLiteral("2.08.01"));
        EXPECT_EQ(scan.usbSpeeds[0], 1);
        EXPECT_EQ(scan.usbSpeeds[1], 0);
    }
}

// The factory coefficients are the description's: ADC entry r·4 + c.
TEST_F(ModuleOpeningTest, FactoryCoefficientsComeFromTheDescription)
{
    open(QStringLiteral("A0000002"));
    ASSERT_TRUE(opened.ready);
    ModuleDescription description {};
    ASSERT_TRUE(sim->moduleDescription(2, &description));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            // Copies: the packed records' fields cannot be bound to references.
            const double factoryOffset = opened.factoryCoeffs.AdcRaw[r][c].Offset;
            const double factoryScale = opened.factoryCoeffs.AdcRaw[r][c].Scale;
            const double offset = description.AdcOffsetCoefs[r * 4 + c];
            const double scale = description.AdcScaleCoefs[r * 4 + c];
            EXPECT_EQ(factoryOffset, offset);
            EXPECT_EQ(factoryScale, scale);
        }
    }
}

// Firmware source 0 loads the named file of a revision B industrial module.
TEST_F(ModuleOpeningTest, TheNamedFirmwareFitsRevisionAndGrade)
{
    open(QStringLiteral("A0000002"), 0);
    ASSERT_TRUE(opened.ready) << opened.failure.toStdString();
    char firmware[64] = {};
    ASSERT_TRUE(sim->loadedFirmware(2, firmware, sizeof firmware));
    EXPECT_STREQ(firmware, "Q4705mi.pld");
}

TEST_F(ModuleOpeningTest, FailuresGiveTheWindowsTexts)
{
    struct Case {
        const char* name;
        std::function<void(modlink_sim::SimControl&)> arrange;
        QString text;
    };
    const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
    const Case cases[] = {
        { "empty bus", [](modlink_sim::SimControl& s) { s.clearBus(); }, text(module_search::kNoModuleFound) },
        { "wrong version", [](modlink_sim::SimControl& s) { s.setLibraryVersion((3u << 16) | 5u); },
            module_search::wrongLibraryVersionMessage((3u << 16) | 5u) },
        { "no interface", [](modlink_sim::SimControl& s) { s.failOnce(modlink_sim::Op::GetModuleInterface); },
            text(module_search::kCannotGetInterface) },
        { "scan cannot describe",
            [](modlink_sim::SimControl& s) { s.failOnce(modlink_sim::Op::ReadModuleDescription); },
            text(module_search::kCannotDescribeModuleDuringScan) },
        { "firmware", [](modlink_sim::SimControl& s) { s.failOnce(modlink_sim::Op::LoadModule); },
            text(module_search::kCannotLoadOwnFirmware) },
        { "bus speed", [](modlink_sim::SimControl& s) { s.failAlways(modlink_sim::Op::QueryUsbSpeed); },
            text(module_search::kCannotQueryUsbSpeed) },
        { "revision A",
            [](modlink_sim::SimControl& s) {
                modlink_sim::ModuleConfig config = moduleConfig("A0000002", "2.07.15", 1);
                config.revision = 'A';
                s.setModule(2, config);
            },
            text(module_search::kRevisionANotSupported) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange(*sim);
        open(QString());
        EXPECT_FALSE(opened.ready);
        EXPECT_EQ(opened.failure, c.text);
        sim->clearFailures();
    }
}

} // namespace
