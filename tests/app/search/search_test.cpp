// Finding, choosing and showing the module on the simulated bus.

#include "search_fixture.h"

#include "device/device_library.h"
#include "support/sim_library.h"
#include "widgets/led_shape.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>
#include <QToolButton>
#include <cstring>
#include <tuple>

namespace {

const QString kThreadCaption = QStringLiteral("Сообщение TInitAndConfigThread::Execute()!!!");
const QString kUnknownModuleCaption
    = QStringLiteral("Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N ???????, версия микропрограммы ?.?\?.?\?)");

QString captionFor(const QString& serial)
{
    return QStringLiteral("Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N ") + serial
        + QStringLiteral(", версия микропрограммы 2.07.15)");
}

class TwoModules : public SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        sim->clearBus();
        ASSERT_TRUE(sim->setModule(3, moduleWith("A1")));
        ASSERT_TRUE(sim->setModule(7, moduleWith("B2")));
    }
};

TEST_F(TwoModules, TheWantedSerialChoosesItsModuleAndLeavesItsSlotOpen)
{
    writeSettingsFile({ QStringLiteral("[Приложение. Обнаружение]"), QStringLiteral("Серийный номер модуля=B2") });
    runSearch();
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(moduleListItems(), (QStringList { QStringLiteral("1: A1"), QStringLiteral("2: B2") }));
    EXPECT_EQ(form->ModulesComboBox->currentIndex(), 1);
    EXPECT_EQ(form->ModulesComboBox->maxVisibleItems(), 2);
    EXPECT_EQ(form->ModuleSlots[0], 3);
    EXPECT_EQ(form->ModuleSlots[1], 7);
    EXPECT_EQ(sim->openSlot(), 7);
    EXPECT_EQ(form->ModuleState, 2);
    EXPECT_EQ(form->windowTitle(), captionFor(QStringLiteral("B2")));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Zentrix (версия 1.9)"));
    expectControlsGivenBack();
}

TEST_F(TwoModules, AnUnknownWantedSerialChoosesTheFirstModule)
{
    writeSettingsFile({ QStringLiteral("[Приложение. Обнаружение]"), QStringLiteral("Серийный номер модуля=Z9") });
    runSearch();
    EXPECT_EQ(form->ModulesComboBox->currentIndex(), 0);
    EXPECT_EQ(sim->openSlot(), 3);
    EXPECT_EQ(form->windowTitle(), captionFor(QStringLiteral("A1")));
}

TEST_F(TwoModules, ChoosingAnotherModuleInTheListOpensIt)
{
    runSearch();
    ASSERT_EQ(form->ModulesComboBox->currentIndex(), 0);
    // The list's choice wins over the serial of the settings file.
    writeSettingsFile({ QStringLiteral("[Приложение. Обнаружение]"), QStringLiteral("Серийный номер модуля=A1") });
    form->ModulesComboBox->setCurrentIndex(1);
    emit form->ModulesComboBox->activated(1);
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 2; }, 20000));
    EXPECT_EQ(sim->openSlot(), 7);
    EXPECT_EQ(form->ModulesComboBox->currentIndex(), 1);
    EXPECT_EQ(form->windowTitle(), captionFor(QStringLiteral("B2")));
}

TEST_F(TwoModules, ADescriptionThatCannotBeReadEndsTheScanWithThatSlotOpen)
{
    sim->failOnce(modlink_sim::Op::ReadModuleDescription, 1);
    runSearch();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу получить информацию о модуле Q47-05!"));
    EXPECT_EQ(recorder.messages()[0].caption, kThreadCaption);
    EXPECT_EQ(sim->openSlot(), 7);
    EXPECT_TRUE(moduleListItems().isEmpty());
    EXPECT_EQ(QByteArray(form->ModuleSerials[0].data()), QByteArray("A1"));
    EXPECT_EQ(form->ModuleState, 0);
    EXPECT_EQ(form->windowTitle(), kUnknownModuleCaption);
    EXPECT_EQ(form->ModuleStatusLed->shownColour(), QColor(255, 0, 0));
    EXPECT_EQ(form->ModuleStatusLed->toolTip(), QStringLiteral("Статус модуля '?\?\?' -> BAD"));
    EXPECT_FALSE(form->StartMultimeterLMDSimplePanel->isVisible());
    EXPECT_FALSE(form->AdcGroupParsLMDGroupBox->isEnabled());
    expectControlsGivenBack();
}

TEST_F(SearchTest, AnEmptyBusIsReported)
{
    sim->clearBus();
    runSearch();
    EXPECT_EQ(messageTexts(), QStringList { QStringLiteral("Не могу найти ни одного модуля типа Q47-05!") });
    EXPECT_EQ(form->ModuleState, 0);
    EXPECT_EQ(form->ModuleStatusLed->toolTip(), QStringLiteral("Статус модуля '?\?\?' -> BAD"));
    expectControlsGivenBack();
}

