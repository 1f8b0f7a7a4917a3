#include "window_fixture.h"

#include <QCoreApplication>

namespace {

class CloseTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        form->Module = &module;
        TestForm* window = form.get();
        module.onRelease
            = [this, window] { threadsLeftAtRelease = (window->InitThread ? 1 : 0) + (window->MainThread ? 1 : 0); };
    }

    void expectEverythingEnded()
    {
        EXPECT_EQ(threadsLeftAtRelease, 0);
        EXPECT_EQ(module.releaseCount, 1);
        EXPECT_EQ(form->Module, nullptr);
        EXPECT_EQ(form->InitThread, nullptr);
        EXPECT_EQ(form->MainThread, nullptr);
        EXPECT_FALSE(form->InitThreadRunning);
        EXPECT_FALSE(form->MainThreadRunning);
    }

    int threadsLeftAtRelease = -1;
};

TEST_F(CloseTest, ClosingDuringASearchEndsItBeforeTheInterfaceIsReleased)
{
    form->show();
    ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
    form->close();
    expectEverythingEnded();
}

TEST_F(CloseTest, ClosingDuringAJobEndsItBeforeTheInterfaceIsReleased)
{
    form->job = loopUntilTerminated;
    startJob();
    form->close();
    expectEverythingEnded();
}

TEST_F(CloseTest, ClosingWhileAHandlerIsBusyStillEndsBothThreads)
{
    form->job = [](TMainThread& thread) {
        // A job that keeps calling into the window while it runs.
        while (!thread.Terminated())
            thread.Synchronize([] {});
    };
    startJob();
    form->FindDeviceLMDButtonClick(); // stops the job, starts a search
    form->job = loopUntilTerminated;
    ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
    form->StartThread();
    form->HandlerBusy = true;
    form->close();
    expectEverythingEnded();
}

TEST_F(CloseTest, AStartMessageArrivingAfterCloseStartsNoThread)
{
    form->StartInitDevicesThread(1, false);
    form->close();
    QCoreApplication::processEvents();
    processEventsFor(100);
    EXPECT_EQ(form->startedSearchCount(), 0);
    expectEverythingEnded();
}

TEST_F(CloseTest, DestroyingTheWindowDuringAJobEndsItToo)
{
    form->job = loopUntilTerminated;
    startJob();
    form.reset();
    EXPECT_EQ(module.releaseCount, 1);
    EXPECT_EQ(threadsLeftAtRelease, 0);
}

} // namespace
