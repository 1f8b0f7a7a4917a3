// Saving the settings the user can change on screen: on the Save button, on
// the menu items and, with auto-save on, when the window closes. A key is
// written only from a control that holds a value, applied from the file or
// chosen by the user since: a disabled rate or DAC field (no module ready, no
// DAC), channel controls a search has emptied or never filled, and a module
// list entry no search readied leave their keys as the file has them.

#include "mainform.h"

#include "entry/number_text.h"
#include "frames/q4705_adc_channel_frame.h"
#include "handler_scope.h"
#include "platform/message_seam.h"
#include "settings/channel_control_settings.h"
#include "settings/ini_file.h"
#include "settings/setting_access.h"
#include "threads/module_search_rules.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <new>

namespace {

const char* const kSaveCaption = "ОШИБКА SaveIniFile()!!!";
// How long the Save button stays disabled after a save, so a double click
// saves once.
constexpr int kSaveButtonPauseMs = 500;

settings::ChannelChoice choiceOf(
    QComboBox* group, const std::array<TQ4705AdcChannelFrame*, 4>& frames, QComboBox* TQ4705AdcChannelFrame::*box)
{
    settings::ChannelChoice choice;
    choice.group = group->currentIndex();
    for (int c = 0; c < settings::kAdcChannelCount; ++c)
        choice.channel[c] = (frames[c]->*box)->currentIndex();
    return choice;
}

} // namespace

void TMainForm::ConnectSettingsHandlers()
{
    connect(AutoSaveSettingsLMDCheckBox, &QCheckBox::toggled, this, [this] { AutoSaveSettingsLMDCheckBoxChange(); });
    connect(SaveSettingsButton, &QPushButton::clicked, this, [this] { SaveSettingsButtonClick(); });
}

void TMainForm::AutoSaveSettingsLMDCheckBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    AutoSaveSettingHeld = true;
    SaveSettingsButton->setEnabled(!AutoSaveSettingsLMDCheckBox->isChecked());
}

// The button gets back the state it had, so a save from the menu leaves it
// disabled while auto-save is on.
void TMainForm::SaveSettingsButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    const bool wasEnabled = SaveSettingsButton->isEnabled();
    SaveSettingsButton->setEnabled(false);
    SaveIniFile(SettingsPath);
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < kSaveButtonPauseMs)
        sleepAndDispatch();
    SaveSettingsButton->setEnabled(wasEnabled);
}

void TMainForm::SaveCurrentSettingsClick()
{
    SaveSettingsButtonClick();
}

void TMainForm::SaveDefaultSettingsClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    CreateDefaultIniFile(SettingsPath);
}

void TMainForm::ReleaseSettingsFile()
{
    SettingsFile.reset();
}

void TMainForm::SaveIniFile(const QString& path)
{
    SettingsFile.reset();
    if (!SettingsFileUnread) {
        try {
            SettingsFile = std::make_unique<settings::IniFile>(path);
        } catch (const std::bad_alloc&) {
        }
    }
    settings::IniFile* file = SettingsFile.get();
    const bool appWritten = file && WriteAppSettings(*file);
    const bool moduleWritten = file && WriteModuleSettings(*file);
    // One replacement of the whole file carries both parts; when it fails,
    // the file on disk is the old one and neither part is saved.
    const bool flushed = file && file->flush();
    if (!appWritten || !flushed)
        platform::showMessage(QStringLiteral("Не могу сохранить файл настроек приложения!"),
            QString::fromUtf8(kSaveCaption), platform::MessageIcon::Information);
    if (!moduleWritten || !flushed)
        platform::showMessage(QStringLiteral("Не могу сохранить файл настроек модуля!"),
            QString::fromUtf8(kSaveCaption), platform::MessageIcon::Information);
}

bool TMainForm::WriteAppSettings(settings::IniFile& file)
{
    bool ok = true;
    if (AutoSaveSettingHeld)
        ok = settings::write(file, settings::AutoSaveSettingsKey, AutoSaveSettingsLMDCheckBox->isChecked());
    ok = ok && settings::write(file, settings::MainPanelTopKey, y())
        && settings::write(file, settings::MainPanelLeftKey, x());
    const int selected = ModulesComboBox->currentIndex();
    if (ok && ModuleSelectionHeld && selected >= 0 && selected < static_cast<int>(ModuleSerials.size())) {
        const auto& serial = ModuleSerials[static_cast<size_t>(selected)];
        ok = settings::write(
            file, settings::ModuleSerialNumberKey, module_search::fieldText(serial.data(), serial.size()));
    }
    return ok;
}

bool TMainForm::WriteModuleSettings(settings::IniFile& file)
{
    bool ok = true;
    if (AdcRateLMDEdit->isEnabled())
        ok = settings::write(file, settings::AdcRateKey, AdcRateHz * 0.001);
    if (ChannelSettingsHeld)
        ok = ok && WriteChannelSettings(file);

    // A field that holds no number has no level to store; its key keeps the
    // level stored before.
    for (int output = 0; ok && output < static_cast<int>(DacEdits.size()); ++output) {
        const QLineEdit* edit = DacEdits[output];
        const std::optional<double> volts = edit->isEnabled() ? entry::textToNumber(edit->text()) : std::nullopt;
        if (volts)
            ok = settings::write(file, settings::DacAmplitudeKey, *volts, settings::dacAmplitudeKeyName(output + 1));
    }
    return ok;
}

bool TMainForm::WriteChannelSettings(settings::IniFile& file)
{
    settings::ChannelControlSettings controls;
    // The grey state (channels differ) counts as not checked.
    controls.groupEnabled = AllChannelsLMDCheckBox->checkState() == Qt::Checked;
    for (int c = 0; c < settings::kAdcChannelCount; ++c)
        controls.enabled[c] = ChannelFrames[c]->ChannelNumberLMDCheckBox->isChecked();
    controls.inputRange
        = choiceOf(AllInputRangeLMDComboBox, ChannelFrames, &TQ4705AdcChannelFrame::InputRangeLMDComboBox);
    controls.connectionMode = choiceOf(
        CommonInputConnectionModeLMDComboBox, ChannelFrames, &TQ4705AdcChannelFrame::InputConnectionModeLMDComboBox);
    controls.parType
        = choiceOf(CommonMeasuringMethodLMDComboBox, ChannelFrames, &TQ4705AdcChannelFrame::ParTypeLMDComboBox);
    return settings::writeChannelControlSettings(file, controls);
}
