// Failures of a run: each ends it with its one message, the ADC stopped, no
// request left with the library, the buffers freed and the page Idle.
#include "acquisition_fixture.h"

#include "platform/events.h"
#include "platform/fault_points.h"
#include "platform/overlapped.h"
#include "threads/acquisition_messages.h"
#include "threads/main_thread.h"

#include <QLabel>

namespace {

using modlink_sim::Op;

class AcquisitionFailureTest : public AcquisitionTest {
protected:
    void TearDown() override
    {
        platform::disarmAllFaults();
        AcquisitionTest::TearDown();
    }

    // Waits for the run's message and its finishing step, and checks both.
    void expectRunEndedWith(const char* message)
    {
        ASSERT_TRUE(waitUntil([&] { return !recorder.empty(); }));
        ASSERT_TRUE(waitForIdle());
        // A second failure of the same run would have come by now.
        processEventsFor(50);
        EXPECT_EQ(recorder.texts(), QStringList { QString::fromUtf8(message) });
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Сообщение TMainThread::Execute()!!!"));
        expectIdlePage();
        const TMainThread* thread = form->MainThread.get();
        ASSERT_NE(thread, nullptr);
        EXPECT_EQ(thread->AdcBuffer, nullptr);
        EXPECT_EQ(thread->AdcData, nullptr);
        EXPECT_EQ(thread->Window, nullptr);
        EXPECT_EQ(thread->SpectrumAnalyser, nullptr);
        for (const ReadRequest& request : thread->Requests) {
            // A packed field: compared through a copy.
            const platform::Overlapped* overlapped = request.Overlapped;
            EXPECT_EQ(overlapped, nullptr);
        }
        EXPECT_FALSE(sim->acquiring(kSlot));
        EXPECT_EQ(sim->outstandingRequests(), 0);
        pressStop();
        EXPECT_EQ(recorder.messages().size(), 1u);
    }
};

// What the test does once the job waits for its first block.
enum class WhileWaiting {
    Nothing,
    StopTheModule, // the module stops: the request waited for times out
    StopTheJob, // the user presses the button
    // The job is held up for a second after its first wait, so no request is
    // queued while the module's half-second buffer runs over.
    HoldUpTheJob,
};

struct LibraryFailure {
    const char* name;
    Op op;
    int skip;
    bool always;
    WhileWaiting action;
    const char* message;
};

TEST_F(AcquisitionFailureTest, EachLibraryFailureEndsTheRunWithItsMessage)
{
    const LibraryFailure failures[] = {
        { "write parameters", Op::WriteAdcParameters, 0, false, WhileWaiting::Nothing,
            acquisition::kCannotWriteAdcParameters },
        // Every later stop fails too; only the first message is shown.
        { "stop at start", Op::StopAcquisition, 0, true, WhileWaiting::Nothing, acquisition::kCannotStopAtStart },
        { "submit", Op::SubmitReadRequest, 0, false, WhileWaiting::Nothing, acquisition::kCannotSubmitRequest },
        { "second submit", Op::SubmitReadRequest, 1, false, WhileWaiting::Nothing, acquisition::kCannotSubmitRequest },
        { "start", Op::StartAcquisition, 0, false, WhileWaiting::Nothing, acquisition::kCannotStart },
        { "wait", Op::Count, 0, false, WhileWaiting::StopTheModule, acquisition::kWaitFailed },
        { "check errors", Op::CheckDataErrors, 0, false, WhileWaiting::Nothing, acquisition::kCannotCheckErrors },
        { "stop in clean-up", Op::StopAcquisition, 1, false, WhileWaiting::Nothing, acquisition::kCannotStop },
        { "cancel", Op::CancelIo, 0, false, WhileWaiting::Nothing, acquisition::kCannotCancelIo },
        // The library keeps the request it could not cancel until its
        // time-out: the buffers are freed only after that.
        { "cancel with a request outstanding", Op::CancelIo, 0, true, WhileWaiting::StopTheJob,
            acquisition::kCannotCancelIo },
        { "overrun", Op::Count, 0, false, WhileWaiting::HoldUpTheJob, acquisition::kWaitFailed },
    };
    for (const LibraryFailure& failure : failures) {
        SCOPED_TRACE(failure.name);
        recorder.clear();
        sim->clearFailures();
        const bool waits = failure.action != WhileWaiting::Nothing;
        sim->setTimeScale(waits ? 1.0 : 50.0);
        setChannel(0, true);
        setChannel(2, true, 1, 1, 2);
        setMeasurement(QStringLiteral("fft"), waits ? 5.0 : 0.25);
        if (failure.op != Op::Count) {
            if (failure.always)
                sim->failAlways(failure.op);
            else
                sim->failOnce(failure.op, failure.skip);
        }
        // The job checks the data errors right after its first wait.
        if (failure.action == WhileWaiting::HoldUpTheJob)
            sim->stallOnce(Op::CheckDataErrors, 1000);
        pressStart();
        if (waits) {
            ASSERT_TRUE(waitUntil([&] { return sim->acquiring(kSlot); }));
            if (failure.action == WhileWaiting::StopTheModule)
                ASSERT_TRUE(form->Module->STOP_ACQUISITION());
            else if (failure.action == WhileWaiting::StopTheJob)
                form->MainThread->requestTerminate();
        }
        expectRunEndedWith(failure.message);
    }
}

struct PlatformFailure {
    const char* name;
    platform::FaultPoint point;
    int skip;
    const char* method;
    const char* message;
};

TEST_F(AcquisitionFailureTest, EachResourceThatCannotBeMadeEndsTheRunWithItsMessage)
{
    using platform::FaultPoint;
    const PlatformFailure failures[] = {
        { "OVERLAPPED", FaultPoint::AllocateOverlapped, 1, "sum", acquisition::kCannotAllocateOverlapped },
        { "event", FaultPoint::CreateEvent, 1, "sum", acquisition::kCannotCreateEvent },
        { "AdcBuffer", FaultPoint::AllocateMemory, 0, "sum", acquisition::kCannotAllocateAdcBuffer },
        { "AdcData", FaultPoint::AllocateMemory, 1, "sum", acquisition::kCannotAllocateAdcData },
        { "AdcDataPerChannel", FaultPoint::AllocateMemory, 2, "sum", acquisition::kCannotAllocateAdcDataPerChannel },
        { "Window", FaultPoint::AllocateMemory, 3, "fft", acquisition::kCannotAllocateWindow },
        { "FftAdcDataPerChannel", FaultPoint::AllocateMemory, 4, "fft",
            acquisition::kCannotAllocateFftAdcDataPerChannel },
    };
    for (const PlatformFailure& failure : failures) {
        SCOPED_TRACE(failure.name);
        recorder.clear();
        setChannel(1, true);
        setMeasurement(QString::fromLatin1(failure.method), 0.25);
        platform::armFault(failure.point, failure.skip);
        pressStart();
        expectRunEndedWith(failure.message);
        platform::disarmAllFaults();
    }
}

TEST_F(AcquisitionFailureTest, AnEventThatCannotBeClosedIsReportedAtTheEnd)
{
    setChannel(1, true);
    pressStart();
    ASSERT_TRUE(waitForValues());
    const platform::Overlapped* second = form->MainThread->Requests[1].Overlapped;
    platform::EventHandle event = second->hEvent;
    platform::armFault(platform::FaultPoint::CloseHandle, 1);
    pressStop();
    EXPECT_EQ(recorder.texts(), QStringList { QString::fromUtf8(acquisition::kCannotCloseEvent) });
    // The event the fault kept open.
    EXPECT_TRUE(platform::CloseHandle(event));
}

TEST_F(AcquisitionFailureTest, NoCheckedChannelIsRefused)
{
    pressStart();
    expectRunEndedWith(acquisition::kNoActiveChannel);
    EXPECT_EQ(sim->callCount(Op::WriteAdcParameters), 0);
}

TEST_F(AcquisitionFailureTest, AnAcquisitionTimeShorterThanAFrameIsRefused)
{
    // 1 kHz over four channels: 250 Hz frames, 4 ms each.
    for (int c = 0; c < 4; ++c)
        setChannel(c, true);
    setMeasurement(QStringLiteral("sum"), 0.001, QStringLiteral("rms"), QStringLiteral("volt"), 1000.0);
    pressStart();
    expectRunEndedWith(acquisition::kBlockTooShort);
    EXPECT_EQ(sim->callCount(Op::SubmitReadRequest), 0);
}

TEST_F(AcquisitionFailureTest, AFrameRateTooLowForARequestIsRefused)
{
    // A module that answers with 8 Hz frames over two channels: a request
    // of 0.1 s would hold 1.6 samples, one of 4 Hz frames 0.8.
    struct Case {
        double kadrRateKHz;
        bool refused;
    };
    for (const Case c : { Case { 0.008, false }, Case { 0.004, true } }) {
        SCOPED_TRACE(c.kadrRateKHz);
        recorder.clear();
        form->Module = &module;
        module.onWriteAdcParameters = [&c](AdcParameters* parameters) {
            parameters->AdcRate = 2 * c.kadrRateKHz;
            parameters->KadrRate = c.kadrRateKHz;
        };
        setChannel(0, true);
        setChannel(1, true);
        setMeasurement(QStringLiteral("sum"), 1.0);
        TMainThread thread(form.get(), 0, true);
        form->BeginAcquisitionUi(thread);
        form->SetupAcquisition(thread);
        if (c.refused) {
            EXPECT_EQ(recorder.texts(), QStringList { QString::fromUtf8(acquisition::kRequestTooSmall) });
        } else {
            EXPECT_TRUE(recorder.empty());
            EXPECT_EQ(thread.RequestSamples, 1u);
        }
    }
}

} // namespace

