#pragma once
// A main window for tests: a fresh settings directory, the simulated device
// library, every message recorded, and thread creation that tests can make
// fail or give a job of their own.

#include "fake_module.h"
#include "mainform.h"
#include "support/event_wait.h"
#include "support/message_recorder.h"
#include "threads/init_and_config_thread.h"
#include "threads/main_thread.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class TestForm : public TMainForm {
public:
    using TMainForm::TMainForm;

    // Put into entry 0 of every job thread's table when set.
    TMainThread::JobFunction job;
    // Leaves every job thread's table empty, so no page has a job.
    bool noJob = false;
    bool failInitThreadCreation = false;
    bool failMainThreadCreation = false;
    // Replaces the whole search run when set (runs on the search thread).
    std::function<void()> searchSteps;

protected:
    std::unique_ptr<TInitAndConfigThread> createInitThread(uint32_t mode, bool firstStart) override;
    std::unique_ptr<TMainThread> createMainThread(uint16_t jobIndex, bool jobPageActive) override;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a job thread as the start button would, and waits until it runs.
    void startJob();
    // A job that runs until the thread is told to terminate.
    static void loopUntilTerminated(TMainThread& thread);
    // Writes `lines` ("[section]" or "key=value") as the window's settings file.
    void writeSettingsFile(const QStringList& lines);

    QTemporaryDir settingsDirectory;
    MessageRecorder recorder;
    FakeModule module;
    std::unique_ptr<TestForm> form;
};
