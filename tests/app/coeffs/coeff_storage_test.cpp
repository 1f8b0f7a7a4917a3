// The coefficient sets in the module's user flash and factory area, driven
// through the five buttons' handlers.

#include "coeff_window.h"

#include "coeffs/coeff_edits.h"
#include "coeffs/coeff_sets.h"
#include "coeffs/user_flash_record.h"
#include "entry/number_text.h"

#include <QPushButton>
#include <QTableWidget>
#include <cmath>
#include <functional>

using coeffs::CoeffTable;
using coeffs::CorrectionCoeffs;
using modlink_sim::Op;
using platform::MessageIcon;

namespace {

const QString kUserFlashCaption = QStringLiteral("Ошибка CheckCorrectionCoeffsInUserFlash()!");
const QString kFactorySaveCaption = QStringLiteral("Ошибка SaveAdcCalibrCoefsGridToFactoryFlashLMDButtonClick()!");

CorrectionCoeffs recordOf(const UserFlashBlock& block)
{
    CorrectionCoeffs record;
    std::memcpy(&record, block.Bytes, sizeof record);
    return record;
}

bool tailIsZero(const UserFlashBlock& block)
{
    for (std::size_t i = sizeof(CorrectionCoeffs); i < sizeof block.Bytes; ++i) {
        if (block.Bytes[i] != 0)
            return false;
    }
    return true;
}

class CoeffStorage : public CoeffWindowTest {
protected:
    // Enabled as the buttons' own state says; the hidden page itself is disabled.
    bool factorySaveEnabled() const { return enabledOnPage(form->SaveCalibrCoefsToFactoryFlashLMDButton); }
    bool userFlashSaveEnabled() const { return enabledOnPage(form->SaveCalibrCoefsToFileLMDButton); }
    bool enabledOnPage(const QWidget* button) const { return button->isEnabledTo(form->CorrectionFactorsLMDTabSheet); }

    // An edited working set, as a committed cell leaves it.
    void editWorkingSet()
    {
        coeffs::storeCommittedValue(form->WorkingCoeffs, CoeffTable::AdcOffset, 3, 2, 1.5);
        coeffs::storeCommittedValue(form->WorkingCoeffs, CoeffTable::AdcScale, 1, 4, 1.0625);
        coeffs::storeCommittedValue(form->WorkingCoeffs, CoeffTable::Dac, 2, 1, -12.5);
    }
};

TEST_F(CoeffStorage, AfterInitialisationTheWorkingSetIsTheFactorySetAndTheUserFlashSetIsZero)
{
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, coeffs::BuildFactoryCoeffs(form->Description)));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, CorrectionCoeffs {}));
    form->UpdateCoeffSaveButtons();
    EXPECT_FALSE(factorySaveEnabled());
    EXPECT_TRUE(userFlashSaveEnabled());
}

TEST_F(CoeffStorage, AWrittenRecordReadsBackAsTheSame450BytesWithZerosAfterThem)
{
    editWorkingSet();
    form->SaveCalibrCoefsToFileLMDButtonClick();
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('\n').toStdString();

    const UserFlashBlock block = moduleUserFlash();
    EXPECT_TRUE(sameBytes(recordOf(block), form->WorkingCoeffs));
    EXPECT_EQ(copyOf(form->WorkingCoeffs.Crc), coeffs::recordCrc(form->WorkingCoeffs));
    EXPECT_TRUE(tailIsZero(block));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, form->WorkingCoeffs));
    EXPECT_FALSE(userFlashSaveEnabled());
    EXPECT_TRUE(factorySaveEnabled());
    EXPECT_EQ(sim->callCount(Op::UserFlashWriteAccess), 2);

    const CorrectionCoeffs written = form->WorkingCoeffs;
    form->InitCoeffSets();
    form->RefreshCalibrCoefsFromFileLMDButtonClick();
    EXPECT_TRUE(recorder.empty());
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, written));
    EXPECT_EQ(cellText(form->AdcOffsetCoefsStringGrid, 3, 2), QStringLiteral("1.500"));
    EXPECT_EQ(cellText(form->DacCalibrationCoefsStringGrid, 2, 1), QStringLiteral("-12.5000"));
}

