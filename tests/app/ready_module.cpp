#include "ready_module.h"

#include "mainform.h"

#include <cstring>
#include <gtest/gtest.h>

void placeFreshModule(modlink_sim::SimControl& sim, int slot, bool hasDac)
{
    sim.resetToDefaults();
    sim.clearBus();
    modlink_sim::ModuleConfig config;
    std::strcpy(config.serial, "7C0FF001");
    std::strcpy(config.firmwareVersion, "2.07.15");
    config.hasDac = hasDac;
    EXPECT_TRUE(sim.setModule(slot, config));
}

void makeModuleReady(TMainForm& form, int slot)
{
    ASSERT_TRUE(form.Library->load());
    form.Module = form.Library->GetModuleInterface(kModuleName);
    ASSERT_NE(form.Module, nullptr);
    ASSERT_TRUE(form.Module->OPEN_SLOT(static_cast<uint16_t>(slot)));
    ASSERT_TRUE(form.Module->LOAD_MODULE(nullptr));
    ASSERT_TRUE(form.Module->QUERY_USB_SPEED(&form.UsbSpeed));
    form.ModuleState = 2;
    ASSERT_TRUE(form.Module->READ_MODULE_DESCRIPTION(&form.Description));
    form.InitCoeffSets();
}
