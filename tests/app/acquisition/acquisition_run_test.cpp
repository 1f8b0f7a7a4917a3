// Runs of the multimeter job on the simulated module: values in the frames,
// channel placement, codes, overload, stopping.
#include "acquisition_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "threads/acquisition_job.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QToolButton>

namespace {

using AcquisitionRunTest = AcquisitionTest;

const QString kNoValue = QStringLiteral("--------");

// A stop makes the job idle within this time; the sanitizers slow every step
// several times over.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kPromptStopMs = 1000;
#else
constexpr int kPromptStopMs = 100;
#endif

modlink_sim::ChannelSignal signal(double dc, double amplitude = 0.0, double frequencyHz = 0.0)
{
    return { dc, amplitude, frequencyHz, 0.0 };
}

struct MethodCase {
    const char* method;
    const char* acquisitionTime; // N / frame rate at 40 kHz, T = 0.25 s
    bool frequencyShown;
};

TEST_F(AcquisitionRunTest, ShowsTheSimulatedSignalsWithEitherMethod)
{
    const MethodCase cases[] = { { "sum", "0.25", false }, { "fft", "0.41", true } };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(c.method);
        sim->setSignal(kSlot, 0, signal(0.0, 1.0, 1000.0));
        sim->setSignal(kSlot, 1, signal(1.5));
        sim->setSignal(kSlot, 2, signal(0.1, 0.2, 250.0));
        setChannel(0, true, 0, 0, 1); // AC
        setChannel(1, true, 0, 0, 0); // DC
        setChannel(2, true, 1, 0, 2); // AC+DC on the 1.0 V range
        setChannel(3, false);
        // 120 kHz over three channels: 40 kHz frames.
        setMeasurement(QString::fromLatin1(c.method), 0.25, QStringLiteral("rms"), QStringLiteral("volt"), 120000.0);

        pressStart();
        ASSERT_TRUE(waitForSetup());
        EXPECT_EQ(form->StartMultimeterLMDSpeedButton->text(), QStringLiteral("С Т О П"));
        EXPECT_EQ(form->StartMultimeterLMDSpeedButton->palette().color(QPalette::ButtonText), QColor(design::red));
        EXPECT_EQ(form->AcquisitionTimeLMDLabel->text(), QString::fromLatin1(c.acquisitionTime));
        ASSERT_TRUE(waitForValues());

        const auto* ac = form->ChannelFrames[0];
        EXPECT_NEAR(shownValue(0, 1), 707.1, 5.0);
        EXPECT_EQ(ac->Value1LabLMDLabel->text(), QStringLiteral("мВ"));
        EXPECT_EQ(ac->Value1LMDEdit->textColour(), QColor(design::lime));
        if (c.frequencyShown) {
            EXPECT_NEAR(shownValue(0, 2), 1.0, 0.001);
            EXPECT_EQ(ac->Value2LMDEdit->text().section(QLatin1Char('.'), 1).size(), 5);
            EXPECT_EQ(ac->Value2LabLMDLabel->text(), QStringLiteral("кГц"));
            EXPECT_TRUE(ac->Value2LMDEdit->isEnabled());
        } else {
            EXPECT_EQ(ac->Value2LMDEdit->text(), kNoValue);
            EXPECT_FALSE(ac->Value2LMDEdit->isEnabled());
            EXPECT_TRUE(ac->Value2LabLMDLabel->text().isEmpty());
        }

        const auto* dc = form->ChannelFrames[1];
        EXPECT_NEAR(shownValue(1, 1), 1500.0, 5.0);
        EXPECT_EQ(dc->Value1LMDEdit->text().section(QLatin1Char('.'), 1).size(), 2);
        EXPECT_EQ(dc->Value2LMDEdit->text(), kNoValue);
        EXPECT_FALSE(dc->Value2LMDEdit->isEnabled());

        const auto* acDc = form->ChannelFrames[2];
        EXPECT_NEAR(shownValue(2, 1), 141.42, 2.0);
        EXPECT_NEAR(shownValue(2, 2), 100.0, 2.0);
        EXPECT_EQ(acDc->Value2LabLMDLabel->text(), QStringLiteral("мВ"));

        const auto* off = form->ChannelFrames[3];
        EXPECT_EQ(off->Value1LMDEdit->text(), kNoValue);
        EXPECT_EQ(off->Value2LMDEdit->text(), kNoValue);
        EXPECT_EQ(off->ChannelsOverflowLed->shownColour(), design::buttonFace());
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_EQ(form->ChannelFrames[ch]->ChannelsOverflowLed->shownColour(), QColor(design::green)) << ch;

        pressStop();
        EXPECT_TRUE(recorder.empty()) << recorder.texts().join(QLatin1Char('|')).toStdString();
    }
}

struct PlacementCase {
    const char* name;
    std::array<bool, 4> checked;
};

TEST_F(AcquisitionRunTest, EachCheckedChannelShowsItsOwnSignal)
{
    const double levels[] = { 0.4, -0.6, 0.25, 0.8 };
    for (int ch = 0; ch < 4; ++ch)
        sim->setSignal(kSlot, ch, signal(levels[ch]));
    const PlacementCase cases[] = {
        { "only channel 2", { false, false, true, false } },
        { "channels 1 and 3", { false, true, false, true } },
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (int ch = 0; ch < 4; ++ch)
            setChannel(ch, c.checked[ch], 1, 0, 0);
        pressStart();
        ASSERT_TRUE(waitForValues());
        for (int ch = 0; ch < 4; ++ch) {
            if (c.checked[ch])
                EXPECT_NEAR(shownValue(ch, 1), 1000.0 * levels[ch], 3.0) << ch;
            else
                EXPECT_EQ(form->ChannelFrames[ch]->Value1LMDEdit->text(), kNoValue) << ch;
        }
        pressStop();
    }
    EXPECT_TRUE(recorder.empty());
}

