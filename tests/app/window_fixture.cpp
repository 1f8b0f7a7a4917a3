#include "window_fixture.h"

#include "support/sim_library.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

// A search whose steps are replaced by the test's own.
class ScriptedSearch : public TInitAndConfigThread {
public:
    ScriptedSearch(TMainForm* form, uint32_t mode, bool firstStart, std::function<void()> steps)
        : TInitAndConfigThread(form, mode, firstStart)
        , steps_(std::move(steps))
    {
    }

protected:
    void RunSteps() override
    {
        Form->InitThreadRunning = true;
        steps_();
    }

private:
    std::function<void()> steps_;
};

} // namespace

std::unique_ptr<TInitAndConfigThread> TestForm::createInitThread(uint32_t mode, bool firstStart)
{
    if (failInitThreadCreation)
        return nullptr;
    if (searchSteps)
        return std::make_unique<ScriptedSearch>(this, mode, firstStart, searchSteps);
    return TMainForm::createInitThread(mode, firstStart);
}

std::unique_ptr<TMainThread> TestForm::createMainThread(uint16_t jobIndex, bool jobPageActive)
{
    if (failMainThreadCreation)
        return nullptr;
    auto thread = TMainForm::createMainThread(jobIndex, jobPageActive);
    if (job)
        thread->Jobs[0] = job;
    if (noJob)
        thread->Jobs[0] = nullptr;
    return thread;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void processEventsFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

void WindowTest::SetUp()
{
    ASSERT_TRUE(settingsDirectory.isValid());
    form = std::make_unique<TestForm>(openSimulatedLibrary(), settingsDirectory.path());
}

void WindowTest::TearDown()
{
    form.reset();
}

void WindowTest::startJob()
{
    form->Module = &module;
    form->StartThread();
    ASSERT_TRUE(form->MainThread);
    ASSERT_TRUE(form->MainThreadRunning);
}

void WindowTest::loopUntilTerminated(TMainThread& thread)
{
    while (!thread.Terminated())
        QThread::msleep(5);
}
