// The module's status in the top band: caption, status LED, filter and grade
// labels, and the module list. The status is shown once while preparing
// (nothing known yet) and once after the configuration; every step runs on
// this thread while the search waits.

#include "mainform.h"

#include "handler_scope.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

void TMainForm::ShowModuleStatus(TInitAndConfigThread& search, bool after)
{
    HandlerScope scope(HandlerBusy);
    const uint8_t state = ModuleState;
    if (after) {
        const QString title = module_search::programTitle(QStringLiteral(ZENTRIX_VERSION));
        const QString firmware
            = module_search::fieldText(Description.FirmwareVersion, sizeof Description.FirmwareVersion);
        setWindowTitle(module_search::statusCaption(title, state != kNoModule, search.WantedSerial, firmware));
        // The application's title is its name (see main.cpp).
        QCoreApplication::setApplicationName(title);
    } else {
        setWindowTitle(CaptionTemplate);
        ModulesComboBox->clear();
    }

    const module_search::LedStatus led = module_search::moduleLedStatus(after, search.ModuleName, state, UsbSpeed);
    ModuleStatusLed->setFillColour(led.neutral ? design::buttonFace() : led.colour);
    ModuleStatusLed->setToolTip(led.hint);

    search.LpfText = after && state == kModuleReady ? module_search::filterText(Description.Options)
                                                    : QString::fromUtf8(module_search::kUnknownFilter);

    const bool known = after && state != kNoModule;
    for (QLabel* label : { ModuleLpfLMDLabel, ModuleTemperatureGradeLMDLabel, PldTemperatureGradeLMDLabel })
        label->setEnabled(known);
    const QColor black(0, 0, 0);
    const QColor neutral = design::buttonFace();
    if (known) {
        ShowStatusLabel(ModuleLpfLMDLabel, search.LpfText, black, neutral);
        ShowStatusLabel(ModuleTemperatureGradeLMDLabel, search.ModuleGradeText, search.ModuleGradeFontColour,
            search.ModuleGradeBackColour);
        ShowStatusLabel(
            PldTemperatureGradeLMDLabel, search.PldGradeText, search.PldGradeFontColour, search.PldGradeBackColour);
    } else {
        ShowStatusLabel(ModuleLpfLMDLabel, QString::fromUtf8(module_search::kUnknownFilter), black, neutral);
        ShowStatusLabel(ModuleTemperatureGradeLMDLabel, QStringLiteral("?"), black, neutral);
        ShowStatusLabel(PldTemperatureGradeLMDLabel, QStringLiteral("?"), black, neutral);
    }
}

void TMainForm::ClearModuleList()
{
    HandlerScope scope(HandlerBusy);
    ModulesComboBox->clear();
    ModulesComboBox->setCurrentIndex(-1);
    ModulesComboBox->setMaxVisibleItems(0);
}

void TMainForm::ShowModuleList(const QStringList& items, int chosen)
{
    HandlerScope scope(HandlerBusy);
    ModulesComboBox->addItems(items);
    ModulesComboBox->setMaxVisibleItems(static_cast<int>(items.size()));
    ModulesComboBox->setCurrentIndex(chosen);
}

void TMainForm::ShowGradeHints(const module_search::GradeLooks& grades)
{
    ModuleTemperatureGradeLMDLabel->setToolTip(ModuleGradeHint + grades.module.rangeText);
    PldTemperatureGradeLMDLabel->setToolTip(PldGradeHint + grades.pld.rangeText);
}

void TMainForm::SetFoundModules(
    const std::array<uint16_t, 16>& slotNumbers, const std::array<std::array<char, 16>, 16>& serials)
{
    ModuleSlots = slotNumbers;
    ModuleSerials = serials;
}