TEST_F(CoeffStorage, AFreshModulesBlankFlashGivesTheCrcMessageAndTheFactorySetInTheTables)
{
    form->WorkingCoeffs.AdcRaw[0][0].Offset = 99.0;
    form->RefreshCalibrCoefsFromFileLMDButtonClick();

    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(
        recorder.messages()[0].text, QStringLiteral("Ошибка контрольной суммы в данных из пользовательского ППЗУ!"));
    EXPECT_EQ(recorder.messages()[0].caption, kUserFlashCaption);
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Information);
    const CorrectionCoeffs factory = coeffs::BuildFactoryCoeffs(form->Description);
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, CorrectionCoeffs {}));
    EXPECT_FALSE(factorySaveEnabled());
    EXPECT_TRUE(userFlashSaveEnabled());

    // Every table shows the factory set with its own number formats.
    const char* ranges[] = { "3.000", "1.000", "0.300" };
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(cellText(form->AdcOffsetCoefsStringGrid, r + 1, 0), QLatin1String(ranges[r]));
        EXPECT_EQ(cellText(form->AdcScaleCoefsStringGrid, r + 1, 0), QLatin1String(ranges[r]));
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(cellText(form->AdcOffsetCoefsStringGrid, r + 1, c + 1),
                entry::formatFixed(factory.AdcShown[r][c].Offset, 3));
            EXPECT_EQ(cellText(form->AdcScaleCoefsStringGrid, r + 1, c + 1),
                entry::formatFixed(factory.AdcShown[r][c].Scale, 6));
        }
    }
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(cellText(form->DacCalibrationCoefsStringGrid, k + 1, 0), QString::number(k + 1));
        EXPECT_EQ(
            cellText(form->DacCalibrationCoefsStringGrid, k + 1, 1), entry::formatFixed(factory.DacShown[k].Offset, 4));
        EXPECT_EQ(
            cellText(form->DacCalibrationCoefsStringGrid, k + 1, 2), entry::formatFixed(factory.DacShown[k].Scale, 6));
    }
    // The header rows stay empty.
    for (int c = 0; c < 5; ++c)
        EXPECT_TRUE(cellText(form->AdcOffsetCoefsStringGrid, 0, c).isEmpty());
    // The factory set differs from identity, so the fill really wrote it.
    EXPECT_NE(factory.AdcRaw[0][0].Offset, 0.0);
}

TEST_F(CoeffStorage, ARecordWithTheRightCrcIsTakenUnchangedWhateverItsDoubles)
{
    UserFlashBlock block {};
    for (std::size_t i = 0; i < sizeof block.Bytes; ++i)
        block.Bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    const uint16_t crc = coeffs::recordCrc(recordOf(block));
    block.Bytes[448] = static_cast<uint8_t>(crc & 0xFF);
    block.Bytes[449] = static_cast<uint8_t>(crc >> 8);
    ASSERT_TRUE(sim->setUserFlash(kSlot, block));

    form->RefreshCalibrCoefsFromFileLMDButtonClick();
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('\n').toStdString();
    EXPECT_EQ(std::memcmp(&form->WorkingCoeffs, block.Bytes, sizeof(CorrectionCoeffs)), 0);
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, form->WorkingCoeffs));
}

