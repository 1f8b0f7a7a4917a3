// The measurement engine with no window and no thread of its own, on the
// simulated module: the values of known input signals, a stop in the middle
// of a block, and failures reported with the job dialog's texts.
#include "simulated_bus_test.h"
#include "threads/acquisition_messages.h"
#include "threads/measurement_engine.h"
#include "threads/module_search_rules.h"

#include <QElapsedTimer>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int kSlot = 6;

class MeasurementEngineTest : public SimulatedBusTest {
protected:
    void SetUp() override
    {
        SimulatedBusTest::SetUp();
        if (HasFatalFailure())
            return;
        modlink_sim::ModuleConfig config;
        std::strcpy(config.serial, "5E1F0042");
        std::strcpy(config.firmwareVersion, "2.07.15");
        ASSERT_TRUE(sim->setModule(kSlot, config));
        library = openSimulatedLibrary();
        opened = module_search::OpenModule(*library, QStringLiteral("5E1F0042"), module_search::kPldFromLibrary);
        ASSERT_TRUE(opened.ready) << opened.failure.toStdString();
    }

    void TearDown() override
    {
        engine.reset();
        SimulatedBusTest::TearDown();
    }

    // An engine over the open module whose messages go to `messages`.
    acquisition::MeasurementEngine& makeEngine()
    {
        engine = std::make_unique<acquisition::MeasurementEngine>(*opened.module, opened.module->QUERY_DEVICE_HANDLE(),
            &stop, [this](const QString& text) { messages << text; });
        return *engine;
    }

    // Channel 0 measures AC, channel 1 DC, both on the ±3.0 V range, with
    // the module's factory coefficients.
    acquisition::RunConfig twoChannels(const QString& method, double seconds) const
    {
        acquisition::RunConfig config;
        config.channels[0] = { true, 0, 0, 1 };
        config.channels[1] = { true, 0, 0, 0 };
        config.method = method;
        config.maxAcquisitionTime = seconds;
        config.adcRateHz = 80000.0;
        config.baseParameters = acquisition::BaseParametersFor(opened.description.Revision, opened.factoryCoeffs);
        config.usbSpeed = opened.usbSpeed;
        return config;
    }

    std::atomic<bool> stop { false };
    QStringList messages;
    std::unique_ptr<acquisition::MeasurementEngine> engine;
};

// A 1 V sine reads 707.1 mV RMS (or 1 V amplitude) at its own frequency, and
// a 1.5 V level 1500 mV, whichever way the block is computed.
TEST_F(MeasurementEngineTest, KnownSignalsReadTheirValues)
{
    struct Case {
        const char* method;
        const char* amplitudeType;
        double ac;
    };
    for (const Case c : { Case { "sum", "rms", 0.7071 }, Case { "fft", "rms", 0.7071 }, Case { "fft", "amp", 1.0 } }) {
        SCOPED_TRACE(std::string(c.method) + " " + c.amplitudeType);
        sim->setTimeScale(50.0);
        sim->setSignal(kSlot, 0, { 0.0, 1.0, 1000.0, 0.0 });
        sim->setSignal(kSlot, 1, { 1.5, 0.0, 0.0, 0.0 });
        acquisition::MeasurementEngine& run = makeEngine();
        acquisition::RunConfig config = twoChannels(QString::fromLatin1(c.method), 0.25);
        config.amplitudeType = QString::fromLatin1(c.amplitudeType);
        ASSERT_TRUE(run.Configure(config));
        ASSERT_TRUE(run.Allocate());
        ASSERT_TRUE(run.ReadBlock());
        const acquisition::BlockValues& values = run.Values();
        EXPECT_TRUE(values.measured[0]);
        EXPECT_TRUE(values.measured[1]);
        EXPECT_FALSE(values.measured[2]);
        EXPECT_NEAR(values.ac[0], c.ac, 0.005);
        EXPECT_NEAR(values.dc[1], 1.5, 0.005);
        if (std::strcmp(c.method, "fft") == 0) {
            EXPECT_NEAR(values.frequency[0], 1000.0, 1.0);
        }
        EXPECT_EQ(values.overloadBits, 0);
        run.Finish();
        EXPECT_EQ(sim->outstandingRequests(), 0);
        EXPECT_FALSE(sim->acquiring(kSlot));
        EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    }
}

// One engine runs one configuration after another; a failed run does not
// hold back the next, and each gives back its requests.
TEST_F(MeasurementEngineTest, RunsFollowOneAnother)
{
    sim->setTimeScale(50.0);
    sim->setSignal(kSlot, 1, { 0.25, 0.0, 0.0, 0.0 });
    acquisition::MeasurementEngine& run = makeEngine();
    sim->failOnce(modlink_sim::Op::StartAcquisition);
    ASSERT_TRUE(run.Configure(twoChannels(QStringLiteral("sum"), 0.1)) && run.Allocate());
    EXPECT_FALSE(run.ReadBlock());
    for (const char* method : { "fft", "sum" }) {
        SCOPED_TRACE(method);
        ASSERT_TRUE(run.Configure(twoChannels(QString::fromLatin1(method), 0.1)) && run.Allocate());
        ASSERT_TRUE(run.ReadBlock());
        EXPECT_NEAR(run.Values().dc[1], 0.25, 0.005);
    }
    run.Finish();
    EXPECT_EQ(sim->outstandingRequests(), 0);
    EXPECT_EQ(messages, QStringList { QString::fromUtf8(acquisition::kCannotStart) });
}

