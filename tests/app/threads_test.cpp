#include "platform/decimal_separator.h"
#include "window_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <stdexcept>

namespace {

using ThreadsTest = WindowTest;

const QString kMainThreadTitle = QStringLiteral("Сообщение TMainThread::Execute()!!!");

// Starts a job and waits for the first message it shows.
void waitForMessage(const MessageRecorder& recorder)
{
    ASSERT_TRUE(waitUntil([&] { return !recorder.empty(); }));
}

TEST_F(ThreadsTest, JobThreadWithoutAJobShowsItsMessageAndWaitsToBeStopped)
{
    form->noJob = true;
    startJob();
    waitForMessage(recorder);
    ASSERT_EQ(recorder.messages().size(), 1u);
    const platform::MessageRequest& message = recorder.messages()[0];
    EXPECT_EQ(message.text,
        QStringLiteral("Опаньки!!!\nОтсутствует функция обработки для 'MainThread'!!!\nСрочно сообщите разработчику!"));
    EXPECT_EQ(message.caption, kMainThreadTitle);
    EXPECT_EQ(message.threadClass, QStringLiteral("TMainThread"));
    EXPECT_TRUE(form->MainThreadRunning);
    EXPECT_FALSE(form->MainThread->runEnded());

    QElapsedTimer timer;
    timer.start();
    form->StopThread();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(form->MainThreadRunning);
    EXPECT_TRUE(form->AcquisitionIdle);
}

TEST_F(ThreadsTest, JobThreadWithoutADeviceHandleRunsNoJob)
{
    bool jobRan = false;
    form->job = [&jobRan](TMainThread&) { jobRan = true; };
    form->StartThread(); // no module interface: no handle
    waitForMessage(recorder);
    processEventsFor(200);
    EXPECT_EQ(recorder.texts(), QStringList { QStringLiteral(" Не могу получить дескриптор модуля!") });
    form->StopThread();
    EXPECT_FALSE(jobRan);
}

TEST_F(ThreadsTest, OneMessagePerRun)
{
    form->job = [](TMainThread& thread) {
        thread.ReportMessage(QStringLiteral("first"));
        thread.ReportMessage(QStringLiteral("second"));
        throw std::runtime_error("third");
    };
    startJob();
    waitForMessage(recorder);
    processEventsFor(200);
    EXPECT_EQ(recorder.texts(), QStringList { QStringLiteral("first") });
    EXPECT_TRUE(form->MainThread->MessageShown);
}

TEST_F(ThreadsTest, ConversionErrorShowsTheSeparatorInForceAndRestoresThePoint)
{
    form->job = [](TMainThread&) {
        platform::setDecimalSeparator(',');
        throw platform::ConversionError(QStringLiteral("1.5"));
    };
    startJob();
    waitForMessage(recorder);
    EXPECT_EQ(recorder.texts(),
        QStringList { QStringLiteral("Ошибка преобразования строки в число!!!\nТекущий сепаратор ','.") });
    // The job puts the point back right after its message has been shown.
    EXPECT_TRUE(waitUntil([] { return platform::decimalSeparator() == '.'; }));
}

TEST_F(ThreadsTest, AnyOtherExceptionInTheJobIsReported)
{
    form->job = [](TMainThread&) { throw 7; };
    startJob();
    waitForMessage(recorder);
    EXPECT_EQ(recorder.texts(),
        QStringList { QStringLiteral(
            "Опаньки!!!\nПоймали неустранимое исключение в потоке 'MainThread'!!!\nСрочно сообщите разработчику!") });
    form->StopThread();
    EXPECT_EQ(form->MainThread, nullptr);
}

TEST_F(ThreadsTest, JobSetsTheSeparatorAndClearsAcquisitionIdleOnItsPage)
{
    platform::setDecimalSeparator(',');
    char seen = 0;
    form->job = [&seen](TMainThread& thread) {
        seen = platform::decimalSeparator();
        loopUntilTerminated(thread);
    };
    startJob();
    EXPECT_FALSE(form->AcquisitionIdle);
    EXPECT_NE(form->jobTerminateFlag(), nullptr);
    form->StopThread();
    EXPECT_EQ(seen, '.');
    EXPECT_EQ(form->jobTerminateFlag(), nullptr);
}

TEST_F(ThreadsTest, JobsSynchroniseWithTheWindow)
{
    QString caption;
    form->job = [&caption](TMainThread& thread) {
        thread.Synchronize([&] { caption = static_cast<QWidget*>(thread.links().target)->windowTitle(); });
        loopUntilTerminated(thread);
    };
    startJob();
    form->StopThread();
    EXPECT_EQ(caption, form->windowTitle());
}

TEST_F(ThreadsTest, ASynchronisedCallRunsOnTheUserInterfaceThread)
{
    std::atomic<bool> jobOnUiThread { true };
    bool callOnUiThread = false;
    form->job = [&](TMainThread& thread) {
        jobOnUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        thread.Synchronize(
            [&] { callOnUiThread = QThread::currentThread() == QCoreApplication::instance()->thread(); });
        loopUntilTerminated(thread);
    };
    startJob();
    form->StopThread();
    EXPECT_FALSE(jobOnUiThread);
    EXPECT_TRUE(callOnUiThread);
}

TEST_F(ThreadsTest, AnExceptionInsideASynchronisedCallReachesTheThreadDialog)
{
    bool afterCall = false;
    form->job = [&afterCall](TMainThread& thread) {
        thread.Synchronize([] { throw std::runtime_error("thrown on the user-interface thread"); });
        afterCall = true;
    };
    startJob();
    waitForMessage(recorder);
    form->StopThread();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text,
        QStringLiteral(
            "Опаньки!!!\nПоймали неустранимое исключение в потоке 'MainThread'!!!\nСрочно сообщите разработчику!"));
    EXPECT_EQ(recorder.messages()[0].threadClass, QStringLiteral("TMainThread"));
    EXPECT_FALSE(afterCall);
}

