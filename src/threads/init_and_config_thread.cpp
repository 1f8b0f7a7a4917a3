#include "threads/init_and_config_thread.h"

#include "mainform.h"

TInitAndConfigThread::TInitAndConfigThread(TMainForm* form, uint32_t initMode, bool firstStart)
    : WorkerThread(form, QStringLiteral("TInitAndConfigThread"))
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
        Synchronize([this] { Form->ModuleState = kNoModule; });
    }
    Synchronize([this] {
        FinishSearch();
        Form->NoteSearchFinished();
    });
}

// A terminate request (the window is closing) skips every remaining step but
// the finishing one, so the thread no longer touches the module interface.
void TInitAndConfigThread::RunSteps()
{
    Form->InitThreadRunning.store(true);
    Synchronize([this] { Form->SwitchOffContextMenuAutoPopup(); });
    MessageShown = false;
    pause(50);
    if (Terminated())
        return;
    Synchronize([this] { PrepareSearch(); });
    pause(100);

    pause(100);
    if (MessageShown || Terminated())
        return;
    Synchronize([this] { RestoreWindowPosition(); });
    pause(100);

    if (InitMode == 1) {
        if (Terminated())
            return;
        FindAndOpenModule();
        pause(100);
        if (!MessageShown && !Terminated()) {
            uint8_t state = 0;
            Synchronize([this, &state] { state = Form->ModuleState; });
            if (state == kModuleSlotOpen) {
                ConfigureModule();
                pause(100);
            }
        }
        if (Terminated())
            return;
        Synchronize([this] { ShowModuleStatus(true); });
        pause(100);
    }

    if (!MessageShown && !Terminated()) {
        Synchronize([this] { ApplyStoredSettings(); });
        pause(100);
    }
}
