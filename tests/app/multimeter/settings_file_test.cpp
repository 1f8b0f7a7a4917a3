// The settings file as the window reads and saves it: values survive a
// round trip, keys are written only from controls that hold a value, a file
// of nonsense gives usable controls, and the three ways of saving.

#include "multimeter_window.h"

#include "frames/q4705_adc_channel_frame.h"
#include "settings/ini_file.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <vector>

namespace {

const QString kAppSection = QStringLiteral("Приложение. Общие");

class SettingsFileTest : public MultimeterWindowTest {
protected:
    // The state of every control the settings file keeps for the channels.
    std::vector<int> channelControls() const
    {
        std::vector<int> state { form->AllChannelsLMDCheckBox->checkState(),
            form->AllInputRangeLMDComboBox->currentIndex(), form->CommonInputConnectionModeLMDComboBox->currentIndex(),
            form->CommonMeasuringMethodLMDComboBox->currentIndex() };
        for (const TQ4705AdcChannelFrame* f : form->ChannelFrames) {
            state.insert(state.end(),
                { f->ChannelNumberLMDCheckBox->isChecked() ? 1 : 0, f->InputRangeLMDComboBox->currentIndex(),
                    f->InputConnectionModeLMDComboBox->currentIndex(), f->ParTypeLMDComboBox->currentIndex() });
        }
        return state;
    }
    double storedNumber(const char* key) const { return fileValue(kModuleSection, QString::fromUtf8(key)).toDouble(); }
};

const QStringList kMixedChannels { QStringLiteral("[Приложение. Общие]"), QStringLiteral("Сохранение настроек=1"),
    QStringLiteral("[Модуль Q47-05]"), QStringLiteral("АЦП. Метод расчёта измеряемых величин=sum"),
    QStringLiteral("АЦП. Частота работы, кГц=500"), QStringLiteral("АЦП. Групповое управление каналами=0"),
    QStringLiteral("АЦП. Управление каналом 1=1"), QStringLiteral("АЦП. Управление каналом 2=0"),
    QStringLiteral("АЦП. Управление каналом 3=1"), QStringLiteral("АЦП. Управление каналом 4=1"),
    QStringLiteral("АЦП. Групповое управление входным диапазоном=-1"),
    QStringLiteral("АЦП. Управление входным диапазоном канала 1=0"),
    QStringLiteral("АЦП. Управление входным диапазоном канала 2=1"),
    QStringLiteral("АЦП. Управление входным диапазоном канала 3=2"),
    QStringLiteral("АЦП. Управление входным диапазоном канала 4=1"),
    QStringLiteral("АЦП. Групповое управление типом подключения каналов=0"),
    QStringLiteral("АЦП. Управление типом подключения канала 1=1"),
    QStringLiteral("АЦП. Групповое управление типом измеряемого параметра=-1"),
    QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 1=0"),
    QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 2=1"),
    QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 3=2"),
    QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 4=2"),
    QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В=2.5"),
    QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 2, В=-1.25") };

TEST_F(SettingsFileTest, StoredControlsAreShownAndSurviveASave)
{
    writeSettingsFile(kMixedChannels);
    applySettingsAsSearch();

    EXPECT_TRUE(form->AutoSaveSettingsLMDCheckBox->isChecked());
    EXPECT_FALSE(form->SaveSettingsButton->isEnabled());
    EXPECT_EQ(form->ComputationModeLabLMDLabel->text(), QStringLiteral("sum"));
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(form->AllInputRangeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(form->CommonInputConnectionModeLMDComboBox->currentIndex(), 0);
    EXPECT_EQ(form->CommonMeasuringMethodLMDComboBox->currentIndex(), -1);
    const int ranges[] = { 0, 1, 2, 1 };
    const int parTypes[] = { 0, 1, 2, 2 };
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(channelBox(c)->isChecked(), c != 1);
        EXPECT_EQ(frame(c)->InputRangeLMDComboBox->currentIndex(), ranges[c]);
        // The group value wins over the channel's own key.
        EXPECT_EQ(frame(c)->InputConnectionModeLMDComboBox->currentIndex(), 0);
        EXPECT_EQ(frame(c)->ParTypeLMDComboBox->currentIndex(), parTypes[c]);
        EXPECT_EQ(frame(c)->InputRangeLMDComboBox->isEnabled(), c != 1);
    }
    EXPECT_EQ(frame(0)->Value2LabLMDLabel->text(), QString());
    EXPECT_EQ(frame(1)->Value2LabLMDLabel->text(), QStringLiteral("кГц"));
    EXPECT_EQ(form->Dac1ValueLMDEdit->text(), QStringLiteral("2.500"));
    EXPECT_EQ(form->Dac2ValueLMDEdit->text(), QStringLiteral("-1.250"));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();

    const std::vector<int> shown = channelControls();
    const double acceptedRateHz = form->AdcRateHz;
    form->SaveIniFile(form->SettingsPath);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_NEAR(storedNumber("АЦП. Частота работы, кГц"), acceptedRateHz * 0.001, 1e-9);
    EXPECT_EQ(storedNumber("ЦАП. Амплитуда постоянного сигнала для канала 1, В"), 2.5);
    EXPECT_EQ(storedNumber("ЦАП. Амплитуда постоянного сигнала для канала 2, В"), -1.25);
    EXPECT_EQ(
        fileValue(kModuleSection, QStringLiteral("АЦП. Управление типом подключения канала 3")), QStringLiteral("0"));
    EXPECT_EQ(fileValue(kAppSection, QStringLiteral("Сохранение настроек")), QStringLiteral("1"));
    EXPECT_EQ(fileValue(kAppSection, QStringLiteral("Top    основной панели")), QString::number(form->y()));
    // The method is not saved: it keeps what the file had.
    EXPECT_EQ(
        fileValue(kModuleSection, QStringLiteral("АЦП. Метод расчёта измеряемых величин")), QStringLiteral("sum"));

    // Read back, the saved file gives the same controls.
    for (int c = 0; c < 4; ++c)
        form->ResetChannelFrame(c);
    settings::IniFile saved(form->SettingsPath);
    ASSERT_TRUE(form->ReadIniFile(&saved));
    EXPECT_EQ(channelControls(), shown);
    EXPECT_DOUBLE_EQ(form->AdcRateHz, acceptedRateHz);
}

TEST_F(SettingsFileTest, AGreyGroupBoxIsSavedAsOffAndAListWithoutSelectionAsMinusOne)
{
    applySettingsAsSearch();
    channelBox(2)->click();
    frame(0)->InputRangeLMDComboBox->setCurrentIndex(1);
    ASSERT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::PartiallyChecked);
    ASSERT_EQ(form->AllInputRangeLMDComboBox->currentIndex(), -1);
    form->SaveIniFile(form->SettingsPath);
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Групповое управление каналами")), QStringLiteral("0"));
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 3")), QStringLiteral("0"));
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 4")), QStringLiteral("1"));
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Групповое управление входным диапазоном")),
        QStringLiteral("-1"));
    EXPECT_EQ(
        fileValue(kModuleSection, QStringLiteral("АЦП. Управление входным диапазоном канала 1")), QStringLiteral("1"));
}

