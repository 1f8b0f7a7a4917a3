#pragma once
// What both worker threads share: the synchronised call that runs a function
// on the user-interface thread while the worker waits, the cooperative
// terminate request, and the one-message-per-run thread dialog.

#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

#include "threads/worker_host.h"

class WorkerThread : public QThread {
    Q_OBJECT
public:
    // `className` names the thread in its dialog ("TMainThread", ...).
    WorkerThread(WorkerHost* host, const QString& className);

    const QString& className() const { return className_; }
    WorkerHost* host() const { return Host; }
    // The window's data this thread reaches on its own thread.
    const WorkerLinks& links() const { return Links; }

    // Set by the first message of a run; later messages are dropped and the
    // remaining work is skipped.
    std::atomic<bool> MessageShown { false };
    // The message to show; written by the worker before the synchronised call.
    QString MessageText;

    // Runs `function` on the user-interface thread and returns when it has
    // run; an exception it throws is rethrown here. Called on the
    // user-interface thread itself, it runs the function directly.
    void Synchronize(const std::function<void()>& function);
    // True while the user-interface thread runs a worker's synchronised call
    // (a thread dialog may be open in it). That worker waits for the call to
    // return, so nothing the call leads to may wait for a worker to end.
    static bool servingSynchronizedCall();

    // Worker side: unless a message was shown already in this run, puts
    // `text` into MessageText and shows it through a synchronised call.
    void ReportMessage(const QString& text);
    // User-interface side: shows MessageText in the thread dialog once a run.
    void ShowThreadMessage();

    void requestTerminate() { terminateRequest_.store(true, std::memory_order_release); }
    bool Terminated() const { return terminateRequest_.load(std::memory_order_acquire); }
    // The flag long computations poll to stop early.
    const std::atomic<bool>* terminateFlag() const { return &terminateRequest_; }

    // True once run() has returned; after that the thread touches neither the
    // window nor the module interface.
    bool runEnded() const { return runEnded_.load(std::memory_order_acquire); }
    // True once the operating-system thread has also left Qt's own finishing
    // work (the finished signal, its thread data); only then may the object
    // be deleted without any access of that thread still pending.
    bool threadExited() const { return threadExited_.load(std::memory_order_acquire); }

protected:
    // The thread's work; called by run().
    virtual void Execute() = 0;

    // The window that owns the thread, and its data.
    WorkerHost* const Host;
    const WorkerLinks Links;

private:
    void run() final;
    // User-interface side of the synchronised call: runs the pending
    // function and wakes the worker.
    Q_INVOKABLE void serveSynchronizedCall();

    const QString className_;
    std::atomic<bool> terminateRequest_ { false };
    std::atomic<bool> runEnded_ { false };
    std::atomic<bool> threadExited_ { false };
    // The synchronised call in progress, handed over under the mutex: Qt's
    // own event queue synchronises through primitives a thread sanitizer
    // does not see, so the queued call carries no data of its own.
    std::mutex callMutex_;
    std::condition_variable callDone_;
    const std::function<void()>* pendingCall_ = nullptr;
    std::exception_ptr pendingFailure_;
    bool callServed_ = false;
};
