// What the search takes from the settings file: the defaults written when it
// is missing, the firmware source, the window position at the first start,
// a file it cannot create or read, and the defaults applied to the controls.

#include "search_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "settings/ini_file.h"
#include "support/sim_library.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStringEncoder>
#include <QToolButton>

namespace {

class SearchSettingsTest : public SearchTest {
protected:
    std::string loadedFirmware()
    {
        char name[64] = {};
        return sim->loadedFirmware(0, name, sizeof name) ? std::string(name) : std::string("-");
    }
};

TEST_F(SearchSettingsTest, AMissingFileIsWrittenWithTheDefaultsAndTheLibraryFirmwareIsLoaded)
{
    placeOnly(0, moduleWith("D1"));
    ASSERT_FALSE(QFile::exists(settingsPath()));
    runSearch(true);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join('|').toStdString();
    settings::IniFile file(settingsPath());
    EXPECT_EQ(
        file.readInteger(QStringLiteral("Приложение. Обнаружение"), QStringLiteral("Источник загрузки ПЛИС модуля"), 7),
        1);
    EXPECT_EQ(file.readString(
                  QStringLiteral("Модуль Q47-05"), QStringLiteral("АЦП. Метод расчёта измеряемых величин"), QString()),
        QStringLiteral("fft"));
    EXPECT_EQ(loadedFirmware(), "");
    EXPECT_EQ(form->ModuleState, 2);
}

TEST_F(SearchSettingsTest, TheFirstStartAppliesTheDefaultsItWrote)
{
    placeOnly(0, moduleWith("D2"));
    runSearch(true);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(form->ComputationModeLabLMDLabel->text(), QStringLiteral("fft"));
    EXPECT_NEAR(form->AdcRateLMDEdit->text().toDouble(), 1000.0, 100.0);
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::Checked);
    EXPECT_EQ(form->AllInputRangeLMDComboBox->currentIndex(), 0);
    EXPECT_EQ(form->CommonInputConnectionModeLMDComboBox->currentIndex(), 1);
    EXPECT_EQ(form->CommonMeasuringMethodLMDComboBox->currentIndex(), 2);
    for (const TQ4705AdcChannelFrame* frame : form->ChannelFrames) {
        EXPECT_TRUE(frame->ChannelNumberLMDCheckBox->isEnabled());
        EXPECT_TRUE(frame->ChannelNumberLMDCheckBox->isChecked());
        EXPECT_TRUE(frame->ParTypeLMDComboBox->isEnabled());
    }
    for (const QLineEdit* dac : form->DacEdits) {
        EXPECT_TRUE(dac->isEnabled());
        EXPECT_EQ(dac->text(), QStringLiteral("1.000"));
    }
    EXPECT_TRUE(form->StartMultimeterLMDSpeedButton->isEnabled());
}

TEST_F(SearchSettingsTest, AFileOfAnyBytesNeverStopsTheSearch)
{
    placeOnly(0, moduleWith("G1"));
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    QStringEncoder encoder("windows-1251");
    bytes += "\r\n" + QByteArray(encoder.encode(QStringLiteral("[Приложение. Обнаружение]\r\n")));
    bytes += QByteArray(encoder.encode(QStringLiteral("Источник загрузки ПЛИС модуля="))) + "\x98\xff zz\r\n";
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    runSearch(true);
    // The firmware source cannot be read, so it takes its read default.
    EXPECT_EQ(loadedFirmware(), "");
    EXPECT_EQ(form->ModuleState, 2);
    expectControlsGivenBack();
}

TEST_F(SearchSettingsTest, TheWindowPositionIsRestoredAtTheFirstStartOnly)
{
    writeSettingsFile({ QStringLiteral("[Приложение. Общие]"), QStringLiteral("Top    основной панели=120"),
        QStringLiteral("Left   основной панели=-1") });
    runSearch(true);
    // -1 leaves the window centred as it opened.
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->pos(), QPoint((workArea.width() - form->width()) / 2, 120));

    const QPoint restored = form->pos();
    writeSettingsFile({ QStringLiteral("[Приложение. Общие]"), QStringLiteral("Top    основной панели=300"),
        QStringLiteral("Left   основной панели=40") });
    runSearch();
    EXPECT_EQ(form->pos(), restored);
}

TEST_F(SearchSettingsTest, AStoredPositionOffTheScreenLeavesTheWindowCentred)
{
    writeSettingsFile({ QStringLiteral("[Приложение. Общие]"), QStringLiteral("Top    основной панели=100000"),
        QStringLiteral("Left   основной панели=-50000") });
    runSearch(true);
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->pos(),
        QPoint((workArea.width() - form->width()) / 2, (workArea.height() - form->frameGeometry().height()) / 2));
}

TEST_F(SearchSettingsTest, AFileThatCannotBeCreatedEndsThePreparation)
{
    form = std::make_unique<TestForm>(openSimulatedLibrary(), settingsDirectory.filePath(QStringLiteral("missing")));
    sim->resetCallCounts();
    runSearch(true);
    EXPECT_EQ(messageTexts(), QStringList { QStringLiteral("Не могу создать файл настроек!") });
    EXPECT_EQ(sim->callCount(modlink_sim::Op::OpenSlot), 0);
    expectControlsGivenBack();
}

// The reasons and what a save does then: settings_file_failures_test.cpp.
TEST_F(SearchSettingsTest, AFileThatCannotBeReadDoesNotEndThePreparation)
{
    ASSERT_TRUE(QDir(settingsDirectory.path()).mkdir(QStringLiteral("Zentrix.ini")));
    sim->resetCallCounts();
    runSearch(true);
    ASSERT_EQ(messageTexts().size(), 1);
    EXPECT_NE(messageTexts()[0], QStringLiteral("Не могу выделить память под файл настроек!"));
    EXPECT_GT(sim->callCount(modlink_sim::Op::OpenSlot), 0);
    EXPECT_EQ(form->ModuleState, 2);
    expectControlsGivenBack();
}

} // namespace