// Past its range a channel reads the overload bit of its place.
TEST_F(MeasurementEngineTest, AnInputPastItsRangeSetsItsOverloadBit)
{
    sim->setTimeScale(50.0);
    sim->setSignal(kSlot, 1, { 2.0, 0.0, 0.0, 0.0 });
    acquisition::RunConfig config = twoChannels(QStringLiteral("sum"), 0.1);
    config.channels[1].range = 1; // ±1.0 V
    acquisition::MeasurementEngine& run = makeEngine();
    ASSERT_TRUE(run.Configure(config) && run.Allocate() && run.ReadBlock());
    EXPECT_EQ(run.Values().overloadBits, 0b10);
}

// A stop while a one-second block is being read ends the read at once, with
// no message, and leaves no request in the library's hands.
TEST_F(MeasurementEngineTest, AStopMidBlockLeavesNoRequestOutstanding)
{
    sim->setTimeScale(1.0);
    acquisition::MeasurementEngine& run = makeEngine();
    ASSERT_TRUE(run.Configure(twoChannels(QStringLiteral("sum"), 1.0)));
    ASSERT_TRUE(run.Allocate());
    auto read = std::async(std::launch::async, [&run] { return run.ReadBlock(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_GT(sim->outstandingRequests(), 0);
    QElapsedTimer timer;
    timer.start();
    stop = true;
    ASSERT_EQ(read.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_FALSE(read.get());
    EXPECT_LT(timer.elapsed(), 500);
    run.Finish();
    EXPECT_EQ(sim->outstandingRequests(), 0);
    EXPECT_FALSE(sim->acquiring(kSlot));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// The first failure of a run is its only message, in the job dialog's words,
// and ends the run.
TEST_F(MeasurementEngineTest, TheFirstFailureIsTheRunsOnlyMessage)
{
    struct Case {
        modlink_sim::Op op; // fails always
        bool configures;
        const char* text;
    };
    for (const Case c : {
             Case { modlink_sim::Op::WriteAdcParameters, false, acquisition::kCannotWriteAdcParameters },
             Case { modlink_sim::Op::StartAcquisition, true, acquisition::kCannotStart },
             Case { modlink_sim::Op::SubmitReadRequest, true, acquisition::kCannotSubmitRequest },
         }) {
        SCOPED_TRACE(c.text);
        messages.clear();
        sim->setTimeScale(50.0);
        sim->failAlways(c.op);
        acquisition::MeasurementEngine& run = makeEngine();
        const bool configured = run.Configure(twoChannels(QStringLiteral("sum"), 0.1));
        EXPECT_EQ(configured, c.configures);
        if (configured) {
            ASSERT_TRUE(run.Allocate());
            EXPECT_FALSE(run.ReadBlock());
        }
        EXPECT_TRUE(run.Stopped());
        run.Finish();
        EXPECT_EQ(messages, QStringList { QString::fromUtf8(c.text) });
        EXPECT_EQ(sim->outstandingRequests(), 0);
        sim->clearFailures();
    }
}

// Indices outside their lists are sent as the first item, a parameter no
// one knows is not measured, and a negative time is refused as too short.
TEST_F(MeasurementEngineTest, OutOfRangeChoicesNeitherCrashNorReachTheModule)
{
    sim->setTimeScale(50.0);
    acquisition::RunConfig config = twoChannels(QStringLiteral("fft"), 0.1);
    config.channels[0] = { true, 7, -3, 9 };
    acquisition::MeasurementEngine& run = makeEngine();
    ASSERT_TRUE(run.Configure(config) && run.Allocate() && run.ReadBlock());
    AdcParameters sent {};
    ASSERT_TRUE(sim->lastAdcParameters(kSlot, &sent));
    // Copies: the packed record's fields cannot be bound to references.
    const uint16_t range = sent.InputRange[0];
    const uint16_t connectionMode = sent.InputConnectionMode[0];
    EXPECT_EQ(range, 0);
    EXPECT_EQ(connectionMode, 0);
    EXPECT_FALSE(run.Values().measured[0]);
    EXPECT_TRUE(run.Values().measured[1]);
    run.Finish();

    config.maxAcquisitionTime = -1.0;
    config.method = QStringLiteral("sum");
    EXPECT_FALSE(makeEngine().Configure(config));
    EXPECT_EQ(messages, QStringList { QString::fromUtf8(acquisition::kBlockTooShort) });
}

TEST_F(MeasurementEngineTest, NoChannelOnIsRefused)
{
    acquisition::RunConfig config = twoChannels(QStringLiteral("sum"), 0.1);
    config.channels[0].on = config.channels[1].on = false;
    EXPECT_FALSE(makeEngine().Configure(config));
    EXPECT_EQ(messages, QStringList { QString::fromUtf8(acquisition::kNoActiveChannel) });
}

} // namespace
