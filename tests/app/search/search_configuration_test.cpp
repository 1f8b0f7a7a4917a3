// Configuring the module found: firmware by source, revision and grade, and
// a failure of each operation, each with its own message, after which the
// search still gives the controls back.

#include "search_fixture.h"

#include "support/sim_library.h"
#include "widgets/led_shape.h"

#include <QGroupBox>
#include <QLabel>

namespace {

using modlink_sim::Op;

class ConfigurationTest : public SearchTest {
protected:
    void useFirmwareSource(int source)
    {
        writeSettingsFile({ QStringLiteral("[Приложение. Обнаружение]"),
            QStringLiteral("Источник загрузки ПЛИС модуля=%1").arg(source) });
    }

    // Name of the firmware the module has loaded; "-" when none.
    std::string loadedFirmware(int slot)
    {
        char name[64] = {};
        return sim->loadedFirmware(slot, name, sizeof name) ? std::string(name) : std::string("-");
    }

    void expectNotReady()
    {
        EXPECT_EQ(form->ModuleStatusLed->shownColour(), QColor(255, 0, 0));
        EXPECT_FALSE(form->AdcGroupParsLMDGroupBox->isEnabled());
        EXPECT_TRUE(form->StartMultimeterLMDSimplePanel->isHidden());
        expectControlsGivenBack();
    }
};

struct FirmwareCase {
    int source;
    char revision;
    uint8_t options;
    const char* firmware; // "" the library's own, "-" none
    const char* message; // null when the module becomes ready
};

TEST_F(ConfigurationTest, FirmwareFollowsSourceRevisionAndGrade)
{
    const FirmwareCase cases[] = {
        { 1, 'B', 0x14, "", nullptr },
        { 0, 'B', 0x00, "Q4705m.pld", nullptr },
        { 0, 'B', 0x14, "Q4705mi.pld", nullptr },
        { 0, 'B', 0x08, "-", "Что-то не то с исполнением модуля!" },
        { 0, 'A', 0x00, "q4705.pld", "Пока не работаем с модулем ревизии 'A'.\n Требуется доработка программы!!!" },
    };
    for (const FirmwareCase& c : cases) {
        SCOPED_TRACE(c.firmware);
        recorder.clear();
        placeOnly(0, moduleWith("M1", c.revision, c.options));
        useFirmwareSource(c.source);
        runSearch();
        EXPECT_EQ(loadedFirmware(0), c.firmware);
        if (c.message) {
            EXPECT_EQ(messageTexts(), QStringList { QString::fromUtf8(c.message) });
            EXPECT_EQ(form->ModuleState, 1);
            expectNotReady();
        } else {
            EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join('|').toStdString();
            EXPECT_EQ(form->ModuleState, 2);
        }
    }
}

TEST_F(ConfigurationTest, RevisionAIsRefusedOnlyAfterItsFirmwareLoadedAndItsStatusShows)
{
    placeOnly(0, moduleWith("RA", 'A', 0x00));
    runSearch();
    EXPECT_EQ(loadedFirmware(0), "");
    EXPECT_EQ(messageTexts(),
        QStringList { QStringLiteral("Пока не работаем с модулем ревизии 'A'.\n Требуется доработка программы!!!") });
    EXPECT_EQ(form->ModuleState, 1);
    EXPECT_EQ(form->ModuleStatusLed->toolTip(), QStringLiteral("Статус модуля 'Q47-05' -> BAD"));
    EXPECT_EQ(form->ModuleTemperatureGradeLMDLabel->text(), QStringLiteral("C"));
    EXPECT_EQ(form->windowTitle(),
        QStringLiteral("Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N RA, версия микропрограммы 2.07.15)"));
    expectNotReady();
}

struct FailureCase {
    Op op;
    int skip; // calls of the operation that succeed first
    int source;
    const char* message;
    int stateAfter;
};

// One module in slot 0. The scan opens every slot once (16 calls) and reads
// one description; the chosen slot is opened once more, then reopened by the
// configuration.
TEST_F(ConfigurationTest, EachFailingOperationShowsItsOwnMessageAndTheSearchStillFinishes)
{
    const FailureCase cases[] = {
        { Op::GetModuleInterface, 0, 1, "Не могу получить интерфейс на модуль Q47-05!", 0 },
        { Op::OpenSlot, 16, 1, "Не могу открыть cлот 0 для доступа к модулю Q47-05!", 0 },
        { Op::OpenSlot, 17, 1, "Не могу открыть cлот 0 для доступа к модулю Q47-05!", 1 },
        { Op::QueryUsbSpeed, 0, 1, "Не могу получить скорость работы шинв USB!", 1 },
        { Op::LoadModule, 0, 1, "Не могу выполнить функцию LOAD_MODULE()!", 1 },
        { Op::LoadModule, 0, 0, "Не могу выполнить функцию LOAD_MODULE('Q4705mi.pld')!", 1 },
        { Op::ReadModuleDescription, 1, 0, "Не могу получить информацию о модуле!", 1 },
        { Op::CheckFirmware, 0, 1, "Ошибка загрузки ПЛИС модуля!", 1 },
        { Op::ReadModuleDescription, 1, 1, "Не могу получить информацию о модуле!", 1 },
        { Op::StopAcquisition, 0, 1, "Не могу остановить сбор данных!", 1 },
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.message);
        // A fresh window each time, so every case obtains its interface anew.
        form = std::make_unique<TestForm>(openSimulatedLibrary(), settingsDirectory.path());
        recorder.clear();
        placeOnly(0, moduleWith("C1"));
        useFirmwareSource(c.source);
        sim->clearFailures();
        sim->failOnce(c.op, c.skip);
        runSearch();
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Сообщение TInitAndConfigThread::Execute()!!!"));
        EXPECT_EQ(form->ModuleState, c.stateAfter);
        expectNotReady();
    }
}

} // namespace
