#include "threads/worker_thread.h"

#include "platform/message_seam.h"
#include "threads/worker_host.h"

#include <QMetaObject>
#include <exception>
#include <utility>

WorkerThread::WorkerThread(WorkerHost* host, const QString& className)
    : Host(host)
    , Links(host->Links())
    , className_(className)
{
}

namespace {

// Raises a flag when the operating-system thread exits: thread-local objects
// are destroyed after Qt has finished the thread (emitted finished, released
// its thread data), as the very last thing the thread does.
struct ExitFlag {
    std::atomic<bool>* flag = nullptr;
    ~ExitFlag()
    {
        if (flag)
            flag->store(true, std::memory_order_release);
    }
};

thread_local ExitFlag exitFlag;

} // namespace

void WorkerThread::run()
{
    exitFlag.flag = &threadExited_;
    Execute();
    runEnded_.store(true, std::memory_order_release);
}

namespace {

// Synchronised calls the user-interface thread is running, nested ones
// included; only that thread touches it.
int servedCallDepth = 0;

} // namespace

// The worker posts a queued call to this object, which lives on the
// user-interface thread, and waits on the condition variable. The call is
// served wherever that thread dispatches events: its main loop, a modal
// dialog's nested loop, or a wait of the window that keeps dispatching
// (closing included), so a worker waiting here never blocks the window.
void WorkerThread::Synchronize(const std::function<void()>& function)
{
    if (QThread::currentThread() == thread()) {
        function();
        return;
    }
    std::unique_lock<std::mutex> lock(callMutex_);
    pendingCall_ = &function;
    pendingFailure_ = nullptr;
    callServed_ = false;
    QMetaObject::invokeMethod(this, "serveSynchronizedCall", Qt::QueuedConnection);
    callDone_.wait(lock, [this] { return callServed_; });
    pendingCall_ = nullptr;
    std::exception_ptr failure = std::exchange(pendingFailure_, nullptr);
    lock.unlock();
    // An exception of the function is carried back and rethrown here, on the
    // worker, where the run's own handlers catch it.
    if (failure)
        std::rethrow_exception(failure);
}

void WorkerThread::serveSynchronizedCall()
{
    const std::function<void()>* function = nullptr;
    {
        std::lock_guard<std::mutex> lock(callMutex_);
        function = pendingCall_;
    }
    if (!function)
        return;
    std::exception_ptr failure;
    ++servedCallDepth;
    try {
        (*function)();
    } catch (...) {
        failure = std::current_exception();
    }
    --servedCallDepth;
    {
        std::lock_guard<std::mutex> lock(callMutex_);
        pendingFailure_ = failure;
        callServed_ = true;
    }
    callDone_.notify_one();
}

bool WorkerThread::servingSynchronizedCall()
{
    return servedCallDepth > 0;
}

void WorkerThread::ReportMessage(const QString& text)
{
    if (MessageShown.load())
        return;
    MessageText = text;
    Synchronize([this] { ShowThreadMessage(); });
}

void WorkerThread::ShowThreadMessage()
{
    if (MessageShown.exchange(true))
        return;
    platform::MessageRequest request;
    request.text = MessageText;
    request.caption = QStringLiteral("Сообщение ") + className_ + QStringLiteral("::Execute()!!!");
    request.icon = platform::MessageIcon::Error;
    request.threadClass = className_;
    // Esc must not reach the window's handler while the dialog is up.
    Host->EnableShortCutHandler(false);
    platform::showMessage(request);
    Host->EnableShortCutHandler(true);
}
