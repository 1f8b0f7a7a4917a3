#include "acquisition_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "support/acquisition_window.h"
#include "support/sim_library.h"
#include "widgets/design_colours.h"

#include <QLabel>
#include <QToolButton>
#include <cmath>

namespace {
// Fast enough that 0.1 s requests complete in a few milliseconds.
constexpr double kTimeScale = 50.0;
} // namespace

void AcquisitionTest::SetUp()
{
    sim = simControl();
    ASSERT_NE(sim, nullptr);
    ASSERT_TRUE(acquisition_window::putModule(*sim, kSlot, kTimeScale));

    WindowTest::SetUp();
    ASSERT_TRUE(acquisition_window::makeModuleReady(*form, kSlot));
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
    acquisition_window::setChannel(*form, c, checked, range, connectionMode, parType);
}

void AcquisitionTest::setMeasurement(
    const QString& method, double seconds, const QString& amplitudeType, const QString& amplitudeKind, double adcRateHz)
{
    acquisition_window::setMeasurement(*form, method, seconds, amplitudeType, amplitudeKind, adcRateHz);
}

void AcquisitionTest::pressStart()
{
    ASSERT_TRUE(acquisition_window::pressStart(*form));
}

void AcquisitionTest::pressStop()
{
    acquisition_window::pressStop(*form);
    EXPECT_EQ(form->MainThread, nullptr);
    expectIdlePage();
}

bool AcquisitionTest::waitForValues(int timeoutMs)
{
    return acquisition_window::waitForValues(*form, timeoutMs);
}

bool AcquisitionTest::waitForSetup(int timeoutMs)
{
    return acquisition_window::waitForSetup(*form, timeoutMs);
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
    return acquisition_window::waitForIdle(*form, timeoutMs);
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
