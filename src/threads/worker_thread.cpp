#include "threads/worker_thread.h"

#include "mainform.h"
#include "platform/message_seam.h"

#include <QMetaObject>
#include <exception>

WorkerThread::WorkerThread(TMainForm* form, const QString& className)
    : Form(form), className_(className)
{
}

void WorkerThread::run()
{
    Execute();
    runEnded_.store(true, std::memory_order_release);
}

void WorkerThread::Synchronize(const std::function<void()>& function)
{
    if (QThread::currentThread() == Form->thread()) {
        function();
        return;
    }
    // An exception of the function is carried back and rethrown here, on the
    // worker, where the run's own handlers catch it.
    std::exception_ptr failure;
    syncHandshake_.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(
        Form,
        [this, &function, &failure] {
            syncHandshake_.load(std::memory_order_acquire);
            try {
                function();
            } catch (...) {
                failure = std::current_exception();
            }
            syncHandshake_.fetch_add(1, std::memory_order_release);
        },
        Qt::BlockingQueuedConnection);
    syncHandshake_.load(std::memory_order_acquire);
    if (failure)
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
    Form->ShortCutHandlerEnabled = false;
    platform::showMessage(request);
    Form->ShortCutHandlerEnabled = true;
}
