#include "window_fixture.h"

#include "support/sim_library.h"

#include <QFile>
#include <QStringEncoder>
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
        Links.initThreadRunning->store(true);
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

void WindowTest::writeSettingsFile(const QStringList& lines)
{
    QFile file(form->SettingsPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QStringEncoder encoder("windows-1251");
    for (const QString& line : lines)
        file.write(QByteArray(encoder.encode(line + QStringLiteral("\r\n"))));
}

void WindowTest::loopUntilTerminated(TMainThread& thread)
{
    while (!thread.Terminated())
        QThread::msleep(5);
}
