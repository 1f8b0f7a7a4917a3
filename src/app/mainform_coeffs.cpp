// The three coefficient sets of the window and the operations that keep them
// in the module's factory area and user flash, with the five buttons of the
// coefficient page that run them.

#include "mainform.h"

#include "coeffs/coeff_sets.h"
#include "coeffs/user_flash_record.h"
#include "handler_scope.h"
#include "platform/message_seam.h"

#include <QPushButton>

namespace {

using platform::MessageIcon;

const QString kUserFlashCaption = QStringLiteral("Ошибка CheckCorrectionCoeffsInUserFlash()!");
const QString kFactorySaveCaption = QStringLiteral("Ошибка SaveAdcCalibrCoefsGridToFactoryFlashLMDButtonClick()!");

// The module when it is ready for operations, else null: every module call
// below then fails as a refused call would.
ModuleApi* readyModule(const TMainForm& form)
{
    return form.ModuleState == kModuleReady ? form.Module : nullptr;
}

// Enables writing, writes the block and disables writing again. A refused
// write leaves writing enabled: no disable is attempted after it. `written`
// tells whether the module took the block, even if disabling then failed.
bool writeUserFlashBlock(ModuleApi* module, UserFlashBlock& block, bool& written)
{
    written = false;
    if (!module || !module->USER_FLASH_WRITE_ACCESS(1)) {
        platform::showMessage(QStringLiteral("Не могу разрешить запись в пользовательское ППЗУ!"), kUserFlashCaption,
            MessageIcon::Information);
        return false;
    }
    if (!module->WRITE_USER_FLASH(&block)) {
        platform::showMessage(
            QStringLiteral("Не могу записать пользовательское ППЗУ!"), kUserFlashCaption, MessageIcon::Information);
        return false;
    }
    written = true;
    if (!module->USER_FLASH_WRITE_ACCESS(0)) {
        platform::showMessage(QStringLiteral("Не могу запретить запись в пользовательское ППЗУ!"), kUserFlashCaption,
            MessageIcon::Information);
        return false;
    }
    return true;
}

} // namespace

void TMainForm::BuildFactoryCoeffs()
{
    FactoryCoeffs = coeffs::BuildFactoryCoeffs(Description);
}

// The working set always starts from the factory coefficients; the user
// flash is read only on request.
void TMainForm::InitCoeffSets()
{
    WorkingCoeffs = {};
    FactoryCoeffs = {};
    UserFlashCoeffs = {};
    BuildFactoryCoeffs();
    WorkingCoeffs = FactoryCoeffs;
}

bool TMainForm::CheckCorrectionCoeffsInUserFlash()
{
    UserFlashBlock block {};
    UserFlashCoeffs = {};
    ModuleApi* module = readyModule(*this);
    if (!module || !module->READ_USER_FLASH(&block)) {
        platform::showMessage(QStringLiteral("Не могу считать данные из пользовательского ППЗУ!"), kUserFlashCaption,
            MessageIcon::Information);
        return false;
    }
    const coeffs::UserFlashContent content = coeffs::checkUserFlashBlock(block);
    if (content.status != coeffs::UserFlashStatus::Ok) {
        platform::showMessage(QStringLiteral("Ошибка контрольной суммы в данных из пользовательского ППЗУ!"),
            kUserFlashCaption, MessageIcon::Information);
        return false;
    }
    UserFlashCoeffs = content.record;
    return true;
}

// The working set keeps the CRC it was written with, even when the write fails.
bool TMainForm::WriteCorrectionCoeffsToUserFlash()
{
    UserFlashBlock block = coeffs::packUserFlashBlock(WorkingCoeffs);
    bool written = false;
    return writeUserFlashBlock(readyModule(*this), block, written);
}

// The description in memory takes the working ADC pairs only once the module
// has accepted them, so a failed save leaves it matching the module and a
// later refresh from the factory area does not show unsaved values.
bool TMainForm::SaveAdcCorrectionCoeffsToFactoryFlash()
{
    ModuleDescription updated = Description;
    coeffs::storeAdcCoeffsInDescription(WorkingCoeffs, updated);
    ModuleApi* module = readyModule(*this);
    if (!module || !module->SAVE_MODULE_DESCRIPTION(&updated)) {
        platform::showMessage(QStringLiteral("Не могу выполнить функцию SAVE_MODULE_DESCRIPTION()"),
            QStringLiteral("Ошибка SaveAdcCorrectionCoeffsToFactoryFlash()!!!"), MessageIcon::Information);
        return false;
    }
    Description = updated;
    return true;
}

