#pragma once
// One module search: finds, opens and configures the module, then applies the
// stored settings. The run is a fixed sequence of steps; the steps that work
// on the window and the settings file run on the user-interface thread
// through synchronised calls (the window's side of WorkerHost). The first
// message of a run skips the remaining work up to the finishing step, which
// always runs.

#include "device/records.h"
#include "threads/module_opening.h"
#include "threads/module_search_rules.h"
#include "threads/worker_thread.h"

#include <QColor>
#include <array>
#include <cstdint>
#include <memory>

namespace settings {
class IniFile;
}
class ModuleApi;

// What a module search does, passed with the start message.
enum InitModeCode : uint32_t {
    kSearchOpenAndConfigure = 1,
};

class TInitAndConfigThread : public WorkerThread {
    Q_OBJECT
public:
    TInitAndConfigThread(WorkerHost* host, uint32_t initMode, bool firstStart);

    // True when started by the automatic search after the first show.
    const bool FirstStart;
    // Search, open and configure (kSearchOpenAndConfigure) is the only mode
    // the window passes.
    const uint32_t InitMode;

    // Step data of the search, written by the steps on either thread; the
    // synchronised calls order every access.
    QString WantedSerial;
    uint16_t PldSource = module_search::kPldFromLibrary;
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
    // The serial wanted is a list entry the window held (readied before or
    // chosen by the user), and the scan found it again.
    bool WantedSerialHeld = false;
    bool WantedSerialFound = false;
    // True while the search shows the hourglass cursor; the application's
    // override-cursor stack keeps the cursor from before the search.
    bool CursorOverridden = false;

protected:
    void Execute() override;
    // Steps 1 to 6 of the run; an exception that escapes them is reported and
    // the finishing step still runs.
    virtual void RunSteps();

private:
    // The device steps of a search, run on the search thread; they hand
    // what they learn to the window in synchronised calls. A failure is
    // reported with ReportMessage, which ends the run's work up to the
    // finishing step.
    void FindAndOpenModule(); // module_search_find.cpp
    void ConfigureModule(); // module_search_configure.cpp
    bool ObtainModuleInterface();
    bool ScanSlots();
    bool ConfigureOpenModule();

    // Sleeps unless the window is shutting down, which skips all waiting.
    void pause(unsigned long milliseconds);

    // The module interface of this search, taken from the window or obtained
    // by the search; used by the worker between the synchronised steps.
    ModuleApi* module_ = nullptr;
    // Modules found by the scan, in list order (published to the window).
    module_search::SlotScan scan_;
    // List position chosen by the serial wanted, counted from 0.
    int chosenPosition_ = 0;
    // The description the configuration reads.
    ModuleDescription description_ {};
};