// With two or more channels, "fft" measures two channels at once on a second
// thread. Its buffers only speed the block up: when they cannot be had, the
// run measures every channel on the job thread, with the same values and no
// message.
TEST_F(AcquisitionFailureTest, WithoutTheSecondThreadsBuffersTheRunGoesOnAlone)
{
    for (bool secondBuffersFail : { false, true }) {
        SCOPED_TRACE(secondBuffersFail ? "second thread's buffers refused" : "second thread's buffers made");
        recorder.clear();
        sim->setSignal(kSlot, 0, { 0.0, 1.0, 1000.0, 0.0 });
        sim->setSignal(kSlot, 1, { 1.5, 0.0, 0.0, 0.0 });
        setChannel(0, true, 0, 0, 1); // AC
        setChannel(1, true, 0, 0, 0); // DC
        setMeasurement(QStringLiteral("fft"), 0.25, QStringLiteral("rms"), QStringLiteral("volt"), 80000.0);
        // AdcBuffer, AdcData, AdcDataPerChannel, Window and FftAdcDataPerChannel
        // come first; the sixth block is the second thread's.
        if (secondBuffersFail)
            platform::armFault(platform::FaultPoint::AllocateMemory, 5);
        pressStart();
        ASSERT_TRUE(waitForValues());
        EXPECT_EQ(form->MainThread->SecondWorkspace.Analyser == nullptr, secondBuffersFail);
        EXPECT_NEAR(shownValue(0, 1), 707.1, 5.0);
        EXPECT_NEAR(shownValue(0, 2), 1.0, 0.001);
        EXPECT_NEAR(shownValue(1, 1), 1500.0, 5.0);
        EXPECT_TRUE(recorder.empty());
        pressStop();
        platform::disarmAllFaults();
    }
}
