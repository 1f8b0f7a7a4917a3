// Closing or destroying the window while the multimeter job runs on the
// simulated module: the job thread ends, the ADC is stopped, no read request
// is left in the library's hands, and the interface is released.
#include "acquisition_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"

#include <ostream>

namespace {

using modlink_sim::Op;

// Where the run is when the window goes.
enum class Moment {
    WhileReading,
    // The block is read; the job converts it and transforms 2^24 samples.
    InTheLargestTransform,
    // A block's values are shown; the job pauses or reads the next one.
    BetweenBlocks,
};

struct CloseCase {
    const char* name;
    Moment moment;
    bool destroy; // the window is destroyed without being closed
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

class CloseWhileAcquiringTest : public AcquisitionTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    void SetUp() override
    {
        AcquisitionTest::SetUp();
        if (HasFatalFailure())
            return;
        // Each block of 1.68 s is read in about 170 ms.
        sim->setTimeScale(10.0);
        setChannel(0, true, 0, 0, 1);
        sim->setSignal(kSlot, 0, { 0.1, 1.0, 1000.0, 0.0 });
        // 2^24 samples per block: one channel at 10 MHz, an endless time.
        setMeasurement(QStringLiteral("fft"), 1e9, QStringLiteral("rms"), QStringLiteral("volt"), 1e7);
    }

    bool valuesShown() const { return !form->ChannelFrames[0]->Value1LMDEdit->text().isEmpty(); }

    void reach(Moment moment)
    {
        ASSERT_TRUE(waitForSetup(20000));
        ASSERT_TRUE(waitUntil([&] { return sim->acquiring(kSlot); }, 20000));
        if (moment == Moment::WhileReading)
            return;
        ASSERT_TRUE(waitUntil([&] { return !sim->acquiring(kSlot); }, 20000));
        if (moment == Moment::InTheLargestTransform) {
            processEventsFor(60);
            ASSERT_FALSE(valuesShown());
            return;
        }
        ASSERT_TRUE(waitUntil([&] { return valuesShown(); }, 60000));
    }
};

TEST_P(CloseWhileAcquiringTest, EndsTheJobAndReleasesTheInterface)
{
    pressStart();
    reach(GetParam().moment);
    ASSERT_EQ(sim->callCount(Op::ReleaseInterface), 0);

    if (GetParam().destroy) {
        form.reset();
    } else {
        form->close();
        EXPECT_EQ(form->MainThread, nullptr);
        EXPECT_EQ(form->InitThread, nullptr);
        EXPECT_FALSE(form->MainThreadRunning);
        EXPECT_TRUE(form->AcquisitionIdle);
        EXPECT_EQ(form->Module, nullptr);
    }
    EXPECT_EQ(sim->callCount(Op::ReleaseInterface), 1);
    EXPECT_FALSE(sim->acquiring(kSlot));
    EXPECT_EQ(sim->outstandingRequests(), 0);
    // Released with the interface: no slot stays open behind the window.
    EXPECT_EQ(sim->openSlot(), -1);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join(QLatin1Char('\n')).toStdString();
}

const CloseCase kCloseCases[] = {
    { "ClosedWhileReading", Moment::WhileReading, false },
    { "ClosedInTheLargestTransform", Moment::InTheLargestTransform, false },
    { "ClosedBetweenBlocks", Moment::BetweenBlocks, false },
    { "DestroyedInTheLargestTransform", Moment::InTheLargestTransform, true },
};

INSTANTIATE_TEST_SUITE_P(Moments, CloseWhileAcquiringTest, ::testing::ValuesIn(kCloseCases),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

} // namespace
