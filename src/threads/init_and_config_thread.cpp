#include "threads/init_and_config_thread.h"

#include "threads/module_state.h"
#include "threads/worker_host.h"

TInitAndConfigThread::TInitAndConfigThread(WorkerHost* host, uint32_t initMode, bool firstStart)
    : WorkerThread(host, QStringLiteral("TInitAndConfigThread"))
    , FirstStart(firstStart)
    , InitMode(initMode)
{
}

void TInitAndConfigThread::pause(unsigned long milliseconds)
{
    if (!Terminated())
        msleep(milliseconds);
}

void TInitAndConfigThread::Execute()
{
    try {
        RunSteps();
    } catch (...) {
        ReportMessage(QStringLiteral("Опаньки!!! Поймали неустранимое исключение!!!\nСрочно сообщите разработчику!"));
        Synchronize([this] { Host->SetModuleState(kNoModule); });
    }
    Synchronize([this] { Host->FinishModuleSearch(*this); });
}

// A terminate request (the window is closing) skips every remaining step but
// the finishing one, so the thread no longer touches the module interface.
void TInitAndConfigThread::RunSteps()
{
    Links.initThreadRunning->store(true);
    Synchronize([this] { Host->SwitchOffContextMenuAutoPopup(); });
    MessageShown = false;
    pause(50);
    if (Terminated())
        return;
    Synchronize([this] { Host->PrepareModuleSearch(*this); });
    pause(100);

    pause(100);
    if (MessageShown || Terminated())
        return;
    Synchronize([this] { Host->RestoreWindowPosition(*this); });
    pause(100);

    if (InitMode == kSearchOpenAndConfigure) {
        if (Terminated())
            return;
        FindAndOpenModule();
        pause(100);
        if (!MessageShown && !Terminated()) {
            uint8_t state = 0;
            Synchronize([this, &state] { state = Host->CurrentModuleState(); });
            if (state == kModuleSlotOpen) {
                ConfigureModule();
                pause(100);
            }
        }
        if (Terminated())
            return;
        Synchronize([this] { Host->ShowModuleStatus(*this, true); });
        pause(100);
    }

    if (!MessageShown && !Terminated()) {
        Synchronize([this] { Host->ApplyStoredSettings(*this); });
        pause(100);
    }
}