TEST_F(SearchTest, AWrongLibraryVersionIsReportedAtEverySearch)
{
    sim->setLibraryVersion((3u << 16) | 5u);
    runSearch();
    EXPECT_EQ(messageTexts(),
        QStringList { QStringLiteral("Неправильная версия библиотеки Modlink.dll!\nТекущая: 3.5 Требуется: 3.4") });
    EXPECT_EQ(form->Module, nullptr);
    EXPECT_EQ(form->windowTitle(), kUnknownModuleCaption);
    expectControlsGivenBack();

    runSearch();
    EXPECT_EQ(messageTexts().size(), 2);
    sim->setLibraryVersion((3u << 16) | 4u);
    runSearch();
    EXPECT_EQ(messageTexts().size(), 2);
    EXPECT_NE(form->Module, nullptr);
    EXPECT_EQ(form->ModuleState, 2);
}

TEST_F(SearchTest, ALibraryThatCannotBeLoadedIsReportedLikeAWrongVersion)
{
    QTemporaryDir emptyDirectory;
    form = std::make_unique<TestForm>(openModlinkLibrary(emptyDirectory.path()), settingsDirectory.path());
    runSearch();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_TRUE(recorder.messages()[0].text.startsWith(
        QStringLiteral("Не могу загрузить библиотеку Modlink.dll!\nТребуется: 3.4\n")))
        << recorder.messages()[0].text.toStdString();
    EXPECT_EQ(recorder.messages()[0].caption, kThreadCaption);
    EXPECT_EQ(form->Module, nullptr);
    expectControlsGivenBack();
}

TEST_F(SearchTest, FindLoadsTheLibraryAgainOnceItIsPutBack)
{
    QTemporaryDir directory;
    form = std::make_unique<TestForm>(openModlinkLibrary(directory.path()), settingsDirectory.path());
    runSearch();
    ASSERT_EQ(recorder.messages().size(), 1u);
    recorder.clear();
    ASSERT_TRUE(QFile::copy(QDir(testProgramDirectory()).filePath(QStringLiteral("libModlink.so")),
        directory.filePath(QStringLiteral("libModlink.so"))));
    runSearch();
    EXPECT_TRUE(recorder.empty()) << messageTexts().join('|').toStdString();
    EXPECT_NE(form->Module, nullptr);
    EXPECT_EQ(form->ModuleState, 2);
}

TEST_F(SearchTest, AReadyModuleGetsItsStatusAndTheAdcControls)
{
    placeOnly(5, moduleWith("470503123", 'B', 20));
    runSearch();
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(form->ModuleState, 2);
    EXPECT_EQ(form->UsbSpeed, 1);
    EXPECT_EQ(form->Description.Revision, 'B');
    EXPECT_EQ(form->ModuleStatusLed->shownColour(), QColor(0, 255, 0));
    EXPECT_EQ(
        form->ModuleStatusLed->toolTip(), QStringLiteral("Статус модуля 'Q47-05' (High-Speed Mode 480 Mbit/s) -> OK"));
    EXPECT_EQ(form->ModuleLpfLMDLabel->text(), QStringLiteral("1.25 МГц"));
    for (QWidget* enabled :
        { static_cast<QWidget*>(form->AdcStreamLMDGroupBox), static_cast<QWidget*>(form->AdcGroupParsLMDGroupBox),
            static_cast<QWidget*>(form->AdcRateLMDEdit), static_cast<QWidget*>(form->AllChannelsLMDCheckBox),
            static_cast<QWidget*>(form->AdcIndividualParsLMDGroupBox),
            static_cast<QWidget*>(form->StartMultimeterLMDSpeedButton),
            static_cast<QWidget*>(form->MultimeterLMDSimplePanel) })
        EXPECT_TRUE(enabled->isEnabled()) << enabled->objectName().toStdString();
    EXPECT_FALSE(form->StartMultimeterLMDSimplePanel->isHidden());
    expectControlsGivenBack();
}

struct GradeCase {
    uint8_t options;
    const char* moduleLetter;
    const char* pldLetter;
    QRgb background;
    const char* moduleRange;
    const char* pldRange;
};

