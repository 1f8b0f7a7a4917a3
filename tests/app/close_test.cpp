#include "window_fixture.h"

#include "support/sim_library.h"
#include "threads/init_and_config_thread.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <ostream>

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
    form->StartInitDevicesThread(kSearchOpenAndConfigure, false);
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

// ---- Closing with the simulated library, in every state a user can close in --

enum class StateAtClose { Idle, Searching, FirstShowSearch, SearchDialogOpen, JobDialogOpen };

struct CloseCase {
    const char* name;
    StateAtClose state;
    bool autoSave;
};

void PrintTo(const CloseCase& c, std::ostream* out)
{
    *out << c.name;
}

class CloseInEveryState : public WindowTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    void SetUp() override
    {
        sim = simControl();
        ASSERT_NE(sim, nullptr);
        sim->resetToDefaults();
        sim->clearFailures();
        sim->resetCallCounts();
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        sim->clearFailures();
        sim->resetToDefaults();
    }

    // Brings the window into `state`; with a thread's dialog open, closes the
    // window from inside the dialog, before the dialog is answered.
    void reach(StateAtClose state)
    {
        const auto closeFromThreadDialog = [&] {
            recorder.whileShown([&](const platform::MessageRequest& request) {
                if (!request.threadClass.isEmpty())
                    form->close();
            });
        };
        const auto searchHasInterface = [&] { return form->InitThreadRunning && form->Module != nullptr; };
        switch (state) {
        case StateAtClose::Idle:
            form->FindDeviceLMDButtonClick();
            ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1 && !form->InitThreadRunning; }, 20000));
            break;
        case StateAtClose::Searching:
            form->FindDeviceLMDButtonClick();
            ASSERT_TRUE(waitUntil(searchHasInterface));
            break;
        case StateAtClose::FirstShowSearch:
            form->show();
            ASSERT_TRUE(waitUntil(searchHasInterface));
            break;
        case StateAtClose::SearchDialogOpen:
            sim->clearBus(); // the search reports that it found no module
            closeFromThreadDialog();
            form->FindDeviceLMDButtonClick();
            ASSERT_TRUE(waitUntil([&] { return !recorder.empty(); }, 20000));
            break;
        case StateAtClose::JobDialogOpen:
            reach(StateAtClose::Idle);
            if (HasFatalFailure())
                return;
            // The search has read the check box from the settings file.
            form->AutoSaveSettingsLMDCheckBox->setChecked(GetParam().autoSave);
            form->job = [](TMainThread& thread) {
                thread.ReportMessage(QStringLiteral("job failed"));
                loopUntilTerminated(thread);
            };
            closeFromThreadDialog();
            form->StartThread();
            ASSERT_TRUE(waitUntil([&] { return !recorder.empty(); }));
            break;
        }
    }

    modlink_sim::SimControl* sim = nullptr;
};

TEST_P(CloseInEveryState, EndsEveryThreadReleasesTheInterfaceAndSavesWithAutoSave)
{
    const CloseCase& c = GetParam();
    form->AutoSaveSettingsLMDCheckBox->setChecked(c.autoSave);
    reach(c.state);
    // A search may have read the check box from the settings file meanwhile.
    form->AutoSaveSettingsLMDCheckBox->setChecked(c.autoSave);
    const bool closedFromDialog = c.state == StateAtClose::SearchDialogOpen || c.state == StateAtClose::JobDialogOpen;
    if (!closedFromDialog)
        form->close();

    ASSERT_TRUE(waitUntil([&] { return !form->InitThread && !form->MainThread && !form->Module; }));
    EXPECT_FALSE(form->InitThreadRunning);
    EXPECT_FALSE(form->MainThreadRunning);
    EXPECT_EQ(sim->callCount(modlink_sim::Op::ReleaseInterface), 1);
    EXPECT_EQ(form->saveIniFileCalls, c.autoSave ? 1 : 0);
    // The search's finishing step ran however the search ended.
    EXPECT_EQ(form->finishedSearchCount(), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Nothing is left for a later start message or timer to do.
    processEventsFor(200);
    EXPECT_EQ(sim->callCount(modlink_sim::Op::ReleaseInterface), 1);
    EXPECT_EQ(form->startedSearchCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(States, CloseInEveryState,
    ::testing::Values(CloseCase { "Idle", StateAtClose::Idle, true },
        CloseCase { "IdleWithoutAutoSave", StateAtClose::Idle, false },
        CloseCase { "Searching", StateAtClose::Searching, true },
        CloseCase { "FirstShowSearch", StateAtClose::FirstShowSearch, true },
        CloseCase { "SearchDialogOpen", StateAtClose::SearchDialogOpen, true },
        CloseCase { "SearchDialogOpenWithoutAutoSave", StateAtClose::SearchDialogOpen, false },
        CloseCase { "JobDialogOpen", StateAtClose::JobDialogOpen, true }),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

} // namespace