coeffs::CoeffComparison TMainForm::CompareCoeffSets() const
{
    return coeffs::CompareCoeffSets(WorkingCoeffs, FactoryCoeffs, UserFlashCoeffs);
}

void TMainForm::UpdateCoeffSaveButtons()
{
    const coeffs::CoeffComparison comparison = CompareCoeffSets();
    SaveCalibrCoefsToFactoryFlashLMDButton->setEnabled(!comparison.equalToFactory);
    SaveCalibrCoefsToFileLMDButton->setEnabled(!comparison.equalToUserFlash);
}

void TMainForm::CopyWorkingAdcCoeffs(AdcParameters& parameters) const
{
    for (int r = 0; r < coeffs::kAdcRangeCount; ++r) {
        for (int c = 0; c < coeffs::kAdcChannelCount; ++c) {
            parameters.AdcOffsetCoefs[r][c] = WorkingCoeffs.AdcRaw[r][c].Offset;
            parameters.AdcScaleCoefs[r][c] = WorkingCoeffs.AdcRaw[r][c].Scale;
        }
    }
}

// The working set is rebuilt from the description read back, so DAC values
// edited but not saved anywhere give way to the factory ones. The tables keep
// their text.
void TMainForm::SaveCalibrCoefsToFactoryFlashLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    const platform::MessageResult answer = platform::showMessage(
        QStringLiteral("Вы уверены в том, что хотите перезаписать корректировочные коэффициенты в заводском ППЗУ?"),
        QStringLiteral("Внимание!!!"), MessageIcon::None, platform::MessageButtons::YesNo);
    if (answer != platform::MessageResult::Yes)
        return;
    if (!SaveAdcCorrectionCoeffsToFactoryFlash()) {
        platform::showMessage(
            QStringLiteral("Не могу сохранить корректировочные коэффициенты в заводском ППЗУ!!!"), kFactorySaveCaption);
        return;
    }
    // Read into a copy so that a failed read cannot leave a torn record behind.
    ModuleDescription readBack = Description;
    ModuleApi* module = readyModule(*this);
    if (!module || !module->READ_MODULE_DESCRIPTION(&readBack)) {
        platform::showMessage(QStringLiteral("Не могу получить информацию о модуле!"), kFactorySaveCaption);
        return;
    }
    Description = readBack;
    BuildFactoryCoeffs();
    WorkingCoeffs = FactoryCoeffs;
    UpdateCoeffSaveButtons();
}

void TMainForm::RefreshCalibrCoefsFromFactoryFlashLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    BuildFactoryCoeffs();
    WorkingCoeffs = FactoryCoeffs;
    FillCoeffTables();
    UpdateCoeffSaveButtons();
}

void TMainForm::SaveCalibrCoefsToFileLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    if (!WriteCorrectionCoeffsToUserFlash())
        return;
    UserFlashCoeffs = WorkingCoeffs;
    UpdateCoeffSaveButtons();
}

// Without a valid record in the user flash the tables show the factory set.
void TMainForm::RefreshCalibrCoefsFromFileLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    WorkingCoeffs = {};
    if (CheckCorrectionCoeffsInUserFlash()) {
        WorkingCoeffs = UserFlashCoeffs;
    } else {
        BuildFactoryCoeffs();
        WorkingCoeffs = FactoryCoeffs;
    }
    FillCoeffTables();
    UpdateCoeffSaveButtons();
}

// Writes the identity record (every pair 0.0, 1.0). UserFlashCoeffs takes it
// only once the module holds it: after a refused write it keeps the record the
// module still holds. The working set and the tables stay as they are.
void TMainForm::ResetCalibrCoefsInFileLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    coeffs::CorrectionCoeffs identity = coeffs::makeIdentityCoeffs();
    UserFlashBlock block = coeffs::packUserFlashBlock(identity);
    bool written = false;
    const bool done = writeUserFlashBlock(readyModule(*this), block, written);
    if (written)
        UserFlashCoeffs = identity;
    if (done)
        UpdateCoeffSaveButtons();
}