TEST_F(SearchTest, GradeLabelsShowLettersColoursAndRanges)
{
    const GradeCase cases[] = {
        { 20, "I", "I", qRgb(0, 128, 0), ": от -40°C до 85°C", ": от -40°C до 85°C" },
        { 4, "I", "C", qRgb(128, 0, 0), ": от -40°C до 85°C", ": от 0°C до 70°C" },
    };
    for (const GradeCase& c : cases) {
        SCOPED_TRACE(c.options);
        placeOnly(0, moduleWith("G1", 'B', c.options));
        runSearch();
        EXPECT_TRUE(messageTexts().isEmpty());
        for (auto [label, letter, hint, range] : { std::make_tuple(form->ModuleTemperatureGradeLMDLabel, c.moduleLetter,
                                                       form->ModuleGradeHint, c.moduleRange),
                 std::make_tuple(form->PldTemperatureGradeLMDLabel, c.pldLetter, form->PldGradeHint, c.pldRange) }) {
            EXPECT_EQ(label->text(), QString::fromUtf8(letter));
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 255));
            EXPECT_EQ(label->palette().color(QPalette::Window).rgb(), c.background);
            EXPECT_EQ(label->toolTip(), hint + QString::fromUtf8(range));
        }
    }
}

TEST_F(SearchTest, AFullSpeedModuleIsReadyButFlaggedOrange)
{
    modlink_sim::ModuleConfig config = moduleWith("F1");
    config.usbSpeed = 0;
    placeOnly(0, config);
    runSearch();
    EXPECT_EQ(form->ModuleState, 2);
    EXPECT_EQ(form->ModuleStatusLed->shownColour(), QColor(255, 150, 0));
    EXPECT_EQ(form->ModuleStatusLed->toolTip(),
        QStringLiteral("Статус модуля 'Q47-05' (Full-Speed Mode 12 Mbit/s) -> WRONG!\nМодуль работает в нештатном "
                       "режиме 'USB Full Speed'.\nПоверку в таком режиме проводить нельзя!!!"));
}

TEST_F(SearchTest, ASerialThatFillsItsFieldIsTakenWhole)
{
    sim->clearBus();
    ASSERT_TRUE(sim->setModule(1, moduleWith("A1")));
    ASSERT_TRUE(sim->setModule(2, moduleWith("1234567890ABCDEF")));
    writeSettingsFile(
        { QStringLiteral("[Приложение. Обнаружение]"), QStringLiteral("Серийный номер модуля=1234567890ABCDEF") });
    runSearch();
    EXPECT_EQ(moduleListItems(), (QStringList { QStringLiteral("1: A1"), QStringLiteral("2: 1234567890ABCDEF") }));
    EXPECT_EQ(form->ModulesComboBox->currentIndex(), 1);
    EXPECT_EQ(form->windowTitle(), captionFor(QStringLiteral("1234567890ABCDEF")));
}

// "АБ,7" in Windows-1251, with a comma like the one that ends the serial in
// the caption.
TEST_F(SearchTest, ASerialIsSpelledOneWayInTheListTheCaptionTheChoiceAndTheFile)
{
    placeOnly(0, moduleWith("\xC0\xC1,7"));
    runSearch(true);
    ASSERT_EQ(form->ModuleState, 2);
    const QString serial = QStringLiteral("АБ,7");
    EXPECT_EQ(moduleListItems(), QStringList { QStringLiteral("1: ") + serial });
    EXPECT_EQ(form->windowTitle(), captionFor(serial));

    const int started = form->startedSearchCount();
    emit form->ModulesComboBox->activated(0);
    processEventsFor(200);
    EXPECT_EQ(form->startedSearchCount(), started);

    form->SaveCurrentSettings->trigger();
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringEncoder encoder("windows-1251");
    const QByteArray line = encoder.encode(QStringLiteral("Серийный номер модуля="));
    EXPECT_TRUE(file.readAll().contains(line + "\xC0\xC1,7\r\n"));
}

TEST_F(SearchTest, GarbageInTheDescriptionTextsNeverReadsPastTheirFields)
{
    placeOnly(0, moduleWith("X"));
    ModuleDescription description {};
    ASSERT_TRUE(sim->moduleDescription(0, &description));
    const char serial[16]
        = { '\xC0', '\xFF', '\x98', '\x01', 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z' };
    std::memcpy(description.SerialNumber, serial, sizeof serial);
    std::memset(description.Name, 'N', sizeof description.Name);
    std::memset(description.FirmwareVersion, 'v', sizeof description.FirmwareVersion);
    ASSERT_TRUE(sim->setModuleDescription(0, description));
    runSearch();
    EXPECT_EQ(form->ModuleState, 2);
    const QString item = moduleListItems().value(0);
    EXPECT_EQ(item.size(), 3 + 16);
    EXPECT_TRUE(item.startsWith(QStringLiteral("1: Ая")));
    EXPECT_TRUE(form->windowTitle().endsWith(QString(615, QLatin1Char('v')) + QLatin1Char(')')));
    EXPECT_TRUE(form->ModuleStatusLed->toolTip().contains(QStringLiteral("'") + QString(25, QLatin1Char('N')) + "'"));
}

} // namespace
