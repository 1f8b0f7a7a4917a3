#pragma once
// A test on the simulated bus with no window: the bus starts empty, and the
// module a test opens is closed and the library reset after it.

#include "device/device_library.h"
#include "device/module_api.h"
#include "support/sim_library.h"
#include "threads/module_opening.h"

#include <gtest/gtest.h>
#include <memory>

class SimulatedBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = simControl();
        ASSERT_NE(sim, nullptr);
        sim->resetToDefaults();
        sim->clearBus();
    }

    void TearDown() override
    {
        closeOpened();
        if (sim) {
            sim->clearFailures();
            sim->resetToDefaults();
        }
    }

    void closeOpened()
    {
        if (opened.module) {
            opened.module->CLOSE_SLOT();
            opened.module->RELEASE_INTERFACE();
            opened.module = nullptr;
        }
    }

    modlink_sim::SimControl* sim = nullptr;
    std::unique_ptr<DeviceLibrary> library;
    module_search::OpenedModule opened;
};
