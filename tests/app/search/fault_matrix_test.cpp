// One failure of one library call at a time, in every operation that reaches
// the module outside acquisition: the module search with its configuration,
// the description reads, the user-flash read and writes and the factory-area
// write. Each case checks the exact messages (or that there are none), that
// the operation's finishing step ran, and that the window still works: a
// second search afterwards readies the module.

#include "search_fixture.h"

#include "widgets/led_shape.h"

#include <QGroupBox>
#include <ostream>
#include <vector>

namespace {

using modlink_sim::Op;

const char kThreadCaption[] = "Сообщение TInitAndConfigThread::Execute()!!!";
const char kUserFlashCaption[] = "Ошибка CheckCorrectionCoeffsInUserFlash()!";
const char kFactorySaveCaption[] = "Ошибка SaveAdcCalibrCoefsGridToFactoryFlashLMDButtonClick()!";
const char kCannotOpenSlot[] = "Не могу открыть cлот 0 для доступа к модулю Q47-05!";
const char kCannotDescribe[] = "Не могу получить информацию о модуле!";
const char kEnableRefused[] = "Не могу разрешить запись в пользовательское ППЗУ!";
const char kWriteRefused[] = "Не могу записать пользовательское ППЗУ!";
const char kDisableRefused[] = "Не могу запретить запись в пользовательское ППЗУ!";

struct Message {
    const char* text;
    const char* caption;
};

// A coefficient button's handler, run after a successful search; null for
// the module search itself.
using ButtonClick = void (TMainForm::*)();

struct Fault {
    const char* name;
    Op op;
    int skip; // calls of `op` that succeed first
    ButtonClick click;
    int firmwareSource; // "Источник загрузки ПЛИС модуля" for the search
    std::vector<Message> messages; // empty: the failure passes silently
    int stateAfter; // ModuleState once the operation has finished
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class FaultMatrix : public SearchTest, public ::testing::WithParamInterface<Fault> {
protected:
    // One module in slot 0. The scan opens every slot once (16 calls) and
    // reads one description; the chosen slot is opened once more, then
    // reopened by the configuration.
    void SetUp() override
    {
        SearchTest::SetUp();
        placeOnly(0, moduleWith("C1"));
        writeSettingsFile({ QStringLiteral("[Приложение. Обнаружение]"),
            QStringLiteral("Источник загрузки ПЛИС модуля=%1").arg(GetParam().firmwareSource) });
    }

    // Messages shown, without the Yes/No question the factory save asks first.
    std::vector<platform::MessageRequest> shownMessages() const
    {
        std::vector<platform::MessageRequest> shown;
        for (const platform::MessageRequest& request : recorder.messages()) {
            if (request.buttons != platform::MessageButtons::YesNo)
                shown.push_back(request);
        }
        return shown;
    }

    void expectReady(bool ready)
    {
        EXPECT_EQ(form->ModuleStatusLed->shownColour(), ready ? QColor(0, 255, 0) : QColor(255, 0, 0));
        EXPECT_EQ(form->AdcGroupParsLMDGroupBox->isEnabled(), ready);
        EXPECT_EQ(form->StartMultimeterLMDSimplePanel->isHidden(), !ready);
        expectControlsGivenBack();
    }
};

TEST_P(FaultMatrix, ShowsItsMessagesFinishesAndLeavesTheWindowWorking)
{
    const Fault& fault = GetParam();
    if (fault.click) {
        runSearch();
        ASSERT_EQ(form->ModuleState, 2);
        ASSERT_TRUE(recorder.empty());
    }
    sim->failOnce(fault.op, fault.skip);
    if (fault.click)
        (form.get()->*fault.click)();
    else
        runSearch();

    const std::vector<platform::MessageRequest> shown = shownMessages();
    ASSERT_EQ(shown.size(), fault.messages.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, QString::fromUtf8(fault.messages[i].text));
        EXPECT_EQ(shown[i].caption, QString::fromUtf8(fault.messages[i].caption));
    }
    EXPECT_EQ(sim->callCount(fault.op) > fault.skip, true) << "the failure was reached";
    EXPECT_EQ(form->ModuleState, fault.stateAfter);
    EXPECT_FALSE(form->HandlerBusy);
    if (!fault.click)
        expectReady(fault.stateAfter == 2);