TEST_F(CoeffStorage, TheResetWritesTheIdentityRecordAndLeavesTheWorkingSetAlone)
{
    form->FillCoeffTables();
    const CorrectionCoeffs working = form->WorkingCoeffs;
    const QString shownOffset = cellText(form->AdcOffsetCoefsStringGrid, 1, 1);

    form->ResetCalibrCoefsInFileLMDButtonClick();
    EXPECT_TRUE(recorder.empty());

    const UserFlashBlock block = moduleUserFlash();
    const uint8_t identityPair[16] = { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F };
    for (int pair = 0; pair < 28; ++pair)
        EXPECT_EQ(std::memcmp(block.Bytes + 16 * pair, identityPair, 16), 0) << "pair " << pair;
    EXPECT_EQ(block.Bytes[448], 0x58);
    EXPECT_EQ(block.Bytes[449], 0x2A);
    EXPECT_TRUE(tailIsZero(block));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, recordOf(block)));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, working));
    EXPECT_EQ(cellText(form->AdcOffsetCoefsStringGrid, 1, 1), shownOffset);
    EXPECT_TRUE(userFlashSaveEnabled());
}

TEST_F(CoeffStorage, TheFactorySaveWritesTheAdcPairsOnlyAndRebuildsTheWorkingSet)
{
    const ModuleDescription before = moduleDescription();
    editWorkingSet();
    const CorrectionCoeffs edited = form->WorkingCoeffs;

    form->SaveCalibrCoefsToFactoryFlashLMDButtonClick();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Внимание!!!"));

    // Only ADC entries 0..11 changed in the module; the DAC arrays did not.
    ModuleDescription expected = before;
    coeffs::storeAdcCoeffsInDescription(edited, expected);
    EXPECT_TRUE(sameBytes(moduleDescription(), expected));
    EXPECT_EQ(std::memcmp(moduleDescription().DacOffsetCoefs, before.DacOffsetCoefs, sizeof before.DacOffsetCoefs), 0);
    EXPECT_EQ(std::memcmp(moduleDescription().DacScaleCoefs, before.DacScaleCoefs, sizeof before.DacScaleCoefs), 0);

    // The working set is the re-read factory set: the edited ADC values, the
    // factory DAC values.
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, coeffs::BuildFactoryCoeffs(expected)));
    EXPECT_EQ(copyOf(form->WorkingCoeffs.AdcRaw[2][1].Offset), 40.0);
    EXPECT_EQ(copyOf(form->WorkingCoeffs.DacRaw[1].Offset), copyOf(before.DacOffsetCoefs[1]));
    EXPECT_FALSE(factorySaveEnabled());
}

TEST_F(CoeffStorage, AnsweringNoToTheFactorySaveWritesNothing)
{
    recorder.answerQuestionsWith(platform::MessageResult::No);
    editWorkingSet();
    const CorrectionCoeffs edited = form->WorkingCoeffs;
    form->SaveCalibrCoefsToFactoryFlashLMDButtonClick();
    EXPECT_EQ(sim->callCount(Op::SaveModuleDescription), 0);
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, edited));
}

TEST_F(CoeffStorage, ADifferenceInTheLastBitOfAnyCodeSideValueEnablesTheFactorySave)
{
    // The code side is the 24 ADC doubles at 0 and the 4 DAC doubles at 384.
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < 24; ++i)
        offsets.push_back(8 * i);
    for (std::size_t i = 0; i < 4; ++i)
        offsets.push_back(384 + 8 * i);
    const CorrectionCoeffs factory = form->WorkingCoeffs;
    for (std::size_t offset : offsets) {
        SCOPED_TRACE(offset);
        auto* bytes = reinterpret_cast<uint8_t*>(&form->WorkingCoeffs);
        double value;
        std::memcpy(&value, bytes + offset, sizeof value);
        value = std::nextafter(value, 1e9);
        std::memcpy(bytes + offset, &value, sizeof value);
        form->UpdateCoeffSaveButtons();
        EXPECT_TRUE(factorySaveEnabled());
        form->WorkingCoeffs = factory;
        form->UpdateCoeffSaveButtons();
        EXPECT_FALSE(factorySaveEnabled());
    }
    // The shown side and the CRC take no part.
    form->WorkingCoeffs.AdcShown[1][1].Offset += 1.0;
    form->WorkingCoeffs.Crc = 0x1234;
    form->UpdateCoeffSaveButtons();
    EXPECT_FALSE(factorySaveEnabled());
}

