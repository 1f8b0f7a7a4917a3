#pragma once
// One module search: finds, opens and configures the module, then applies the
// stored settings. The run is a fixed sequence of steps; the steps marked
// "main" run on the user-interface thread through synchronised calls. The
// first message of a run skips the remaining work up to the finishing step,
// which always runs.

#include "device/records.h"
#include "threads/worker_thread.h"

#include <QColor>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace settings {
class IniFile;
}
class ModuleApi;

class TInitAndConfigThread : public WorkerThread {
    Q_OBJECT
public:
    TInitAndConfigThread(TMainForm* form, uint32_t initMode, bool firstStart);

    // True when started by the automatic search after the first show.
    const bool FirstStart;
    // 1 = search, open and configure (the only mode the window passes).
    const uint32_t InitMode;

    // Step data of the search, written by the steps on either thread; the
    // synchronised calls order every access.
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
    // The settings file, open from the preparation until the finishing step;
    // null when it could not be opened.
    std::shared_ptr<settings::IniFile> SettingsFile;

protected:
    void Execute() override;
    // Steps 1 to 6 of the run; an exception that escapes them is reported and
    // the finishing step still runs.
    virtual void RunSteps();

private:
    // The steps of a search, in the order Execute runs them. "main" steps
    // run on the user-interface thread; the worker steps make their device
    // calls on the worker and touch the window only through synchronised
    // calls. A failure is reported with ReportMessage, which ends the run's
    // work up to the finishing step.
    void PrepareSearch(); // main, module_search_steps.cpp
    void RestoreWindowPosition(); // main, module_search_steps.cpp
    void FindAndOpenModule(); // worker, module_search_find.cpp
    void ConfigureModule(); // worker, module_search_configure.cpp
    void ShowModuleStatus(bool after); // main, module_search_status.cpp
    void ApplyStoredSettings(); // main, module_search_steps.cpp
    void FinishSearch(); // main, module_search_steps.cpp

    // Parts of the steps.
    void OpenSettingsFile(); // main
    void ReadDetectionSettings(); // main
    bool ObtainModuleInterface(); // worker
    bool ScanSlots(); // worker
    void ShowModuleList(); // main
    bool ConfigureOpenModule(); // worker
    bool ReadDescription(); // worker
    // Runs `work` with the window's HandlerBusy set, so that no change
    // handler fires, and puts the flag back as it was (main).
    void withHandlerBusy(const std::function<void()>& work);

    // Sleeps unless the window is shutting down, which skips all waiting.
    void pause(unsigned long milliseconds);

    // The module interface of this search, taken from the window or obtained
    // by the search; used by the worker between the synchronised steps.
    ModuleApi* module_ = nullptr;
    // Modules found by the scan, in list order (published to the window).
    std::array<uint16_t, 16> foundSlots_ {};
    std::array<std::array<char, 16>, 16> foundSerials_ {};
    int foundCount_ = 0;
    // List position chosen by the serial wanted, counted from 0.
    int chosenPosition_ = 0;
    // The serial wanted is a list entry the window held (readied before or
    // chosen by the user), and the scan found it again.
    bool wantedSerialHeld_ = false;
    bool wantedSerialFound_ = false;
    // The description and bus speed the configuration reads.
    ModuleDescription description_ {};
    uint8_t usbSpeed_ = 0;
    // True while the search shows the hourglass cursor; the application's
    // override-cursor stack keeps the cursor from before the search.
    bool cursorOverridden_ = false;
};
