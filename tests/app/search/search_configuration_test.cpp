// Configuring the module found: firmware by source, revision and grade. A
// failure of each operation is in fault_matrix_test.cpp.

#include "search_fixture.h"

#include "widgets/led_shape.h"

#include <QGroupBox>
#include <QLabel>

namespace {

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

} // namespace
