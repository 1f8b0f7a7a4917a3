// Configuring the module found: bus speed, firmware, description, grades and
// name. It runs on the search thread; what the window keeps (bus speed,
// description, grade hints, module state) is handed over in synchronised
// calls. Any failure reports its message and ends the configuration, which
// then leaves the module not ready.

#include "device/module_api.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"
#include "threads/worker_host.h"

void TInitAndConfigThread::ConfigureModule()
{
    ModuleName.clear();
    module_->CLOSE_SLOT();
    if (!module_->OPEN_SLOT(scan_.slotNumbers[static_cast<size_t>(chosenPosition_)])) {
        ReportMessage(module_search::openSlotFailedMessage(chosenPosition_));
        return;
    }
    ConfigureOpenModule();
    if (!MessageShown)
        Synchronize([this] { Host->SetModuleState(kModuleReady); });
}

bool TInitAndConfigThread::ConfigureOpenModule()
{
    const module_search::ModuleSetup setup = module_search::ReadyOpenModule(*module_, PldSource);
    // The window keeps what was learned even when a later step failed.
    if (setup.speedKnown)
        Synchronize([this, &setup] { Host->SetUsbSpeed(setup.usbSpeed); });
    if (setup.described) {
        description_ = setup.description;
        Synchronize([this] { Host->SetModuleDescription(description_); });
    }
    if (!setup.failure.isEmpty()) {
        ReportMessage(setup.failure);
        return false;
    }

    const module_search::GradeLooks grades = module_search::gradeLooks(description_.Options);
    ModuleGradeText = grades.module.letter;
    ModuleGradeFontColour = grades.module.text;
    ModuleGradeBackColour = grades.module.background;
    PldGradeText = grades.pld.letter;
    PldGradeFontColour = grades.pld.text;
    PldGradeBackColour = grades.pld.background;
    Synchronize([this, &grades] { Host->ShowGradeHints(grades); });

    ModuleName = module_search::fieldText(description_.Name, sizeof description_.Name);
    // A revision "A" module gets its firmware and its status shown, but is
    // never made ready.
    if (description_.Revision == 'A') {
        ReportMessage(QString::fromUtf8(module_search::kRevisionANotSupported));
        return false;
    }
    return true;
}
