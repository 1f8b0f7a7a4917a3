// The window's steps of a module search, run on this thread while the search
// waits: the preparation and the finishing step, and the two steps between
// them that work on the settings file alone (restoring the window position
// and applying the stored settings).

#include "mainform.h"

#include "handler_scope.h"
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

void TMainForm::PrepareModuleSearch(TInitAndConfigThread& search)
{
    MainLMDPageControl->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    search.CursorOverridden = true;
    {
        HandlerScope scope(HandlerBusy);
        MainLMDPageControl->setCurrentIndex(0);
        StartMultimeterLMDSimplePanel->hide();
    }

    search.ModuleGradeText = search.PldGradeText = QStringLiteral("?");
    search.ModuleGradeFontColour = search.PldGradeFontColour = QColor(0, 0, 0);
    search.ModuleGradeBackColour = search.PldGradeBackColour = design::buttonFace();
    // The grade hints name a range only once this search has read the grades.
    ModuleTemperatureGradeLMDLabel->setToolTip(ModuleGradeHint);
    PldTemperatureGradeLMDLabel->setToolTip(PldGradeHint);

    OpenSearchSettingsFile(search);
    if (search.MessageShown)
        return;
    ReadDetectionSettings(search);

    {
        HandlerScope scope(HandlerBusy);
        SetEnabledRecursively(ModuleDetectionLMDGroupBox, false);
        SetEnabledRecursively(MainLMDSimplePanel, false);
    }
    ModuleState = kNoModule;
    // No module is open now, so nothing of the last one's description is shown.
    Description = ModuleDescription {};
    ShowModuleStatus(search, false);
}

// A missing file is created with the defaults in one step, so a disk that
// fills up midway never leaves an empty or cut file. When the defaults cannot
// be written (CreateDefaultIniFile has said why), no file is opened: the
// search goes on with the read defaults and applies no stored settings.
// A file that stands at the path but cannot be read is reported on its own;
// the search then goes on with an empty file object, so every setting takes
// its read default, and that object never writes over the file.
void TMainForm::OpenSearchSettingsFile(TInitAndConfigThread& search)
{
    const QString path = SettingsPath;
    if (!QFileInfo::exists(path)) {
        if (!settings::canCreateFileBeside(path)) {
            search.ReportMessage(QString::fromUtf8(module_search::kCannotCreateSettingsFile));
            return;
        }
        if (!CreateDefaultIniFile(path))
            return;
    }
    try {
        search.SettingsFile = std::make_shared<settings::IniFile>(path);
    } catch (const std::bad_alloc&) {
        search.ReportMessage(QString::fromUtf8(module_search::kCannotOpenSettingsFile));
        return;
    }
    const settings::IniFile& file = *search.SettingsFile;
    if (!file.isLoaded()) {
        platform::showMessage(
            module_search::unreadableSettingsFileMessage(path, file.loadStatus(), file.loadSystemError()),
            QString::fromUtf8(module_search::kUnreadableSettingsFileCaption), platform::MessageIcon::Information);
    }
}

void TMainForm::ReadDetectionSettings(TInitAndConfigThread& search)
{
    const settings::IniFile* file = search.SettingsFile.get();
    search.PldSource = module_search::kPldFromLibrary;
    if (file)
        search.PldSource = static_cast<uint16_t>(settings::read(*file, settings::PldLoadSourceKey));

    const int selected = ModulesComboBox->currentIndex();
    if (search.FirstStart || selected < 0 || selected >= static_cast<int>(ModuleSerials.size())) {
        search.WantedSerial = file ? settings::read(*file, settings::ModuleSerialNumberKey) : QString();
    } else {
        const auto& serial = ModuleSerials[static_cast<size_t>(selected)];
        search.WantedSerial = module_search::fieldText(serial.data(), serial.size());
        search.WantedSerialHeld = ModuleSelectionHeld;
    }
}

void TMainForm::RestoreWindowPosition(TInitAndConfigThread& search)
{
    if (!search.FirstStart || !search.SettingsFile)
        return;
    const int top = settings::read(*search.SettingsFile, settings::MainPanelTopKey);
    const int left = settings::read(*search.SettingsFile, settings::MainPanelLeftKey);
    MoveToStoredPosition(top, left);
}

void TMainForm::ApplyStoredSettings(TInitAndConfigThread& search)
{
    if (!ReadIniFile(search.SettingsFile.get()))
        search.ReportMessage(QString::fromUtf8(module_search::kCannotApplySettings));
}

void TMainForm::FinishModuleSearch(TInitAndConfigThread& search)
{
    // A save may name the selected module only when this search readied it,
    // or when it is the module the window held before and was found again.
    ModuleSelectionHeld = ModuleState == kModuleReady || (search.WantedSerialHeld && search.WantedSerialFound);
    {
        HandlerScope scope(HandlerBusy);
        SetEnabledRecursively(ModuleDetectionLMDGroupBox, true);
        SaveSettingsButton->setEnabled(!AutoSaveSettingsLMDCheckBox->isChecked());
        MainLMDSimplePanel->setEnabled(true);
        MainLMDPageControl->setEnabled(true);
        MainLMDPageControl->widget(0)->setEnabled(true);
        if (ModuleState == kModuleReady) {
            AdcStreamLMDGroupBox->setEnabled(true);
            SetEnabledRecursively(AdcGroupParsLMDGroupBox, true);
            AdcIndividualParsLMDGroupBox->setEnabled(true);
            EnableChannelControlsForReadyModule();
            StartMultimeterLMDSpeedButton->setEnabled(true);
            StartMultimeterLMDSimplePanel->show();
            MultimeterLMDSimplePanel->setEnabled(true);
        }
    }
    search.SettingsFile.reset();
    if (search.CursorOverridden) {
        QGuiApplication::restoreOverrideCursor();
        search.CursorOverridden = false;
    }
    NoteSearchFinished();
}
