// Finding and opening the module: the library check, the scan of the bus,
// the module list and the choice by the serial wanted. The device calls run
// on the search thread; the window is reached only in synchronised calls.

#include "device/module_api.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"
#include "threads/worker_host.h"

#include <QStringList>

void TInitAndConfigThread::FindAndOpenModule()
{
    Synchronize([this] {
        Host->ClearModuleList();
        module_ = *Links.module;
    });

    if (module_)
        module_->CLOSE_SLOT();
    else if (!ObtainModuleInterface())
        return;

    if (!ScanSlots() || Terminated())
        return;

    // The first module whose serial is the one wanted; without one, the
    // first module, whose serial becomes the one wanted.
    QStringList items;
    for (int j = 0; j < scan_.count; ++j)
        items << module_search::moduleListItem(j, module_search::serialText(scan_, j));
    chosenPosition_ = module_search::positionOfSerial(scan_, WantedSerial);
    WantedSerialFound = chosenPosition_ >= 0;
    if (chosenPosition_ < 0) {
        chosenPosition_ = 0;
        WantedSerial = module_search::serialText(scan_, 0);
    }
    Synchronize([this, &items] { Host->ShowModuleList(items, chosenPosition_); });

    if (!module_->OPEN_SLOT(scan_.slotNumbers[static_cast<size_t>(chosenPosition_)])) {
        ReportMessage(module_search::openSlotFailedMessage(chosenPosition_));
        return;
    }
    Synchronize([this] { Host->SetModuleState(kModuleSlotOpen); });
}

// A library that cannot be loaded, or has the wrong version, or hands out no
// interface leaves the window without one, so the next search checks again.
bool TInitAndConfigThread::ObtainModuleInterface()
{
    QString failure;
    ModuleApi* module = module_search::LoadModuleInterface(Links.library->get(), &failure);
    if (!module) {
        ReportMessage(failure);
        return false;
    }
    module_ = module;
    Synchronize([this] { Host->SetModuleInterface(module_); });
    return true;
}

// Opens, describes and closes every slot that holds a module. A description
// that cannot be read ends the scan at once and leaves that slot open.
bool TInitAndConfigThread::ScanSlots()
{
    scan_ = module_search::ScanSlots(*module_, terminateFlag());
    Synchronize([this] { Host->SetFoundModules(scan_.slotNumbers, scan_.serials); });
    if (!scan_.described || (scan_.count == 0 && !Terminated())) {
        ReportMessage(module_search::scanFailure(scan_));
        return false;
    }
    return true;
}
