// Configuring the module found: bus speed, firmware, description, grades and
// name. It runs on the search thread; what the window keeps (bus speed,
// description, grade hints, module state) is handed over in synchronised
// calls. Any failure reports its message and ends the configuration, which
// then leaves the module not ready.

#include "device/module_api.h"
#include "mainform.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"

#include <QLabel>

void TInitAndConfigThread::ConfigureModule()
{
    ModuleName.clear();
    module_->CLOSE_SLOT();
    if (!module_->OPEN_SLOT(foundSlots_[static_cast<size_t>(chosenPosition_)])) {
        ReportMessage(module_search::openSlotFailedMessage(chosenPosition_));
        return;
    }
    ConfigureOpenModule();
    if (!MessageShown)
        Synchronize([this] { Form->ModuleState = kModuleReady; });
}

bool TInitAndConfigThread::ReadDescription()
{
    if (!module_->READ_MODULE_DESCRIPTION(&description_)) {
        ReportMessage(QString::fromUtf8(module_search::kCannotDescribeModule));
        return false;
    }
    Synchronize([this] { Form->Description = description_; });
    return true;
}

bool TInitAndConfigThread::ConfigureOpenModule()
{
    uint8_t speed = 0;
    if (!module_->QUERY_USB_SPEED(&speed)) {
        ReportMessage(QString::fromUtf8(module_search::kCannotQueryUsbSpeed));
        return false;
    }
    usbSpeed_ = speed;
    Synchronize([this] { Form->UsbSpeed = usbSpeed_; });

    // A named firmware file is chosen by the revision and grade the module
    // describes; otherwise the library loads its own.
    module_search::FirmwareChoice firmware = module_search::chooseFirmware(PldSource, 0, 0);
    if (PldSource == 0) {
        if (!ReadDescription())
            return false;
        firmware = module_search::chooseFirmware(PldSource, description_.Revision, description_.Options);
    }
    if (!firmware.loadable || !module_->LOAD_MODULE(firmware.fileName)) {
        ReportMessage(firmware.failure);
        return false;
    }
    if (!module_->CHECK_FIRMWARE(0)) {
        ReportMessage(QString::fromUtf8(module_search::kFirmwareNotLoaded));
        return false;
    }
    if (!ReadDescription())
        return false;
    if (!module_->STOP_ACQUISITION()) {
        ReportMessage(QString::fromUtf8(module_search::kCannotStopAcquisition));
        return false;
    }

    const module_search::GradeLooks grades = module_search::gradeLooks(description_.Options);
    ModuleGradeText = grades.module.letter;
    ModuleGradeFontColour = grades.module.text;
    ModuleGradeBackColour = grades.module.background;
    PldGradeText = grades.pld.letter;
    PldGradeFontColour = grades.pld.text;
    PldGradeBackColour = grades.pld.background;
    Synchronize([this, &grades] {
        Form->ModuleTemperatureGradeLMDLabel->setToolTip(Form->ModuleGradeHint + grades.module.rangeText);
        Form->PldTemperatureGradeLMDLabel->setToolTip(Form->PldGradeHint + grades.pld.rangeText);
    });

    ModuleName = module_search::fieldText(description_.Name, sizeof description_.Name);
    // A revision "A" module gets its firmware and its status shown, but is
    // never made ready.
    if (description_.Revision == 'A') {
        ReportMessage(QString::fromUtf8(module_search::kRevisionANotSupported));
        return false;
    }
    return true;
}
