// The module's status in the top band: caption, status LED, filter and grade
// labels. Shown once while preparing (nothing known yet) and once after the
// configuration; runs on the user-interface thread.

#include "mainform.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

void TInitAndConfigThread::ShowModuleStatus(bool after)
{
    withHandlerBusy([this, after] {
        const uint8_t state = Form->ModuleState;
        if (after) {
            const QString title = module_search::programTitle(QStringLiteral(ZENTRIX_VERSION));
            const ModuleDescription& description = Form->Description;
            const QString firmware
                = module_search::fieldText(description.FirmwareVersion, sizeof description.FirmwareVersion);
            Form->setWindowTitle(module_search::statusCaption(title, state != kNoModule, WantedSerial, firmware));
            // The application's title is its name (see main.cpp).
            QCoreApplication::setApplicationName(title);
        } else {
            Form->setWindowTitle(Form->CaptionTemplate);
            Form->ModulesComboBox->clear();
        }

        const module_search::LedStatus led = module_search::moduleLedStatus(after, ModuleName, state, Form->UsbSpeed);
        Form->ModuleStatusLed->setFillColour(led.neutral ? design::buttonFace() : led.colour);
        Form->ModuleStatusLed->setToolTip(led.hint);

        LpfText = after && state == kModuleReady ? module_search::filterText(Form->Description.Options)
                                                 : QString::fromUtf8(module_search::kUnknownFilter);

        const bool known = after && state != kNoModule;
        for (QLabel* label :
            { Form->ModuleLpfLMDLabel, Form->ModuleTemperatureGradeLMDLabel, Form->PldTemperatureGradeLMDLabel })
            label->setEnabled(known);
        const QColor black(0, 0, 0);
        const QColor neutral = design::buttonFace();
        if (known) {
            Form->ShowStatusLabel(Form->ModuleLpfLMDLabel, LpfText, black, neutral);
            Form->ShowStatusLabel(
                Form->ModuleTemperatureGradeLMDLabel, ModuleGradeText, ModuleGradeFontColour, ModuleGradeBackColour);
            Form->ShowStatusLabel(
                Form->PldTemperatureGradeLMDLabel, PldGradeText, PldGradeFontColour, PldGradeBackColour);
        } else {
            Form->ShowStatusLabel(
                Form->ModuleLpfLMDLabel, QString::fromUtf8(module_search::kUnknownFilter), black, neutral);
            Form->ShowStatusLabel(Form->ModuleTemperatureGradeLMDLabel, QStringLiteral("?"), black, neutral);
            Form->ShowStatusLabel(Form->PldTemperatureGradeLMDLabel, QStringLiteral("?"), black, neutral);
        }
    });
}
