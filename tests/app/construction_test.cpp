#include "frames/q4705_adc_channel_frame.h"
#include "platform/decimal_separator.h"
#include "support/sim_library.h"
#include "widgets/led_shape.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace {

using ConstructionTest = WindowTest;

TEST_F(ConstructionTest, WindowHasAFixedClientAreaAndNoMaximiseButton)
{
    EXPECT_EQ(form->size(), QSize(1084, 581));
    EXPECT_EQ(form->minimumSize(), QSize(1084, 581));
    EXPECT_EQ(form->maximumSize(), QSize(1084, 581));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zentrix (версия ?.?) | Преобразователь: Q47-05 ... "));
    EXPECT_EQ(form->ShowPhase, 1);
    EXPECT_FALSE(form->HandlerBusy);
    EXPECT_EQ(form->WindowsVersionCode, 0u);
}

TEST_F(ConstructionTest, TopBandIsNarrowedToEndBeforeTheSeparator)
{
    // Design: panel 303 wide, separator at 262, so d = 40.
    EXPECT_EQ(form->SelectedModuleLMDSimplePanel->width(), 263);
    EXPECT_EQ(form->StartMultimeterLMDSimplePanel->x(), 460);
    EXPECT_EQ(form->SaveIniSettingLMDGroupBox->x(), 757);
    EXPECT_EQ(form->ModuleStatusLed->toolTip(), QStringLiteral("Статус модуля -> ???"));
    EXPECT_EQ(form->GeneratorStatusLed->toolTip(), QStringLiteral("Статус генератора -> ???"));
    EXPECT_EQ(form->VoltmeterStatusLed->toolTip(), QStringLiteral("Статус мультиметра -> ???"));
}

TEST_F(ConstructionTest, UnusedControlsAndTabsAreHidden)
{
    for (QWidget* widget :
        { static_cast<QWidget*>(form->Bevel3), static_cast<QWidget*>(form->GeneratorStatusLed),
            static_cast<QWidget*>(form->VoltmeterStatusLed), static_cast<QWidget*>(form->AcquisitionTimeLMDSimplePanel),
            static_cast<QWidget*>(form->ComputationInfoLMDSimplePanel),
            static_cast<QWidget*>(form->EquipmentLMDSimplePanel), static_cast<QWidget*>(form->GeneratorLMDGroupBox),
            static_cast<QWidget*>(form->VoltmeterLMDGroupBox) })
        EXPECT_TRUE(widget->isHidden()) << widget->objectName().toStdString();
    QTabWidget* pages = form->MainLMDPageControl;
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(pages->isTabVisible(0));
    for (int i : { 1, 2 }) {
        EXPECT_FALSE(pages->isTabVisible(i));
        EXPECT_FALSE(pages->isTabEnabled(i));
    }
}

TEST_F(ConstructionTest, DesignTextsAreReplaced)
{
    EXPECT_EQ(form->ComputationModeLabLMDLabel->text(), QStringLiteral("---"));
    EXPECT_EQ(form->AmplitudeTypeLabLMDLabel->text(), QStringLiteral("---"));
    EXPECT_TRUE(form->ComputationModeLabLMDLabel->autoFillBackground());
    EXPECT_EQ(form->AdcRateLMDEdit->text(), QStringLiteral("------"));
    EXPECT_EQ(form->KadrRateLMDLabel->text(), QStringLiteral("------"));
    EXPECT_EQ(form->AcquisitionTimeLMDLabel->text(), QStringLiteral("-----"));
    EXPECT_TRUE(form->ModuleLpfLMDLabel->text().isEmpty());
    EXPECT_TRUE(form->ModuleTemperatureGradeLMDLabel->text().isEmpty());
    EXPECT_EQ(form->ModuleGradeHint, form->ModuleTemperatureGradeLMDLabel->toolTip());
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::Unchecked);
    EXPECT_EQ(form->AllInputRangeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(form->CommonInputConnectionModeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(form->CommonMeasuringMethodLMDComboBox->currentIndex(), -1);
    EXPECT_TRUE(form->Dac1ValueLMDEdit->text().isEmpty());
    EXPECT_TRUE(form->Dac2ValueLMDEdit->text().isEmpty());
}

TEST_F(ConstructionTest, ChannelFramesAreStackedAndCentredInTheirGroup)
{
    QGroupBox* group = form->AdcIndividualParsLMDGroupBox;
    const int left = static_cast<int>((group->width() - 881) * 0.5);
    const int top0 = static_cast<int>((group->height() - 4 * 40) * 0.5 + 10);
    for (int c = 0; c < 4; ++c) {
        TQ4705AdcChannelFrame* frame = form->ChannelFrames[c];
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->objectName(), QStringLiteral("Q4705AdcChannel%1Frame").arg(c));
        EXPECT_EQ(frame->parentWidget(), group);
        EXPECT_EQ(frame->geometry(), QRect(left, top0 + 40 * c, 881, 40));
        EXPECT_FALSE(frame->isHidden());
        EXPECT_FALSE(frame->Q4705AdcChannelLMDSimplePanel->isEnabled());
        EXPECT_FALSE(frame->ChannelNumberLMDCheckBox->isChecked());
        EXPECT_EQ(frame->InputRangeLMDComboBox->currentIndex(), -1);
        EXPECT_EQ(form->findChild<TQ4705AdcChannelFrame*>(frame->objectName()), frame);
    }
}

TEST_F(ConstructionTest, MultimeterPanelIsCentredInItsPageOnceShown)
{
    form->show();
    QWidget* page = form->MultimeterLMDTabSheet;
    QWidget* panel = form->MultimeterLMDSimplePanel;
    EXPECT_EQ(panel->x(), (page->width() - panel->width()) / 2);
    EXPECT_EQ(panel->y(), (page->height() - panel->height()) / 2 + 1);
}

TEST(Construction, ForcesThePointAsDecimalSeparator)
{
    MessageRecorder recorder;
    QTemporaryDir directory;
    platform::setDecimalSeparator(',');
    TestForm form(openSimulatedLibrary(), directory.path());
    EXPECT_EQ(platform::decimalSeparator(), '.');
    EXPECT_EQ(form.SettingsPath, directory.path() + QStringLiteral("/Zentrix.ini"));
}

} // namespace