TEST_F(AcquisitionRunTest, CodesAreShownAsCodes)
{
    sim->setSignal(kSlot, 1, signal(1.5));
    setChannel(1, true, 0, 0, 0);
    setMeasurement(QStringLiteral("fft"), 0.1, QStringLiteral("rms"), QStringLiteral("Volt"));
    pressStart();
    ASSERT_TRUE(waitForValues());
    // 8000 codes are the full scale of the 3.0 V range.
    EXPECT_NEAR(shownValue(1, 1), 4000.0, 10.0);
    EXPECT_EQ(form->ChannelFrames[1]->Value1LabLMDLabel->text(), QStringLiteral("код"));
    pressStop();
}

// Each place of a frame converts with the range of the channel sampled
// there: ±3.0 V for channel 2, ±0.3 V for channel 4.
TEST_F(AcquisitionRunTest, EachFramePlaceConvertsWithItsChannelsRange)
{
    TMainThread thread(form.get(), 0, true);
    thread.ActiveChannelCount = 2;
    thread.AdcParameters.ChannelTable[0] = 1;
    thread.AdcParameters.ChannelTable[1] = 3;
    thread.AdcParameters.InputRange[1] = 0;
    thread.AdcParameters.InputRange[3] = 2;
    const int16_t codes[] = { 8000, 8000, -4000, 100, 0, -8000 };

    thread.AmplitudeKind = QStringLiteral("volt");
    std::array<double, acquisition::kChannelCount> scale = CodeScales(thread);
    const double volts[] = { 3.0, 0.3, -1.5, 0.00375, 0.0, -0.3 };
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(codes[i] * scale[i % 2], volts[i], 1e-12) << i;

    thread.AmplitudeKind = QStringLiteral("code");
    scale = CodeScales(thread);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(codes[i] * scale[i % 2], codes[i]) << i;
}

TEST_F(AcquisitionRunTest, OverloadMakesTheValuesAndTheLedRed)
{
    sim->setSignal(kSlot, 0, signal(2.0, 0.5, 1000.0)); // beyond the 1.0 V range
    sim->setSignal(kSlot, 1, signal(0.2));
    setChannel(0, true, 1, 0, 2);
    setChannel(1, true, 1, 0, 0);
    pressStart();
    ASSERT_TRUE(waitForValues());
    const auto* overloaded = form->ChannelFrames[0];
    EXPECT_EQ(overloaded->Value1LMDEdit->textColour(), QColor(design::red));
    EXPECT_EQ(overloaded->Value2LMDEdit->textColour(), QColor(design::red));
    EXPECT_EQ(overloaded->ChannelsOverflowLed->shownColour(), QColor(design::red));
    const auto* normal = form->ChannelFrames[1];
    EXPECT_EQ(normal->Value1LMDEdit->textColour(), QColor(design::lime));
    EXPECT_EQ(normal->ChannelsOverflowLed->shownColour(), QColor(design::green));
    EXPECT_EQ(form->ChannelFrames[2]->ChannelsOverflowLed->shownColour(), design::buttonFace());
    pressStop();
    EXPECT_TRUE(recorder.empty());
}

TEST_F(AcquisitionRunTest, AnUnselectedRangeMeasuresOnTheWidestRange)
{
    sim->setSignal(kSlot, 0, signal(2.5));
    setChannel(0, true, -1, 0, 0);
    pressStart();
    ASSERT_TRUE(waitForValues());
    EXPECT_NEAR(shownValue(0, 1), 2500.0, 5.0);
    pressStop();
    EXPECT_TRUE(recorder.empty());
}

TEST_F(AcquisitionRunTest, StopDuringAWaitIsSilentAndReturnsToIdle)
{
    sim->setTimeScale(1.0);
    setChannel(0, true);
    setMeasurement(QStringLiteral("sum"), 5.0);
    pressStart();
    ASSERT_TRUE(waitForSetup());
    ASSERT_TRUE(waitUntil([&] { return sim->acquiring(kSlot); }));
    QElapsedTimer timer;
    timer.start();
    pressStop();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(recorder.empty());
    EXPECT_FALSE(sim->acquiring(kSlot));
    EXPECT_EQ(sim->outstandingRequests(), 0);
}

TEST_F(AcquisitionRunTest, StopDuringTheLargestTransformIsIdleAtOnce)
{
    // 2^24 samples per block: one channel at 10 MHz, an endless time.
    setChannel(0, true);
    setMeasurement(QStringLiteral("fft"), 1e9, QStringLiteral("rms"), QStringLiteral("volt"), 1e7);
    pressStart();
    ASSERT_TRUE(waitForSetup(20000));
    EXPECT_EQ(form->AcquisitionTimeLMDLabel->text(), QStringLiteral("1.68"));
    // The block has been read once the ADC has run and stopped again; the
    // job then converts and transforms it.
    ASSERT_TRUE(waitUntil([&] { return sim->acquiring(kSlot); }, 20000));
    ASSERT_TRUE(waitUntil([&] { return !sim->acquiring(kSlot); }, 20000));
    processEventsFor(60);
    QElapsedTimer timer;
    timer.start();
    form->MainThread->requestTerminate();
    ASSERT_TRUE(waitForIdle());
    EXPECT_LT(timer.elapsed(), kPromptStopMs);
    pressStop();
    EXPECT_TRUE(recorder.empty());
}

} // namespace
