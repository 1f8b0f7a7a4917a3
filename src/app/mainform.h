#pragma once
// The main window: owner of every control (TMainFormControls), of all run-time
// state and of the two worker threads. Its implementation is split by concern
// into mainform*.cpp; each later concern keeps its declarations in its own
// section below.

#include "coeffs/correction_coeffs.h"
#include "device/device_library.h"
#include "mainform_controls.h"
#include "threads/adc_parameters_fill.h"
#include "threads/module_state.h"
#include "threads/worker_host.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace settings {
class IniFile;
}
namespace coeffs {
struct CoeffComparison;
}
class ApplicationEventFilter;
class QToolButton;
class TInitAndConfigThread;
class TMainThread;

class TMainForm : public QWidget, public TMainFormControls, public WorkerHost {
    Q_OBJECT
public:
    // `library` is loaded by the first module search; the settings file is
    // "Zentrix.ini" in `settingsDirectory`.
    TMainForm(std::unique_ptr<DeviceLibrary> library, const QString& settingsDirectory, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- Shell state ---------------------------------------------------------
    // Re-entrancy flag of every handler: a handler returns at once while it is
    // set; code that changes controls itself sets it around the change.
    bool HandlerBusy = false;
    // How far the window got towards its first module search.
    enum ShowPhaseCode : uint8_t {
        kConstructing = 0,
        kConstructed = 1,
        kShown = 2,
        // The first module search has been started.
        kFirstSearchStarted = 3,
    };
    uint8_t ShowPhase = kConstructing;
    uint32_t WindowsVersionCode = 0;
    QString CaptionTemplate;
    QString ModuleGradeHint;
    QString PldGradeHint;
    std::array<TQ4705AdcChannelFrame*, 4> ChannelFrames {};
    std::array<QLineEdit*, 2> DacEdits {};
    std::array<QWidget*, 1> JobPages {};
    uint16_t JobIndex = 0;

    // The device library and the module interface it hands out (null until a
    // search obtains it; released when the window closes).
    std::unique_ptr<DeviceLibrary> Library;
    ModuleApi* Module = nullptr;
    // The settings directory and the full path of the settings file.
    QString SettingsDirectory;
    QString SettingsPath;

    // Window created / activated: the decimal separator becomes '.'.
    void FormCreate();
    void FormActivate();

    // ---- Threads -------------------------------------------------------------
    bool InitRequestAllowed = true;
    bool JobRequestAllowed = true;
    // Written by the workers, polled by the user-interface thread.
    std::atomic<bool> InitThreadRunning { false };
    std::atomic<bool> MainThreadRunning { false };
    std::atomic<bool> AcquisitionIdle { true };
    std::unique_ptr<TInitAndConfigThread> InitThread;
    std::unique_ptr<TMainThread> MainThread;
    // Cleared while a thread dialog is shown: Esc is then left alone.
    bool ShortCutHandlerEnabled = true;
    // Set from the request of a module search until its finishing step; no
    // job starts meanwhile.
    bool SearchPending = false;

    void StartInitDevicesThread(uint32_t mode, bool firstStart);
    void OnStartInitDevicesThread(uint32_t mode, bool firstStart);
    void StartThread();
    void OnStartMainThread();
    void StopThread();
    // The job thread's terminate request (for the FFT's abort flag); null
    // while no job thread exists.
    const std::atomic<bool>* jobTerminateFlag() const;

    // Called by the finishing step of every search.
    void NoteSearchFinished();
    int startedSearchCount() const { return startedSearches_; }
    int finishedSearchCount() const { return finishedSearches_; }
    void SwitchOffContextMenuAutoPopup() override;

    // ---- What the worker threads reach (WorkerHost) ----------------------------
    WorkerLinks Links() override;
    void EnableShortCutHandler(bool enabled) override { ShortCutHandlerEnabled = enabled; }
    void SetModuleInterface(ModuleApi* module) override { Module = module; }
    void SetFoundModules(
        const std::array<uint16_t, 16>& slotNumbers, const std::array<std::array<char, 16>, 16>& serials) override;
    uint8_t CurrentModuleState() override { return ModuleState; }
    void SetModuleState(uint8_t state) override { ModuleState = state; }
    void SetUsbSpeed(uint8_t speed) override { UsbSpeed = speed; }
    void SetModuleDescription(const ModuleDescription& description) override { Description = description; }

    // ---- Commands ------------------------------------------------------------
    void FindDeviceLMDButtonClick();
    void StartLMDSpeedButtonClick(QToolButton* button);
    void ModulesComboBoxChange();
    // True when the page control may change to `newIndex`.
    bool MainLMDPageControlChangingEx(int newIndex);
    void ApplicationExitClick();
    void ResetChannelFrame(int channel);

    // ---- Application-wide events (Esc short-cut, activation) -----------------
    // Esc: returns true when the key is handled.
    bool ApplicationShortCut(int key);
    void ApplicationActivate();
    void ApplicationDeactivate();

    // ---- Voltmeter panel and verification page --------------------------------
    void AcDcVoltmeterModeLMDRadioGroupChange(QObject* sender);
    void AcFilterVoltmeterLMDComboBoxChange();
    void CfgFileNameEditChange();
    void VerifySplitterMoved();

    // ---- Module search -------------------------------------------------------
    // Enables or disables `control` and every control inside it, depth first.
    // When enabling, the controls inside AdcIndividualParsLMDGroupBox keep
    // their own state (the channel rule enables them).
    void SetEnabledRecursively(QWidget* control, bool enabled);
    // The stored window position (-1: keep that coordinate), used only where
    // the whole window fits on a screen.
    void MoveToStoredPosition(int top, int left);
    // Text and colours of one of the status labels of the top band.
    void ShowStatusLabel(QLabel* label, const QString& text, const QColor& textColour, const QColor& background);
    // The search's steps on this thread, each run in a synchronised call
    // while the search waits (mainform_search_steps.cpp, _status.cpp).
    void PrepareModuleSearch(TInitAndConfigThread& search) override;
    void RestoreWindowPosition(TInitAndConfigThread& search) override;
    void ShowModuleStatus(TInitAndConfigThread& search, bool after) override;
    void ApplyStoredSettings(TInitAndConfigThread& search) override;
    void FinishModuleSearch(TInitAndConfigThread& search) override;
    void ClearModuleList() override;
    void ShowModuleList(const QStringList& items, int chosen) override;
    void ShowGradeHints(const module_search::GradeLooks& grades) override;
    // Parts of PrepareModuleSearch.
    void OpenSearchSettingsFile(TInitAndConfigThread& search);
    void ReadDetectionSettings(TInitAndConfigThread& search);
    // A ModuleStateCode: no module, slot open, ready.
    uint8_t ModuleState = kNoModule;
    std::array<uint16_t, 16> ModuleSlots {};
    // Fixed 16-byte fields, not necessarily zero-terminated.
    std::array<std::array<char, 16>, 16> ModuleSerials {};
    // Bus speed of the open module: 1 = high speed (480 Mbit/s), else full speed.
    uint8_t UsbSpeed = 0;
    // Description of the open module, as the library last read it.
    ModuleDescription Description {};

    // ---- Settings model --------------------------------------------------------
    // ADC conversion rate and frame rate in Hz (the frame rate as accepted).
    double AdcRateHz = 0.0;
    double KadrRateHz = 0.0;
    // Longest data-acquisition time, seconds.
    double MaxAcquisitionTime = 0.0;
    // "sum" or "fft"; "rms" or "amp"; "volt" or anything else for ADC codes.
    QString ComputationMethod;
    QString AmplitudeType;
    QString AmplitudeKind;
    // Decimal places per input range, and the nine number patterns built from
    // them: [r] DC, [3 + r] AC, [6 + r] frequency.
    std::array<uint16_t, 3> DcPrecision {};
    std::array<uint16_t, 3> AcPrecision {};
    std::array<uint16_t, 3> FrPrecision {};
    std::array<QString, 9> PrecisionFormats {};
    int32_t CoeffsLoadSource = 0;
    // The file object of the last default-writing or saving.
    std::unique_ptr<settings::IniFile> SettingsFile;
    // Whether the window holds a value for these keys, applied from the file
    // or chosen by the user since; a save writes only the keys it holds.
    bool AutoSaveSettingHeld = false;
    bool ChannelSettingsHeld = false;
    // The selected module was readied by the last search or chosen by the user.
    bool ModuleSelectionHeld = false;
    // The last search found a settings file it could not read: the window then
    // holds defaults only, and a save must not put them over the user's file,
    // even one that has become readable since. The next search reads it again.
    bool SettingsFileUnread = false;

    // ---- ADC parameters and acquisition display ------------------------------
    // The window's ADC parameter record, filled by SetAdcPars.
    AdcParameters AdcPars {};
    // Passes the channel frames' choices and the rate to the module; false
    // without calling the library when no channel is checked.
    bool SetAdcPars();
    // Check box and combo-box indices of the four channel frames.
    acquisition::ChannelChoices ChannelChoicesOfFrames() const;
    // Coefficients, rate (kHz) and link parameter from the window's state.
    void FillAdcRateAndCoeffs(AdcParameters& parameters) const;
    // The acquisition job's steps on this thread, each run in a synchronised
    // call while the job waits.
    // Button "С Т О П"; the run's copies of the channel and measurement settings.
    void BeginAcquisitionUi(TMainThread& thread) override;
    // Empties the values, sends the thread's ADC parameters and sizes the block.
    void SetupAcquisition(TMainThread& thread) override;
    // The block's values in the frames, red for an overloaded channel.
    void ShowChannelValues(TMainThread& thread) override;
    void ShowOverloadLeds(TMainThread& thread) override;
    // Frees the run's resources and returns the page to Idle.
    void FinishAcquisition(TMainThread& thread) override;

    // ---- Channel and group controls ------------------------------------------
    // Checked state of each channel's check box, mirrored on the user-interface
    // thread so the acquisition job can read it from its own thread.
    std::array<std::atomic<bool>, 4> ChannelChecked {};
    // Enables the channel controls by the channel rule once a module is ready.
    void EnableChannelControlsForReadyModule();
    // Connects the channel handlers to one frame's controls.
    void ConnectChannelFrame(TQ4705AdcChannelFrame* frame);
    void ConnectGroupChannelHandlers();
    // The group and channel handlers; each stops the page job before it
    // changes anything. `sender` is the control that raised the event.
    void AllChannelsLMDCheckBoxChange();
    void AllInputRangeLMDComboBoxChange();
    void CommonInputConnectionModeLMDComboBoxChange();
    void CommonMeasuringMethodLMDComboBoxChange();
    void EnaChannelLMDCheckBoxChange(QObject* sender);
    void InputRangeLMDComboBoxChange();
    void InputConnectionModeLMDComboBoxChange();
    void ParTypeLMDComboBoxChange(QObject* sender);
    // Enables a channel's value fields and sets their units by its on/off
    // state and measured parameter. The method-aware form differs for AC
    // only: the second field (the frequency) is usable only with "fft".
    void UpdateChannelValueFields(TQ4705AdcChannelFrame* frame, bool methodAware);
    // The unit captions alone, by the measured parameter; none selected
    // leaves them as they are.
    void SetValueUnitCaptions(TQ4705AdcChannelFrame* frame);
    // Passes the settings to the module and shows the rates it accepted, or
    // "------" when it takes none; false then.
    bool ApplyAdcRate();

    // ---- Numeric entry -------------------------------------------------------
    // The ADC rate and the two generator fields: red while a typed value is
    // not confirmed with Enter; the start button is usable only when none is.
    void ConnectEntryHandlers();
    void CommonLMDEditChange(QObject* sender);
    // `key` is the typed character; the handler sets it to null to discard it.
    void CommonLMDEditKeyPress(QObject* sender, QChar& key);

    // ---- DAC outputs ---------------------------------------------------------
    // The caret position the text normalisation computed (1-based), applied
    // at the next caret notification.
    bool CursorPosPending = false;
    int SavedCursorPos = 1;
    void ConnectDacHandlers();
    // Handlers shared by both DAC fields. A key handler discards its key by
    // setting it to 0 (key down) or null (typed character).
    void DacValueLMDEditKeyPress(QObject* sender, QChar& key);
    void DacValueLMDEditKeyDown(QObject* sender, int& key);
    void DacValueLMDEditChange(QObject* sender);
    void DacValueLMDEditCursorPosChanged(QObject* sender);
    // Enter in a DAC field: the value, limited to ±5 V and corrected with the
    // output's coefficients, is sent to the module; the field turns black
    // once the module has taken it.
    void ApplyDacValue(QObject* field);

    // ---- Settings file -------------------------------------------------------
    // Writes every default into the file at `path` and keeps the file object.
    bool CreateDefaultIniFile(const QString& path);
    // Applies the stored settings from an open file object; false without one.
    bool ReadIniFile(settings::IniFile* file);
    // Virtual so that tests can see the window save (at close with auto-save).
    virtual void SaveIniFile(const QString& path);
    void ReleaseSettingsFile();
    void SaveDefaultSettingsClick();
    void SaveCurrentSettingsClick();
    void ConnectSettingsHandlers();
    void AutoSaveSettingsLMDCheckBoxChange();
    void SaveSettingsButtonClick();
    // Steps of ReadIniFile and SaveIniFile.
    void ReadAdcSettings(const settings::IniFile& file);
    void ReadRateAndDacSettings(const settings::IniFile& file);
    bool WriteAppSettings(settings::IniFile& file);
    bool WriteModuleSettings(settings::IniFile& file);
    bool WriteChannelSettings(settings::IniFile& file);

    // ---- Coefficient storage -------------------------------------------------
    // The set in use (sent with the ADC parameters, applied to DAC values and
    // shown in the tables), the factory set built from Description, and the
    // record last read from, written to or reset in the user flash.
    coeffs::CorrectionCoeffs WorkingCoeffs {};
    coeffs::CorrectionCoeffs FactoryCoeffs {};
    coeffs::CorrectionCoeffs UserFlashCoeffs {};
    void BuildFactoryCoeffs();
    // Factory set into FactoryCoeffs and WorkingCoeffs, UserFlashCoeffs zero;
    // neither the module nor the tables are touched.
    void InitCoeffSets();
    // Each reports its own failure in a message box and returns false.
    bool CheckCorrectionCoeffsInUserFlash();
    bool WriteCorrectionCoeffsToUserFlash();
    bool SaveAdcCorrectionCoeffsToFactoryFlash();
    coeffs::CoeffComparison CompareCoeffSets() const;
    // Each save button is enabled exactly when WorkingCoeffs differs from
    // the set it would overwrite.
    void UpdateCoeffSaveButtons();
    void SaveCalibrCoefsToFactoryFlashLMDButtonClick();
    void RefreshCalibrCoefsFromFactoryFlashLMDButtonClick();
    void SaveCalibrCoefsToFileLMDButtonClick();
    void RefreshCalibrCoefsFromFileLMDButtonClick();
    void ResetCalibrCoefsInFileLMDButtonClick();
    // The working ADC pairs (code side) into an ADC parameter record.
    void CopyWorkingAdcCoeffs(AdcParameters& parameters) const;

    // ---- Coefficient tables --------------------------------------------------
    // [0] = AdcOffsetCoefsStringGrid, [1] = AdcScaleCoefsStringGrid.
    std::array<QTableWidget*, 2> AdcCoeffTables {};
    // The text a cell had when its editor opened.
    QString EditStartText;
    // Edit permission of the ADC offset, ADC scale and DAC tables: the cell
    // editor opens only while it is on.
    std::array<bool, 3> CoeffTableEditPermission {};
    // Installs the tables' editing behaviour and connects the page's handlers.
    void ConnectCoeffHandlers();
    // WorkingCoeffs into the three tables.
    void FillCoeffTables();
    bool CoeffTableEditAllowed(const QObject* table) const;
    // Handlers shared by the three tables; `sender` must be one of them.
    void CorrectionCoefsStringGridDblClick(QObject* sender);
    void CorrectionCoefsStringGridKeyDown(QObject* sender, int key);
    // `key` is the typed character; the handler sets it to null to discard it.
    void CorrectionCoefsStringGridKeyPress(QObject* sender, QChar& key);
    void CorrectionCoefsStringGridKeyUp(QObject* sender, int key);
    void CorrectionCoefsStringGridGetEditText(const QString& cellText);
    void CorrectionCoefsStringGridSetEditText(QObject* sender, int row, int column, const QString& text);
    bool CorrectionCoefsStringGridSelectCell(QObject* sender, int row, int column);

signals:
    // Emitted by the finishing step of every module search.
    void moduleSearchFinished();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Thread creation, overridable by tests; null means creation failed. The
    // returned thread is not started yet.
    virtual std::unique_ptr<TInitAndConfigThread> createInitThread(uint32_t mode, bool firstStart);
    virtual std::unique_ptr<TMainThread> createMainThread(uint16_t jobIndex, bool jobPageActive);

private:
    // Construction steps (mainform.cpp, mainform_layout.cpp).
    void SetUpApplication();
    void InitialiseState();
    void ClearDesignTexts();
    void CreateChannelFrames();
    void AdjustWindowFrame();
    void AdjustTopBand();
    void CentreMultimeterPanel();
    void HideUnusedControls();
    void ConnectHandlers();
    void ConnectPanelHandlers();

    // First show (mainform_commands.cpp).
    void FirstResizeAfterShow();
    // Close: ends both threads and releases the module interface.
    void FinishShutdown();
    void ShutDownThreads();
    void EndInitThread();
    void EndMainThread();
    void ReleaseModuleInterface();
    // Sleeps 50 ms and dispatches pending events.
    static void sleepAndDispatch();

    bool ShutdownStarted = false;
    bool closing_ = false;
    int previousPage_ = 0;
    int startedSearches_ = 0;
    int finishedSearches_ = 0;
    QPointer<ApplicationEventFilter> applicationFilter_;
};
