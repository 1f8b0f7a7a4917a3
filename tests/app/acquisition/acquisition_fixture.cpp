#include "acquisition_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "support/sim_library.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>
#include <cstring>

namespace {
// Fast enough that 0.1 s requests complete in a few milliseconds.
constexpr double kTimeScale = 50.0;
} // namespace

void AcquisitionTest::SetUp()
{
    sim = simControl();
    ASSERT_NE(sim, nullptr);
    sim->resetToDefaults();
    sim->clearFailures();
    sim->clearBus();
    modlink_sim::ModuleConfig config;
    std::strcpy(config.serial, "7C0FF047");
    std::strcpy(config.firmwareVersion, "2.07.15");
    ASSERT_TRUE(sim->setModule(kSlot, config));
    sim->setTimeScale(kTimeScale);

    WindowTest::SetUp();
    ASSERT_TRUE(form->Library->load());
    form->Module = form->Library->GetModuleInterface(kModuleName);
    ASSERT_NE(form->Module, nullptr);
    ASSERT_TRUE(form->Module->OPEN_SLOT(kSlot));
    ASSERT_TRUE(form->Module->READ_MODULE_DESCRIPTION(&form->Description));
    form->ModuleState = 2;
    form->UsbSpeed = 1;
    form->InitCoeffSets();
    form->MainLMDPageControl->setCurrentIndex(0);
    form->StartMultimeterLMDSpeedButton->setEnabled(true);
    // The frames as a ready module leaves them: enabled.
    for (TQ4705AdcChannelFrame* frame : form->ChannelFrames) {
        frame->Q4705AdcChannelLMDSimplePanel->setEnabled(true);
        frame->ChannelNumberLMDCheckBox->setEnabled(true);
        frame->EnableChannelControls();
    }
    for (int c = 0; c < 4; ++c)
        setChannel(c, false, 0, 0, 0);
    setMeasurement(QStringLiteral("sum"), 0.2);
    sim->resetCallCounts();
}

void AcquisitionTest::TearDown()
{
    WindowTest::TearDown();
    if (sim) {
        sim->clearFailures();
        sim->resetToDefaults();
    }
}

void AcquisitionTest::setChannel(int c, bool checked, int range, int connectionMode, int parType)
{
    TQ4705AdcChannelFrame* frame = form->ChannelFrames[static_cast<size_t>(c)];
    const bool wasBusy = form->HandlerBusy;
    form->HandlerBusy = true;
    frame->ChannelNumberLMDCheckBox->setChecked(checked);
    frame->InputRangeLMDComboBox->setCurrentIndex(range);
    frame->InputConnectionModeLMDComboBox->setCurrentIndex(connectionMode);
    frame->ParTypeLMDComboBox->setCurrentIndex(parType);
    form->HandlerBusy = wasBusy;
}

void AcquisitionTest::setMeasurement(
    const QString& method, double seconds, const QString& amplitudeType, const QString& amplitudeKind, double adcRateHz)
{
    form->ComputationMethod = method;
    form->MaxAcquisitionTime = seconds;
    form->AmplitudeType = amplitudeType;
    form->AmplitudeKind = amplitudeKind;
    form->AdcRateHz = adcRateHz;
    for (int r = 0; r < 3; ++r) {
        form->PrecisionFormats[static_cast<size_t>(r)] = QStringLiteral("0.00");
        form->PrecisionFormats[static_cast<size_t>(3 + r)] = QStringLiteral("0.00");
        form->PrecisionFormats[static_cast<size_t>(6 + r)] = QStringLiteral("0.00000");
    }
}

void AcquisitionTest::pressStart()
{
    form->StartMultimeterLMDSpeedButton->setChecked(true);
    form->StartLMDSpeedButtonClick(form->StartMultimeterLMDSpeedButton);
    ASSERT_TRUE(form->MainThread);
}

void AcquisitionTest::pressStop()
{
    form->StartMultimeterLMDSpeedButton->setChecked(false);
    form->StartLMDSpeedButtonClick(form->StartMultimeterLMDSpeedButton);
    EXPECT_EQ(form->MainThread, nullptr);
    expectIdlePage();
}

bool AcquisitionTest::waitForValues(int timeoutMs)
{
    return waitUntil(
        [&] {
            for (const TQ4705AdcChannelFrame* frame : form->ChannelFrames) {
                if (frame->ChannelNumberLMDCheckBox->isChecked()
                    && frame->ChannelsOverflowLed->unlitColour() != QColor(design::green))
                    return false;
            }
            return true;
        },
        timeoutMs);
}

bool AcquisitionTest::waitForSetup(int timeoutMs)
{
    return waitUntil([&] { return form->AcquisitionTimeLMDLabel->text() != QStringLiteral("-----"); }, timeoutMs);
}

double AcquisitionTest::shownValue(int channel, int display) const
{
    const TQ4705AdcChannelFrame* frame = form->ChannelFrames[static_cast<size_t>(channel)];
    bool ok = false;
    const double value = (display == 1 ? frame->Value1LMDEdit : frame->Value2LMDEdit)->text().toDouble(&ok);
    return ok ? value : std::nan("");
}

bool AcquisitionTest::waitForIdle(int timeoutMs)
{
    return waitUntil([&] { return form->AcquisitionIdle.load(); }, timeoutMs);
}

void AcquisitionTest::expectIdlePage()
{
    QToolButton* button = form->StartMultimeterLMDSpeedButton;
    EXPECT_EQ(button->text(), QStringLiteral("С Т А Р Т"));
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(design::green));
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(form->AcquisitionTimeLMDLabel->text(), QStringLiteral("-----"));
    EXPECT_TRUE(form->AcquisitionIdle);
}