    recorder.clear();
    sim->clearFailures();
    runSearch();
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_EQ(form->ModuleState, 2);
    expectReady(true);
}

INSTANTIATE_TEST_SUITE_P(EachCall, FaultMatrix,
    ::testing::Values(
        // The module search and its configuration.
        Fault { "GetModuleInterface", Op::GetModuleInterface, 0, nullptr, 1,
            { { "Не могу получить интерфейс на модуль Q47-05!", kThreadCaption } }, 0 },
        Fault { "ScanOpenSlot", Op::OpenSlot, 0, nullptr, 1,
            { { "Не могу найти ни одного модуля типа Q47-05!", kThreadCaption } }, 0 },
        Fault { "ScanDescription", Op::ReadModuleDescription, 0, nullptr, 1,
            { { "Не могу получить информацию о модуле Q47-05!", kThreadCaption } }, 0 },
        Fault { "ScanCloseSlot", Op::CloseSlot, 0, nullptr, 1, {}, 2 },
        Fault { "OpenChosenSlot", Op::OpenSlot, 16, nullptr, 1, { { kCannotOpenSlot, kThreadCaption } }, 0 },
        Fault { "ReopenSlot", Op::OpenSlot, 17, nullptr, 1, { { kCannotOpenSlot, kThreadCaption } }, 1 },
        Fault { "ConfigurationCloseSlot", Op::CloseSlot, 1, nullptr, 1, {}, 2 },
        Fault { "QueryUsbSpeed", Op::QueryUsbSpeed, 0, nullptr, 1,
            { { "Не могу получить скорость работы шинв USB!", kThreadCaption } }, 1 },
        Fault { "LoadOwnFirmware", Op::LoadModule, 0, nullptr, 1,
            { { "Не могу выполнить функцию LOAD_MODULE()!", kThreadCaption } }, 1 },
        Fault { "DescriptionBeforeFirmware", Op::ReadModuleDescription, 1, nullptr, 0,
            { { kCannotDescribe, kThreadCaption } }, 1 },
        Fault { "LoadNamedFirmware", Op::LoadModule, 0, nullptr, 0,
            { { "Не могу выполнить функцию LOAD_MODULE('Q4705mi.pld')!", kThreadCaption } }, 1 },
        Fault { "CheckFirmware", Op::CheckFirmware, 0, nullptr, 1,
            { { "Ошибка загрузки ПЛИС модуля!", kThreadCaption } }, 1 },
        Fault { "DescriptionAfterFirmware", Op::ReadModuleDescription, 1, nullptr, 1,
            { { kCannotDescribe, kThreadCaption } }, 1 },
        Fault { "StopAcquisition", Op::StopAcquisition, 0, nullptr, 1,
            { { "Не могу остановить сбор данных!", kThreadCaption } }, 1 },
        // The user flash.
        Fault { "ReadUserFlash", Op::ReadUserFlash, 0, &TMainForm::RefreshCalibrCoefsFromFileLMDButtonClick, 1,
            { { "Не могу считать данные из пользовательского ППЗУ!", kUserFlashCaption } }, 2 },
        Fault { "SaveEnable", Op::UserFlashWriteAccess, 0, &TMainForm::SaveCalibrCoefsToFileLMDButtonClick, 1,
            { { kEnableRefused, kUserFlashCaption } }, 2 },
        Fault { "SaveWrite", Op::WriteUserFlash, 0, &TMainForm::SaveCalibrCoefsToFileLMDButtonClick, 1,
            { { kWriteRefused, kUserFlashCaption } }, 2 },
        Fault { "SaveDisable", Op::UserFlashWriteAccess, 1, &TMainForm::SaveCalibrCoefsToFileLMDButtonClick, 1,
            { { kDisableRefused, kUserFlashCaption } }, 2 },
        Fault { "ResetEnable", Op::UserFlashWriteAccess, 0, &TMainForm::ResetCalibrCoefsInFileLMDButtonClick, 1,
            { { kEnableRefused, kUserFlashCaption } }, 2 },
        Fault { "ResetWrite", Op::WriteUserFlash, 0, &TMainForm::ResetCalibrCoefsInFileLMDButtonClick, 1,
            { { kWriteRefused, kUserFlashCaption } }, 2 },
        Fault { "ResetDisable", Op::UserFlashWriteAccess, 1, &TMainForm::ResetCalibrCoefsInFileLMDButtonClick, 1,
            { { kDisableRefused, kUserFlashCaption } }, 2 },
        // The factory area, and the description read after writing it.
        Fault { "FactoryWrite", Op::SaveModuleDescription, 0, &TMainForm::SaveCalibrCoefsToFactoryFlashLMDButtonClick,
            1,
            { { "Не могу выполнить функцию SAVE_MODULE_DESCRIPTION()",
                  "Ошибка SaveAdcCorrectionCoeffsToFactoryFlash()!!!" },
                { "Не могу сохранить корректировочные коэффициенты в заводском ППЗУ!!!", kFactorySaveCaption } },
            2 },
        Fault { "DescriptionAfterFactoryWrite", Op::ReadModuleDescription, 0,
            &TMainForm::SaveCalibrCoefsToFactoryFlashLMDButtonClick, 1, { { kCannotDescribe, kFactorySaveCaption } },
            2 }),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

} // namespace