TEST_F(CoeffStorage, TheWorkingAdcPairsGoIntoTheAdcParameters)
{
    editWorkingSet();
    AdcParameters parameters {};
    form->CopyWorkingAdcCoeffs(parameters);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(copyOf(parameters.AdcOffsetCoefs[r][c]), copyOf(form->WorkingCoeffs.AdcRaw[r][c].Offset));
            EXPECT_EQ(copyOf(parameters.AdcScaleCoefs[r][c]), copyOf(form->WorkingCoeffs.AdcRaw[r][c].Scale));
        }
    }
    EXPECT_EQ(copyOf(parameters.AdcOffsetCoefs[2][1]), 40.0);
}

TEST_F(CoeffStorage, AButtonDoesNothingWhileAnotherHandlerIsBusy)
{
    form->HandlerBusy = true;
    form->RefreshCalibrCoefsFromFileLMDButtonClick();
    form->ResetCalibrCoefsInFileLMDButtonClick();
    form->HandlerBusy = false;
    EXPECT_EQ(sim->callCount(Op::ReadUserFlash), 0);
    EXPECT_EQ(sim->callCount(Op::WriteUserFlash), 0);
    EXPECT_TRUE(recorder.empty());
}

// ---- Failures of the module ------------------------------------------------

struct FlashWriteFailure {
    const char* name;
    Op op;
    int skip; // calls of `op` that succeed first
    void (TMainForm::*click)();
    const char* text;
    bool moduleTakesBlock; // the module holds the new block afterwards
    bool userFlashSetTakesIt; // UserFlashCoeffs holds the new record afterwards
};

void PrintTo(const FlashWriteFailure& c, std::ostream* out)
{
    *out << c.name;
}

class CoeffFlashWriteFailure : public CoeffStorage, public ::testing::WithParamInterface<FlashWriteFailure> { };

TEST_P(CoeffFlashWriteFailure, IsReportedAndTheUserFlashSetMatchesWhatTheModuleHolds)
{
    const FlashWriteFailure& failure = GetParam();
    // The module and UserFlashCoeffs hold the factory record; the working set
    // then differs from it.
    form->SaveCalibrCoefsToFileLMDButtonClick();
    ASSERT_TRUE(recorder.empty());
    const CorrectionCoeffs previous = form->UserFlashCoeffs;
    editWorkingSet();
    const bool reset = failure.click == &TMainForm::ResetCalibrCoefsInFileLMDButtonClick;
    CorrectionCoeffs newRecord = reset ? coeffs::makeIdentityCoeffs() : form->WorkingCoeffs;
    coeffs::stampCrc(newRecord);

    sim->failOnce(failure.op, failure.skip);
    (form.get()->*failure.click)();

    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QString::fromUtf8(failure.text));
    EXPECT_EQ(recorder.messages()[0].caption, kUserFlashCaption);
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(sameBytes(recordOf(moduleUserFlash()), failure.moduleTakesBlock ? newRecord : previous));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, failure.userFlashSetTakesIt ? newRecord : previous));
}

const char kEnableRefused[] = "Не могу разрешить запись в пользовательское ППЗУ!";
const char kWriteRefused[] = "Не могу записать пользовательское ППЗУ!";
const char kDisableRefused[] = "Не могу запретить запись в пользовательское ППЗУ!";

