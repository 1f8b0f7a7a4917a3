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

// A synchronised call hands its function over through a mailbox slot rather
// than through the captures of the queued functor. Qt synchronises the
// blocking queued call with primitives a thread sanitizer cannot see, so the
// functor the user-interface thread runs is an empty one, and everything it
// needs is published with release/acquire on the slot and the handshake.
namespace {

constexpr int kMailboxSlots = 8;
std::atomic<WorkerThread*> mailbox[kMailboxSlots];
// Synchronised calls the user-interface thread is running, nested ones
// included; only that thread touches it.
int servedCallDepth = 0;

template <int Slot> struct MailboxServer {
    void operator()() const { WorkerThread::serveSynchronizedCall(Slot); }
};

template <int... Slots> void postToSlot(int slot, QObject* context, std::integer_sequence<int, Slots...>)
{
    ((slot == Slots ? (void)QMetaObject::invokeMethod(context, MailboxServer<Slots> {}, Qt::BlockingQueuedConnection)
                    : void()),
        ...);
}

int claimMailboxSlot(WorkerThread* thread)
{
    for (;;) {
        for (int slot = 0; slot < kMailboxSlots; ++slot) {
            WorkerThread* expected = nullptr;
            if (mailbox[slot].compare_exchange_strong(expected, thread, std::memory_order_acq_rel))
                return slot;
        }
        QThread::msleep(1);
    }
}

} // namespace

void WorkerThread::serveSynchronizedCall(int slot)
{
    WorkerThread* thread = mailbox[slot].load(std::memory_order_acquire);
    thread->syncHandshake_.load(std::memory_order_acquire);
    ++servedCallDepth;
    try {
        (*thread->pendingCall_)();
    } catch (...) {
        thread->pendingFailure_ = std::current_exception();
    }
    --servedCallDepth;
    thread->syncHandshake_.fetch_add(1, std::memory_order_release);
}

bool WorkerThread::servingSynchronizedCall()
{
    return servedCallDepth > 0;
}

void WorkerThread::Synchronize(const std::function<void()>& function)
{
    QObject* target = Links.target;
    if (QThread::currentThread() == target->thread()) {
        function();
        return;
    }
    pendingCall_ = &function;
    pendingFailure_ = nullptr;
    syncHandshake_.fetch_add(1, std::memory_order_release);
    const int slot = claimMailboxSlot(this);
    postToSlot(slot, target, std::make_integer_sequence<int, kMailboxSlots> {});
    syncHandshake_.load(std::memory_order_acquire);
    mailbox[slot].store(nullptr, std::memory_order_release);
    // An exception of the function is carried back and rethrown here, on the
    // worker, where the run's own handlers catch it.
    if (std::exception_ptr failure = std::exchange(pendingFailure_, nullptr))
        std::rethrow_exception(failure);
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
