#include "multimeter_window.h"

#include "app/ready_module.h"
#include "frames/q4705_adc_channel_frame.h"
#include "settings/ini_file.h"
#include "support/sim_library.h"
#include "threads/init_and_config_thread.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

const QString kModuleSection = QStringLiteral("Модуль Q47-05");

void MultimeterWindowTest::SetUp()
{
    sim = simControl();
    ASSERT_NE(sim, nullptr);
    sim->clearFailures();
    WindowTest::SetUp();
}

void MultimeterWindowTest::TearDown()
{
    WindowTest::TearDown();
    sim->clearFailures();
    sim->resetToDefaults();
}

void MultimeterWindowTest::applySettingsAsSearch(bool moduleHasDac)
{
    placeFreshModule(*sim, kSlot, moduleHasDac);
    makeModuleReady(*form, kSlot);
    ASSERT_FALSE(HasFailure());
    if (!QFile::exists(form->SettingsPath)) {
        ASSERT_TRUE(form->CreateDefaultIniFile(form->SettingsPath));
    }
    // The search disables the whole page before it applies the settings.
    form->HandlerBusy = true;
    form->SetEnabledRecursively(form->MainLMDSimplePanel, false);
    form->HandlerBusy = false;
    settings::IniFile file(form->SettingsPath);
    ASSERT_TRUE(form->ReadIniFile(&file));

    // A search whose only step is its finishing step.
    form->searchSteps = [] {};
    const int finished = form->finishedSearchCount();
    form->StartInitDevicesThread(kSearchOpenAndConfigure, false);
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == finished + 1 && !form->InitThreadRunning; }));
    ASSERT_FALSE(form->HandlerBusy);
    sim->resetCallCounts();
}

QCheckBox* MultimeterWindowTest::channelBox(int channel) const
{
    return frame(channel)->ChannelNumberLMDCheckBox;
}

void MultimeterWindowTest::type(QLineEdit* field, const QString& text)
{
    // Key_unknown with the character's text also types Cyrillic letters.
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void MultimeterWindowTest::setFieldText(QLineEdit* field, const QString& text, int caret)
{
    form->HandlerBusy = true;
    field->setText(text);
    field->setCursorPosition(caret);
    form->HandlerBusy = false;
}

QString MultimeterWindowTest::fileValue(const QString& section, const QString& key) const
{
    settings::IniFile file(form->SettingsPath);
    return file.readString(section, key, QStringLiteral("<missing>"));
}
