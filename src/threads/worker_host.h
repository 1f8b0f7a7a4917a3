#pragma once
// What the worker threads need of the window that owns them. The window
// (TMainForm) implements it; the threads call it only on the user-interface
// thread, inside synchronised calls, unless a function says otherwise. The
// thread layer so never sees a widget.

#include "device/records.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class DeviceLibrary;
class ModuleApi;
class QObject;
class TInitAndConfigThread;
class TMainThread;
namespace module_search {
struct GradeLooks;
}

// The window's data a worker reads or writes on its own thread. The threads
// reach it through these pointers, taken when a thread is made (on the
// user-interface thread), and never through a call into the window: the
// window may be in its destructor, stopping the thread, at that moment.
struct WorkerLinks {
    // The object whose thread runs the synchronised calls (the window).
    QObject* target = nullptr;
    std::atomic<bool>* initThreadRunning = nullptr;
    std::atomic<bool>* mainThreadRunning = nullptr;
    std::atomic<bool>* acquisitionIdle = nullptr;
    // The module interface the window holds; null until a search obtained one.
    ModuleApi* const* module = nullptr;
    // The device library the window was given.
    const std::unique_ptr<DeviceLibrary>* library = nullptr;
    // The channels' check boxes: four flags the job reads live.
    const std::atomic<bool>* channelChecked = nullptr;
};

class WorkerHost {
public:
    // ---- Both threads -------------------------------------------------------
    // Called on the user-interface thread only.
    virtual WorkerLinks Links() = 0;
    // Off while a thread dialog is shown, so Esc is left alone.
    virtual void EnableShortCutHandler(bool enabled) = 0;

    // ---- Module search (TInitAndConfigThread) --------------------------------
    virtual void SwitchOffContextMenuAutoPopup() = 0;
    // The steps that work on the window and the settings file alone.
    virtual void PrepareModuleSearch(TInitAndConfigThread& search) = 0;
    virtual void RestoreWindowPosition(TInitAndConfigThread& search) = 0;
    virtual void ShowModuleStatus(TInitAndConfigThread& search, bool after) = 0;
    virtual void ApplyStoredSettings(TInitAndConfigThread& search) = 0;
    // The finishing step: enables what the module's state allows and counts
    // the search as finished.
    virtual void FinishModuleSearch(TInitAndConfigThread& search) = 0;

    // What the search learns, handed over as it goes.
    virtual void SetModuleInterface(ModuleApi* module) = 0;
    virtual void ClearModuleList() = 0;
    virtual void SetFoundModules(
        const std::array<uint16_t, 16>& slotNumbers, const std::array<std::array<char, 16>, 16>& serials)
        = 0;
    // Fills the module list with `items` and selects `chosen`.
    virtual void ShowModuleList(const QStringList& items, int chosen) = 0;
    virtual uint8_t CurrentModuleState() = 0;
    virtual void SetModuleState(uint8_t state) = 0;
    virtual void SetUsbSpeed(uint8_t speed) = 0;
    virtual void SetModuleDescription(const ModuleDescription& description) = 0;
    // The grade labels' hints name the grades read.
    virtual void ShowGradeHints(const module_search::GradeLooks& grades) = 0;

    // ---- Multimeter job (TMainThread) -----------------------------------------
    // The button and the run's copies of the settings.
    virtual void BeginAcquisitionUi(TMainThread& thread) = 0;
    // Sends the thread's ADC parameters and sizes its block.
    virtual void SetupAcquisition(TMainThread& thread) = 0;
    virtual void ShowChannelValues(TMainThread& thread) = 0;
    virtual void ShowOverloadLeds(TMainThread& thread) = 0;
    // The page back to Idle; frees the run's buffers.
    virtual void FinishAcquisition(TMainThread& thread) = 0;

protected:
    ~WorkerHost() = default;
};
