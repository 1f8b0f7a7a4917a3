// The preparation and the finishing step of a module search, and the two
// steps between them that work on the settings file alone: restoring the
// window position and applying the stored settings. All of them run on the
// user-interface thread.

#include "mainform.h"
#include "platform/message_seam.h"
#include "settings/file_replace.h"
#include "settings/ini_file.h"
#include "settings/setting_access.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"
#include "threads/settings_file_messages.h"
#include "widgets/design_colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <new>

void TInitAndConfigThread::withHandlerBusy(const std::function<void()>& work)
{
    struct Restore {
        bool& flag;
        const bool previous;
        ~Restore() { flag = previous; }
    } restore { Form->HandlerBusy, Form->HandlerBusy };
    Form->HandlerBusy = true;
    work();
}

void TInitAndConfigThread::PrepareSearch()
{
    Form->MainLMDPageControl->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    cursorOverridden_ = true;
    withHandlerBusy([this] {
        Form->MainLMDPageControl->setCurrentIndex(0);
        Form->StartMultimeterLMDSimplePanel->hide();
    });

    ModuleGradeText = PldGradeText = QStringLiteral("?");
    ModuleGradeFontColour = PldGradeFontColour = QColor(0, 0, 0);
    ModuleGradeBackColour = PldGradeBackColour = design::buttonFace();
    // The grade hints name a range only once this search has read the grades.
    Form->ModuleTemperatureGradeLMDLabel->setToolTip(Form->ModuleGradeHint);
    Form->PldTemperatureGradeLMDLabel->setToolTip(Form->PldGradeHint);

    OpenSettingsFile();
    if (MessageShown)
        return;
    ReadDetectionSettings();

    withHandlerBusy([this] {
        Form->SetEnabledRecursively(Form->ModuleDetectionLMDGroupBox, false);
        Form->SetEnabledRecursively(Form->MainLMDSimplePanel, false);
    });
    Form->ModuleState = kNoModule;
    // No module is open now, so nothing of the last one's description is shown.
    Form->Description = ModuleDescription {};
    ShowModuleStatus(false);
}

// A missing file is created with the defaults in one step, so a disk that
// fills up midway never leaves an empty or cut file. When the defaults cannot
// be written (CreateDefaultIniFile has said why), no file is opened: the
// search goes on with the read defaults and applies no stored settings.
// A file that stands at the path but cannot be read is reported on its own;
// the search then goes on with an empty file object, so every setting takes
// its read default, and that object never writes over the file.
void TInitAndConfigThread::OpenSettingsFile()
{
    const QString path = Form->SettingsPath;
    if (!QFileInfo::exists(path)) {
        if (!settings::canCreateFileBeside(path)) {
            ReportMessage(QString::fromUtf8(module_search::kCannotCreateSettingsFile));
            return;
        }
        if (!Form->CreateDefaultIniFile(path))
            return;
    }
    try {
        SettingsFile = std::make_shared<settings::IniFile>(path);
    } catch (const std::bad_alloc&) {
        ReportMessage(QString::fromUtf8(module_search::kCannotOpenSettingsFile));
        return;
    }
    if (!SettingsFile->isLoaded()) {
        platform::showMessage(module_search::unreadableSettingsFileMessage(
                                  path, SettingsFile->loadStatus(), SettingsFile->loadSystemError()),
            QString::fromUtf8(module_search::kUnreadableSettingsFileCaption), platform::MessageIcon::Information);
    }
}

void TInitAndConfigThread::ReadDetectionSettings()
{
    PldSource = SettingsFile ? static_cast<uint16_t>(settings::read(*SettingsFile, settings::PldLoadSourceKey)) : 1;

    const int selected = Form->ModulesComboBox->currentIndex();
    if (FirstStart || selected < 0 || selected >= static_cast<int>(Form->ModuleSerials.size())) {
        WantedSerial = SettingsFile ? settings::read(*SettingsFile, settings::ModuleSerialNumberKey) : QString();
    } else {
        const auto& serial = Form->ModuleSerials[static_cast<size_t>(selected)];
        WantedSerial = module_search::fieldText(serial.data(), serial.size());
        wantedSerialHeld_ = Form->ModuleSelectionHeld;
    }
}

void TInitAndConfigThread::RestoreWindowPosition()
{
    if (!FirstStart || !SettingsFile)
        return;
    const int top = settings::read(*SettingsFile, settings::MainPanelTopKey);
    const int left = settings::read(*SettingsFile, settings::MainPanelLeftKey);
    Form->MoveToStoredPosition(top, left);
}

void TInitAndConfigThread::ApplyStoredSettings()
{
    if (!Form->ReadIniFile(SettingsFile.get()))
        ReportMessage(QString::fromUtf8(module_search::kCannotApplySettings));
}

void TInitAndConfigThread::FinishSearch()
{
    // A save may name the selected module only when this search readied it,
    // or when it is the module the window held before and was found again.
    Form->ModuleSelectionHeld = Form->ModuleState == kModuleReady || (wantedSerialHeld_ && wantedSerialFound_);
    withHandlerBusy([this] {
        Form->SetEnabledRecursively(Form->ModuleDetectionLMDGroupBox, true);
        Form->SaveSettingsButton->setEnabled(!Form->AutoSaveSettingsLMDCheckBox->isChecked());
        Form->MainLMDSimplePanel->setEnabled(true);
        Form->MainLMDPageControl->setEnabled(true);
        Form->MainLMDPageControl->widget(0)->setEnabled(true);
        if (Form->ModuleState == kModuleReady) {
            Form->AdcStreamLMDGroupBox->setEnabled(true);
            Form->SetEnabledRecursively(Form->AdcGroupParsLMDGroupBox, true);
            Form->AdcIndividualParsLMDGroupBox->setEnabled(true);
            Form->EnableChannelControlsForReadyModule();
            Form->StartMultimeterLMDSpeedButton->setEnabled(true);
            Form->StartMultimeterLMDSimplePanel->show();
            Form->MultimeterLMDSimplePanel->setEnabled(true);
        }
    });
    SettingsFile.reset();
    if (cursorOverridden_) {
        QGuiApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
}