INSTANTIATE_TEST_SUITE_P(EachStep, CoeffFlashWriteFailure,
    ::testing::Values(FlashWriteFailure { "SaveEnable", Op::UserFlashWriteAccess, 0,
                          &TMainForm::SaveCalibrCoefsToFileLMDButtonClick, kEnableRefused, false, false },
        FlashWriteFailure { "SaveWrite", Op::WriteUserFlash, 0, &TMainForm::SaveCalibrCoefsToFileLMDButtonClick,
            kWriteRefused, false, false },
        FlashWriteFailure { "SaveDisable", Op::UserFlashWriteAccess, 1, &TMainForm::SaveCalibrCoefsToFileLMDButtonClick,
            kDisableRefused, true, false },
        FlashWriteFailure { "ResetEnable", Op::UserFlashWriteAccess, 0,
            &TMainForm::ResetCalibrCoefsInFileLMDButtonClick, kEnableRefused, false, false },
        FlashWriteFailure { "ResetWrite", Op::WriteUserFlash, 0, &TMainForm::ResetCalibrCoefsInFileLMDButtonClick,
            kWriteRefused, false, false },
        FlashWriteFailure { "ResetDisable", Op::UserFlashWriteAccess, 1,
            &TMainForm::ResetCalibrCoefsInFileLMDButtonClick, kDisableRefused, true, true }),
    [](const ::testing::TestParamInfo<FlashWriteFailure>& info) { return std::string(info.param.name); });

TEST_F(CoeffStorage, AnUnreadableUserFlashGivesItsMessageAndTheFactorySet)
{
    form->SaveCalibrCoefsToFileLMDButtonClick();
    sim->failOnce(Op::ReadUserFlash);
    form->RefreshCalibrCoefsFromFileLMDButtonClick();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу считать данные из пользовательского ППЗУ!"));
    EXPECT_EQ(recorder.messages()[0].caption, kUserFlashCaption);
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, coeffs::BuildFactoryCoeffs(form->Description)));
    EXPECT_TRUE(sameBytes(form->UserFlashCoeffs, CorrectionCoeffs {}));
}

TEST_F(CoeffStorage, ARefusedFactorySaveLeavesTheDescriptionInMemoryAsTheModuleHoldsIt)
{
    const ModuleDescription before = moduleDescription();
    editWorkingSet();
    const CorrectionCoeffs edited = form->WorkingCoeffs;
    recorder.clear();
    sim->failOnce(Op::SaveModuleDescription);
    form->SaveCalibrCoefsToFactoryFlashLMDButtonClick();

    ASSERT_EQ(recorder.messages().size(), 3u); // the question, then two messages
    EXPECT_EQ(recorder.messages()[1].text, QStringLiteral("Не могу выполнить функцию SAVE_MODULE_DESCRIPTION()"));
    EXPECT_EQ(recorder.messages()[1].caption, QStringLiteral("Ошибка SaveAdcCorrectionCoeffsToFactoryFlash()!!!"));
    EXPECT_EQ(recorder.messages()[1].icon, MessageIcon::Information);
    EXPECT_EQ(recorder.messages()[2].text,
        QStringLiteral("Не могу сохранить корректировочные коэффициенты в заводском ППЗУ!!!"));
    EXPECT_EQ(recorder.messages()[2].caption, kFactorySaveCaption);
    EXPECT_EQ(recorder.messages()[2].icon, MessageIcon::None);
    EXPECT_TRUE(sameBytes(moduleDescription(), before));
    EXPECT_TRUE(sameBytes(form->Description, before));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, edited));

    // A refresh from the factory area shows what the module really holds.
    form->RefreshCalibrCoefsFromFactoryFlashLMDButtonClick();
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, coeffs::BuildFactoryCoeffs(before)));
}

TEST_F(CoeffStorage, AFailedReReadAfterTheFactorySaveIsReported)
{
    editWorkingSet();
    const CorrectionCoeffs edited = form->WorkingCoeffs;
    sim->failOnce(Op::ReadModuleDescription);
    form->SaveCalibrCoefsToFactoryFlashLMDButtonClick();

    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[1].text, QStringLiteral("Не могу получить информацию о модуле!"));
    EXPECT_EQ(recorder.messages()[1].caption, kFactorySaveCaption);
    EXPECT_EQ(recorder.messages()[1].icon, MessageIcon::None);
    // The module took the ADC pairs; the working set is left as it was.
    EXPECT_EQ(copyOf(moduleDescription().AdcOffsetCoefs[2 * 4 + 1]), 40.0);
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, edited));
}

} // namespace