TEST_F(SettingsFileTest, KeysOfControlsWithoutAValueKeepTheirStoredValues)
{
    writeSettingsFile({ QStringLiteral("[Модуль Q47-05]"), QStringLiteral("АЦП. Частота работы, кГц=777"),
        QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В=3.3"),
        QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 2, В=-2.2") });
    // No module is ready: the rate and DAC fields stay disabled.
    settings::IniFile file(form->SettingsPath);
    ASSERT_TRUE(form->ReadIniFile(&file));
    // As a search that found no module leaves the page.
    form->HandlerBusy = true;
    form->SetEnabledRecursively(form->MainLMDSimplePanel, false);
    for (QWidget* control : std::initializer_list<QWidget*> { form->MainLMDSimplePanel, form->MainLMDPageControl,
             form->MultimeterLMDTabSheet, form->MultimeterLMDSimplePanel })
        control->setEnabled(true);
    form->HandlerBusy = false;
    ASSERT_FALSE(form->AdcRateLMDEdit->isEnabled());
    form->SaveIniFile(form->SettingsPath);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Частота работы, кГц")), QStringLiteral("777"));
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В")),
        QStringLiteral("3.3"));

    // An enabled DAC field that holds no number keeps its key too.
    form->DacAndEquipmentLMDSimplePanel->setEnabled(true);
    form->SetEnabledRecursively(form->DacSamplesLMDGroupBox, true);
    setFieldText(form->Dac1ValueLMDEdit, QStringLiteral("abc"));
    setFieldText(form->Dac2ValueLMDEdit, QStringLiteral("4.125"));
    form->SaveIniFile(form->SettingsPath);
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В")),
        QStringLiteral("3.3"));
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 2, В")),
        QStringLiteral("4.125"));
}

struct GarbageCase {
    const char* name;
    const char* lines; // "key=value" lines of the module's section
    // What must hold afterwards, besides usable channel controls.
    std::function<void(MultimeterWindowTest&, TMainForm&)> check;
    const char* message; // expected message, or nullptr for none
};

class GarbageFileTest : public SettingsFileTest, public ::testing::WithParamInterface<GarbageCase> { };

