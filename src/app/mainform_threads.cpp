// Starting, stopping and ending the two worker threads. A thread is started
// by a posted message; the window then waits for it by polling its running
// flag every 50 ms while it keeps dispatching events, so handlers guard
// themselves with HandlerBusy.

#include "mainform.h"

#include "platform/message_seam.h"
#include "threads/init_and_config_thread.h"
#include "threads/main_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTabWidget>
#include <QTimer>

namespace {

constexpr QEvent::Type kStartInitThreadMessage = static_cast<QEvent::Type>(QEvent::User + 100);
constexpr QEvent::Type kStartMainThreadMessage = static_cast<QEvent::Type>(QEvent::User + 101);

// A posted window message with its two parameters.
class WindowMessage : public QEvent {
public:
    WindowMessage(QEvent::Type type, uintptr_t wParam, intptr_t lParam)
        : QEvent(type)
        , wParam(wParam)
        , lParam(lParam)
    {
    }
    const uintptr_t wParam;
    const intptr_t lParam;
};

} // namespace

void TMainForm::sleepAndDispatch()
{
    QThread::msleep(50);
    QCoreApplication::processEvents();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == kStartInitThreadMessage) {
        const auto* message = static_cast<WindowMessage*>(event);
        OnStartInitDevicesThread(static_cast<uint32_t>(message->wParam), message->lParam != 0);
        return true;
    }
    if (event->type() == kStartMainThreadMessage) {
        OnStartMainThread();
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TMainForm::StartInitDevicesThread(uint32_t mode, bool firstStart)
{
    if (InitThreadRunning || !InitRequestAllowed || ShutdownStarted)
        return;
    InitRequestAllowed = false;
    SearchPending = true;
    QCoreApplication::postEvent(this, new WindowMessage(kStartInitThreadMessage, mode, firstStart ? 1 : 0));
}

std::unique_ptr<TInitAndConfigThread> TMainForm::createInitThread(uint32_t mode, bool firstStart)
{
    return std::make_unique<TInitAndConfigThread>(this, mode, firstStart);
}

void TMainForm::OnStartInitDevicesThread(uint32_t mode, bool firstStart)
{
    // A start message that arrives once the window closes starts nothing.
    if (ShutdownStarted) {
        InitRequestAllowed = true;
        SearchPending = false;
        return;
    }
    InitThreadRunning = false;
    // The previous search's thread has ended (InitRequestAllowed was set
    // only while none ran), so waiting for it returns at once.
    EndInitThread();
    try {
        InitThread = createInitThread(mode, firstStart);
    } catch (const std::exception&) {
        InitThread.reset();
    }
    if (!InitThread) {
        InitRequestAllowed = true;
        SearchPending = false;
        platform::showMessage(QStringLiteral("Не могу открыть поток 'InitAndConfigThread'!"),
            QStringLiteral("Ошибка OnStartInitDevicesThread()!"));
        return;
    }
    ++startedSearches_;
    TInitAndConfigThread* thread = InitThread.get();
    connect(thread, &QThread::finished, this, [this, thread] {
        if (InitThread.get() == thread) {
            InitThreadRunning = false;
            SearchPending = false;
        }
    });
    thread->start();
    while (InitThread.get() == thread && !InitThreadRunning && !thread->runEnded())
        sleepAndDispatch();
    InitRequestAllowed = true;
}

void TMainForm::StartThread()
{
    if (MainThreadRunning || !JobRequestAllowed || ShutdownStarted)
        return;
    QWidget* page = MainLMDPageControl->currentWidget();
    int position = -1;
    for (int i = 0; i < static_cast<int>(JobPages.size()); ++i) {
        if (JobPages[i] == page)
            position = i;
    }
    if (position < 0) {
        platform::showMessage(QStringLiteral("Неизвестный номер страницы приложения!"),
            QStringLiteral("Ошибка StartThread()!!!"), platform::MessageIcon::Information);
        return;
    }
    JobIndex = static_cast<uint16_t>(position);
    if (JobPages[JobIndex] == MultimeterLMDTabSheet) {
        JobRequestAllowed = false;
        QCoreApplication::postEvent(this, new WindowMessage(kStartMainThreadMessage, 0, 0));
        while (!JobRequestAllowed)
            sleepAndDispatch();
    }
}

std::unique_ptr<TMainThread> TMainForm::createMainThread(uint16_t jobIndex, bool jobPageActive)
{
    return std::make_unique<TMainThread>(this, jobIndex, jobPageActive);
}

void TMainForm::OnStartMainThread()
{
    if (ShutdownStarted) {
        JobRequestAllowed = true;
        return;
    }
    MainThreadRunning = false;
    try {
        MainThread = createMainThread(JobIndex, MainLMDPageControl->currentIndex() == kMultimeterPage);
    } catch (const std::exception&) {
        MainThread.reset();
    }
    if (!MainThread) {
        JobRequestAllowed = true;
        platform::showMessage(
            QStringLiteral("Не могу открыть поток 'MainThread'!"), QStringLiteral("Ошибка OnStartMainThread()!"));
        close();
        return;
    }
    TMainThread* thread = MainThread.get();
    connect(thread, &QThread::finished, this, [this, thread] {
        if (MainThread.get() == thread)
            MainThreadRunning = false;
    });
    thread->start();
    while (MainThread.get() == thread && !MainThreadRunning && !thread->runEnded())
        sleepAndDispatch();
    JobRequestAllowed = true;
}

void TMainForm::StopThread()
{
    if (!MainThread || !JobRequestAllowed)
        return;
    EndMainThread();
}

// Asks the job thread to terminate and deletes it once it has ended. The
// thread may be waiting in a synchronised call, so events are dispatched
// until it has exited; only then is it waited for (which returns at once).
void TMainForm::EndMainThread()
{
    TMainThread* thread = MainThread.get();
    if (!thread)
        return;
    thread->requestTerminate();
    while (MainThread.get() == thread && !thread->threadExited())
        sleepAndDispatch();
    // A nested call may have ended and deleted the thread meanwhile.
    if (MainThread.get() != thread)
        return;
    thread->wait();
    MainThread.reset();
    MainThreadRunning = false;
    // Without a job thread nothing acquires, whether or not the job got as far
    // as its own clean-up.
    AcquisitionIdle = true;
}

void TMainForm::EndInitThread()
{
    TInitAndConfigThread* thread = InitThread.get();
    if (!thread)
        return;
    thread->requestTerminate();
    while (InitThread.get() == thread && !thread->threadExited())
        sleepAndDispatch();
    if (InitThread.get() != thread)
        return;
    thread->wait();
    InitThread.reset();
    InitThreadRunning = false;
}

const std::atomic<bool>* TMainForm::jobTerminateFlag() const
{
    return MainThread ? MainThread->terminateFlag() : nullptr;
}

WorkerLinks TMainForm::Links()
{
    WorkerLinks links;
    links.target = this;
    links.initThreadRunning = &InitThreadRunning;
    links.mainThreadRunning = &MainThreadRunning;
    links.acquisitionIdle = &AcquisitionIdle;
    links.module = &Module;
    links.library = &Library;
    links.channelChecked = ChannelChecked.data();
    return links;
}

void TMainForm::NoteSearchFinished()
{
    ++finishedSearches_;
    SearchPending = false;
    emit moduleSearchFinished();
}

// Closing inside a worker's synchronised call (its message dialog is open)
// cannot wait for that worker, which waits for the call to return: both
// threads are told to end, and the rest runs once the call has returned.
void TMainForm::FinishShutdown()
{
    ShutdownStarted = true;
    if (WorkerThread::servingSynchronizedCall()) {
        for (WorkerThread* thread :
            { static_cast<WorkerThread*>(InitThread.get()), static_cast<WorkerThread*>(MainThread.get()) }) {
            if (thread)
                thread->requestTerminate();
        }
        QTimer::singleShot(50, this, [this] { FinishShutdown(); });
        return;
    }
    ShutDownThreads();
    ReleaseModuleInterface();
}

// Both threads end before the module interface is released and before the
// window goes away; start messages still queued start nothing.
void TMainForm::ShutDownThreads()
{
    ShutdownStarted = true;
    EndInitThread();
    EndMainThread();
}

void TMainForm::ReleaseModuleInterface()
{
    if (Module) {
        Module->RELEASE_INTERFACE();
        Module = nullptr;
    }
}