// A modal dialog runs a nested event loop; the worker's calls are served
// there as well.
TEST_F(ThreadsTest, SynchronisedCallsAreServedInsideANestedEventLoop)
{
    std::atomic<int> served { 0 };
    form->job = [&served](TMainThread& thread) {
        while (!thread.Terminated()) {
            thread.Synchronize([&served] { ++served; });
            QThread::msleep(5);
        }
    };
    startJob();
    const int before = served;
    QEventLoop nested;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &nested, [&] {
        if (served >= before + 3)
            nested.quit();
    });
    poll.start(10);
    QTimer::singleShot(5000, &nested, &QEventLoop::quit);
    nested.exec();
    EXPECT_GE(served, before + 3);
    form->StopThread();
}

TEST_F(ThreadsTest, AJobThreadThatCannotBeCreatedClosesTheWindow)
{
    form->show();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    form->failMainThreadCreation = true;
    form->StartThread();
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу открыть поток 'MainThread'!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка OnStartMainThread()!"));
    EXPECT_TRUE(recorder.messages()[0].threadClass.isEmpty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->JobRequestAllowed);
}

TEST_F(ThreadsTest, ASearchThreadThatCannotBeCreatedLeavesTheNextRequestOpen)
{
    form->failInitThreadCreation = true;
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return !recorder.empty(); }));
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу открыть поток 'InitAndConfigThread'!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка OnStartInitDevicesThread()!"));
    form->failInitThreadCreation = false;
    form->FindDeviceLMDButtonClick();
    EXPECT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
}

TEST_F(ThreadsTest, ASearchEndsWithItsFinishingStepAfterAnException)
{
    form->ModuleState = 2;
    form->searchSteps = [] { throw std::runtime_error("broken"); };
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text,
        QStringLiteral("Опаньки!!! Поймали неустранимое исключение!!!\nСрочно сообщите разработчику!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Сообщение TInitAndConfigThread::Execute()!!!"));
    EXPECT_EQ(form->ModuleState, 0);
    EXPECT_TRUE(waitUntil([&] { return !form->InitThreadRunning; }));
}

TEST_F(ThreadsTest, AStartPageWithoutAJobStartsNothing)
{
    form->Module = &module;
    form->JobPages[0] = form->VerificationLMDTabSheet;
    form->StartThread();
    EXPECT_EQ(form->MainThread, nullptr);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Неизвестный номер страницы приложения!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка StartThread()!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
}

} // namespace
