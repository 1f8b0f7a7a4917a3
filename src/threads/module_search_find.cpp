// Finding and opening the module: the library check, the scan of the bus,
// the module list and the choice by the serial wanted. The device calls run
// on the search thread; the window is touched only in synchronised calls.

#include "device/module_api.h"
#include "mainform.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_messages.h"
#include "threads/module_search_rules.h"

#include <QComboBox>
#include <cstring>
#include <memory>

void TInitAndConfigThread::FindAndOpenModule()
{
    Synchronize([this] {
        withHandlerBusy([this] {
            Form->ModulesComboBox->clear();
            Form->ModulesComboBox->setCurrentIndex(-1);
            Form->ModulesComboBox->setMaxVisibleItems(0);
        });
        module_ = Form->Module;
    });

    if (module_)
        module_->CLOSE_SLOT();
    else if (!ObtainModuleInterface())
        return;

    if (!ScanSlots() || Terminated())
        return;
    Synchronize([this] { ShowModuleList(); });

    if (!module_->OPEN_SLOT(foundSlots_[static_cast<size_t>(chosenPosition_)])) {
        ReportMessage(module_search::openSlotFailedMessage(chosenPosition_));
        return;
    }
    Synchronize([this] { Form->ModuleState = kModuleSlotOpen; });
}

// A library that cannot be loaded, or has the wrong version, or hands out no
// interface leaves the window without one, so the next search checks again.
bool TInitAndConfigThread::ObtainModuleInterface()
{
    DeviceLibrary* library = Form->Library.get();
    if (!library || !library->load()) {
        ReportMessage(module_search::libraryNotLoadedMessage(library ? library->errorText() : QString()));
        return false;
    }
    const uint32_t version = library->GetLibraryVersion();
    if (!module_search::isRequiredLibraryVersion(version)) {
        ReportMessage(module_search::wrongLibraryVersionMessage(version));
        return false;
    }
    ModuleApi* module = library->GetModuleInterface(kModuleName);
    if (!module) {
        ReportMessage(QString::fromUtf8(module_search::kCannotGetInterface));
        return false;
    }
    module_ = module;
    Synchronize([this] { Form->Module = module_; });
    return true;
}

// Opens, describes and closes every slot that holds a module. A description
// that cannot be read ends the scan at once and leaves that slot open.
bool TInitAndConfigThread::ScanSlots()
{
    foundSlots_ = {};
    foundSerials_ = {};
    foundCount_ = 0;
    auto description = std::make_unique<ModuleDescription>();
    bool described = true;
    for (uint16_t slot = 0; slot < foundSlots_.size() && !Terminated(); ++slot) {
        if (!module_->OPEN_SLOT(slot))
            continue;
        *description = ModuleDescription {};
        if (!module_->READ_MODULE_DESCRIPTION(description.get())) {
            described = false;
            break;
        }
        module_->CLOSE_SLOT();
        const auto entry = static_cast<size_t>(foundCount_);
        foundSlots_[entry] = slot;
        std::memcpy(foundSerials_[entry].data(), description->SerialNumber, foundSerials_[entry].size());
        ++foundCount_;
    }
    Synchronize([this] {
        Form->ModuleSlots = foundSlots_;
        Form->ModuleSerials = foundSerials_;
    });

    if (!described) {
        ReportMessage(QString::fromUtf8(module_search::kCannotDescribeModuleDuringScan));
        return false;
    }
    if (foundCount_ == 0 && !Terminated()) {
        ReportMessage(QString::fromUtf8(module_search::kNoModuleFound));
        return false;
    }
    return true;
}

// Lists the modules found and selects the first whose serial is the one
// wanted; without one, the first module, whose serial becomes the one wanted.
void TInitAndConfigThread::ShowModuleList()
{
    QStringList serials;
    for (int j = 0; j < foundCount_; ++j) {
        const auto& serial = foundSerials_[static_cast<size_t>(j)];
        serials << module_search::fieldText(serial.data(), serial.size());
    }
    chosenPosition_ = static_cast<int>(serials.indexOf(WantedSerial));
    wantedSerialFound_ = chosenPosition_ >= 0;
    if (chosenPosition_ < 0) {
        chosenPosition_ = 0;
        WantedSerial = serials.value(0);
    }
    withHandlerBusy([this, &serials] {
        QComboBox* list = Form->ModulesComboBox;
        for (int j = 0; j < serials.size(); ++j)
            list->addItem(module_search::moduleListItem(j, serials[j]));
        list->setMaxVisibleItems(foundCount_);
        list->setCurrentIndex(chosenPosition_);
    });
}