TEST_P(GarbageFileTest, AValueOutOfRangeFallsBackToASafeOne)
{
    const GarbageCase& row = GetParam();
    writeSettingsFile(
        QStringList { QStringLiteral("[Модуль Q47-05]") } + QString::fromUtf8(row.lines).split(QLatin1Char('\n')));
    applySettingsAsSearch();
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_GE(frame(c)->InputRangeLMDComboBox->currentIndex(), 0);
        EXPECT_GE(frame(c)->InputConnectionModeLMDComboBox->currentIndex(), 0);
        EXPECT_GE(frame(c)->ParTypeLMDComboBox->currentIndex(), 0);
    }
    row.check(*this, *form);
    if (row.message) {
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, QString::fromUtf8(row.message));
    } else {
        EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Values, GarbageFileTest,
    ::testing::Values(
        // The group has no value; the channels keep their own (defaults here).
        GarbageCase { "GroupRangeBeyondTheList", "АЦП. Групповое управление входным диапазоном=7",
            [](auto&, TMainForm& f) {
                EXPECT_EQ(f.AllInputRangeLMDComboBox->currentIndex(), -1);
                EXPECT_EQ(f.ChannelFrames[0]->InputRangeLMDComboBox->currentIndex(), 0);
            },
            nullptr },
        GarbageCase { "ChannelRangeBeyondTheList",
            "АЦП. Групповое управление входным диапазоном=-1\nАЦП. Управление входным диапазоном канала 2=99",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.ChannelFrames[1]->InputRangeLMDComboBox->currentIndex(), 2); },
            nullptr },
        GarbageCase { "NegativeChannelParameter",
            "АЦП. Групповое управление типом измеряемого параметра=-1\n"
            "АЦП. Управление типом измеряемого параметра для канала 3=-5",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.ChannelFrames[2]->ParTypeLMDComboBox->currentIndex(), 0); },
            nullptr },
        GarbageCase { "GroupParameterNotANumber", "АЦП. Групповое управление типом измеряемого параметра=zz",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.CommonMeasuringMethodLMDComboBox->currentIndex(), 2); }, nullptr },
        GarbageCase { "RateNotANumber", "АЦП. Частота работы, кГц=fast",
            [](auto&, TMainForm& f) { EXPECT_NEAR(f.AdcRateHz, 1e6, 1e5); }, nullptr },
        GarbageCase { "RateTooLargeForHertz", "АЦП. Частота работы, кГц=1e306",
            [](auto&, TMainForm& f) { EXPECT_NEAR(f.AdcRateHz, 1e6, 1e5); }, nullptr },
        GarbageCase { "NegativeRate", "АЦП. Частота работы, кГц=-5",
            [](auto&, TMainForm& f) {
                EXPECT_EQ(f.AdcRateLMDEdit->text(), QStringLiteral("------"));
                EXPECT_EQ(f.KadrRateLMDLabel->text(), QStringLiteral("------"));
            },
            "Не могу установить параметры сбора данных!" },
        GarbageCase { "HugeDacLevel", "ЦАП. Амплитуда постоянного сигнала для канала 1, В=1e300",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.Dac1ValueLMDEdit->text(), QStringLiteral("5.000")); }, nullptr },
        GarbageCase { "NegativePrecision", "АЦП. Диапазон  3.0 В. DC precision=-1",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.PrecisionFormats[0], QStringLiteral("0.0000000000")); }, nullptr },
        GarbageCase { "UnknownMethod", "АЦП. Метод расчёта измеряемых величин=xyz",
            [](auto&, TMainForm& f) { EXPECT_EQ(f.ComputationModeLabLMDLabel->text(), QStringLiteral("xyz")); },
            nullptr }),
    [](const ::testing::TestParamInfo<GarbageCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, TheSaveButtonSavesAndStaysDisabledForHalfASecond)
{
    applySettingsAsSearch();
    ASSERT_TRUE(form->SaveSettingsButton->isEnabled());
    channelBox(3)->click();
    bool disabledMeanwhile = false;
    QTimer::singleShot(100, form.get(), [&] { disabledMeanwhile = !form->SaveSettingsButton->isEnabled(); });
    QElapsedTimer timer;
    timer.start();
    form->SaveSettingsButton->click();
    EXPECT_GE(timer.elapsed(), 500);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(form->SaveSettingsButton->isEnabled());
    EXPECT_FALSE(form->HandlerBusy);
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 4")), QStringLiteral("0"));
}

TEST_F(SettingsFileTest, AutoSaveDisablesTheSaveButtonAndSavesAtClose)
{
    applySettingsAsSearch();
    form->AutoSaveSettingsLMDCheckBox->click();
    EXPECT_FALSE(form->SaveSettingsButton->isEnabled());
    channelBox(0)->click();
    // A save from the menu leaves the button as auto-save wants it.
    form->SaveCurrentSettings->trigger();
    EXPECT_FALSE(form->SaveSettingsButton->isEnabled());
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 1")), QStringLiteral("0"));

    channelBox(1)->click();
    form->close();
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 2")), QStringLiteral("0"));
    EXPECT_EQ(fileValue(kAppSection, QStringLiteral("Сохранение настроек")), QStringLiteral("1"));
}

TEST_F(SettingsFileTest, WithoutAutoSaveClosingLeavesTheFileAlone)
{
    applySettingsAsSearch();
    channelBox(0)->click();
    form->close();
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 1")), QStringLiteral("1"));
}

TEST_F(SettingsFileTest, TheDefaultsFromTheMenuChangeTheFileButNotTheScreen)
{
    applySettingsAsSearch();
    channelBox(0)->click();
    form->SaveIniFile(form->SettingsPath);
    form->SaveDefaultSettings->trigger();
    EXPECT_EQ(fileValue(kModuleSection, QStringLiteral("АЦП. Управление каналом 1")), QStringLiteral("1"));
    EXPECT_FALSE(channelBox(0)->isChecked());
}

} // namespace
