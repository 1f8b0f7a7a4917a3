#include "search_fixture.h"

#include "settings/ini_file.h"
#include "support/sim_library.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabWidget>
#include <cstring>

void SearchTest::SetUp()
{
    sim = simControl();
    ASSERT_NE(sim, nullptr);
    sim->resetToDefaults();
    sim->clearFailures();
    WindowTest::SetUp();
}

void SearchTest::TearDown()
{
    WindowTest::TearDown();
    sim->clearFailures();
    sim->resetToDefaults();
}

modlink_sim::ModuleConfig SearchTest::moduleWith(const char* serial, char revision, uint8_t options)
{
    modlink_sim::ModuleConfig config;
    std::strncpy(config.serial, serial, sizeof config.serial - 1);
    config.revision = revision;
    config.options = options;
    std::strncpy(config.firmwareVersion, "2.07.15", sizeof config.firmwareVersion - 1);
    return config;
}

void SearchTest::placeOnly(int slot, const modlink_sim::ModuleConfig& config)
{
    sim->clearBus();
    ASSERT_TRUE(sim->setModule(slot, config));
}

QString SearchTest::settingsPath() const
{
    return form->SettingsPath;
}

void SearchTest::runSearch(bool firstStart)
{
    const int before = form->finishedSearchCount();
    if (firstStart)
        form->show();
    else
        form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == before + 1; }, 20000));
    ASSERT_TRUE(waitUntil([&] { return !form->InitThreadRunning; }));
}

QStringList SearchTest::moduleListItems() const
{
    QStringList items;
    for (int i = 0; i < form->ModulesComboBox->count(); ++i)
        items << form->ModulesComboBox->itemText(i);
    return items;
}

void SearchTest::expectControlsGivenBack()
{
    EXPECT_TRUE(form->FindDeviceLMDButton->isEnabled());
    EXPECT_TRUE(form->ModulesComboBox->isEnabled());
    EXPECT_TRUE(form->MainLMDPageControl->isEnabled());
    EXPECT_TRUE(form->MultimeterLMDTabSheet->isEnabled());
    EXPECT_EQ(form->SaveSettingsButton->isEnabled(), !form->AutoSaveSettingsLMDCheckBox->isChecked());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form->HandlerBusy);
}
