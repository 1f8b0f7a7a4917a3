#pragma once
// One module search: finds, opens and configures the module, then applies the
// stored settings. The run is a fixed sequence of steps; the steps marked
// "main" run on the user-interface thread through synchronised calls. The
// first message of a run skips the remaining work up to the finishing step,
// which always runs.

#include "threads/worker_thread.h"

#include <QColor>
#include <QCursor>
#include <cstdint>
#include <memory>

namespace settings {
class IniFile;
}

class TInitAndConfigThread : public WorkerThread {
    Q_OBJECT
public:
    TInitAndConfigThread(TMainForm* form, uint32_t initMode, bool firstStart);

    // True when started by the automatic search after the first show.
    const bool FirstStart;
    // 1 = search, open and configure (the only mode the window passes).
    const uint32_t InitMode;

    // Step data of the search.
    QString WantedSerial;
    uint16_t PldSource = 1;
    QString LpfText;
    QString ModuleGradeText;
    QString PldGradeText;
    QColor ModuleGradeFontColour;
    QColor ModuleGradeBackColour;
    QColor PldGradeFontColour;
    QColor PldGradeBackColour;
    QString ModuleName;
    // The settings file, open from the preparation until the finishing step.
    std::shared_ptr<settings::IniFile> SettingsFile;
    QCursor SavedCursor;

protected:
    void Execute() override;
    // Steps 1 to 6 of the run; an exception that escapes them is reported and
    // the finishing step still runs.
    virtual void RunSteps();

private:
    // The steps of a search, in the order Execute runs them (their contents
    // are in module_search_steps.cpp).
    void PrepareSearch(); // main
    void RestoreWindowPosition(); // main
    void FindAndOpenModule(); // main
    void ConfigureModule(); // worker
    void ShowModuleStatus(bool after); // main
    void ApplyStoredSettings(); // main
    void FinishSearch(); // main

    // Sleeps unless the window is shutting down, which skips all waiting.
    void pause(unsigned long milliseconds);
};
