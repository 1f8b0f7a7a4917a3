#pragma once
// Every control of the main window, by its design name, and the function that
// builds them as the window's design lays them out (positions, sizes, fonts,
// colours, captions, items and hints). The window's constructor then adjusts
// this design state (hidden panels, narrowed top band, centred page).

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QWidget;

class LedShape;
class LineNumberedLog;
class RadioGroup;
class TQ4705AdcChannelFrame;

// The pages of MainLMDPageControl, in the order the design adds them.
enum PageIndex : int { kMultimeterPage = 0, kCoefficientsPage = 1, kVerificationPage = 2 };

struct TMainFormControls {
    // Top band
    QGroupBox* ModuleDetectionLMDGroupBox = nullptr;
    QPushButton* FindDeviceLMDButton = nullptr;
    QFrame* SelectedModuleLMDSimplePanel = nullptr;
    LedShape* ModuleStatusLed = nullptr;
    QComboBox* ModulesComboBox = nullptr;
    QLabel* ModuleLpfLMDLabel = nullptr;
    QFrame* TemperatureGradesLMDSimplePanel = nullptr;
    QLabel* ModuleTemperatureGradeLMDLabel = nullptr;
    QLabel* PldTemperatureGradeLMDLabel = nullptr;
    QFrame* Bevel3 = nullptr;
    LedShape* GeneratorStatusLed = nullptr;
    LedShape* VoltmeterStatusLed = nullptr;
    QFrame* StartMultimeterLMDSimplePanel = nullptr;
    QToolButton* StartMultimeterLMDSpeedButton = nullptr; // latching (checkable)
    QGroupBox* SaveIniSettingLMDGroupBox = nullptr;
    QCheckBox* AutoSaveSettingsLMDCheckBox = nullptr;
    QPushButton* SaveSettingsButton = nullptr;

    // Body and pages
    QFrame* MainLMDSimplePanel = nullptr;
    QTabWidget* MainLMDPageControl = nullptr;
    QWidget* MultimeterLMDTabSheet = nullptr;
    QWidget* CorrectionFactorsLMDTabSheet = nullptr;
    QWidget* VerificationLMDTabSheet = nullptr;

    // Context menu
    QMenu* PopupMenu = nullptr;
    QAction* RebootDeviceMenuItem = nullptr;
    QAction* SaveDefaultSettings = nullptr;
    QAction* SaveCurrentSettings = nullptr;
    QAction* AboutProgram = nullptr;
    QAction* ApplicationExit = nullptr;

    // Multimeter page: ADC group
    QFrame* MultimeterLMDSimplePanel = nullptr;
    QGroupBox* AdcStreamLMDGroupBox = nullptr;
    QGroupBox* AdcGroupParsLMDGroupBox = nullptr;
    QGroupBox* AdcIndividualParsLMDGroupBox = nullptr;
    QFrame* ChannelCommonParsLMDSimplePanel = nullptr;
    QCheckBox* AllChannelsLMDCheckBox = nullptr; // three states
    QLabel* CommonInputRangeLabLMDComboBox = nullptr;
    QComboBox* AllInputRangeLMDComboBox = nullptr;
    QLabel* CommonInputConnectionModeLabLMDComboBox = nullptr;
    QComboBox* CommonInputConnectionModeLMDComboBox = nullptr;
    QLabel* CommonMeasuringMethodLabLMDComboBox = nullptr;
    QComboBox* CommonMeasuringMethodLMDComboBox = nullptr;
    QFrame* CommonParsLMDSimplePanel = nullptr;
    QLabel* LMDLabel1 = nullptr;
    QLineEdit* AdcRateLMDEdit = nullptr;
    QLabel* KadrRateLabLMDLabel = nullptr;
    QLabel* KadrRateLMDLabel = nullptr;
    QFrame* AcquisitionTimeLMDSimplePanel = nullptr;
    QLabel* AcquisitionTimeLabLMDLabel = nullptr;
    QLabel* AcquisitionTimeLMDLabel = nullptr;
    QFrame* ComputationInfoLMDSimplePanel = nullptr;
    QLabel* ComputationModeLabLMDLabel = nullptr;
    QLabel* AmplitudeTypeLabLMDLabel = nullptr;

    // Multimeter page: DAC outputs
    QFrame* DacAndEquipmentLMDSimplePanel = nullptr;
    QGroupBox* DacSamplesLMDGroupBox = nullptr;
    QLabel* Dac1LabLMDLabel = nullptr;
    QLineEdit* Dac1ValueLMDEdit = nullptr;
    QLabel* Dac1UnitLMDLabel = nullptr;
    QLabel* Dac2LabLMDLabel = nullptr;
    QLineEdit* Dac2ValueLMDEdit = nullptr;
    QLabel* Dac2UnitLMDLabel = nullptr;

    // Multimeter page: generator and multimeter panel
    QFrame* EquipmentLMDSimplePanel = nullptr;
    QGroupBox* GeneratorLMDGroupBox = nullptr;
    QLabel* ChannelNumberLMDLabel = nullptr;
    RadioGroup* GeneratorChannelStateLMDRadioGroup = nullptr;
    RadioGroup* GeneratorLoadLMDRadioGroup = nullptr;
    QLabel* SignalAmpltudeGeneratorLabLMDLabel = nullptr;
    QLineEdit* SignalAmpltudeGeneratorLMDEdit = nullptr;
    QLabel* SignalFrequencyGeneratorLabLMDLabel = nullptr;
    QLineEdit* SignalFrequencyGeneratorLMDEdit = nullptr;
    QGroupBox* VoltmeterLMDGroupBox = nullptr;
    RadioGroup* AcDcVoltmeterModeLMDRadioGroup = nullptr;
    QComboBox* AcFilterVoltmeterLMDComboBox = nullptr;
    QLabel* VoltmeterValueLMDLabel = nullptr;
    QLabel* VoltmeterValueUnitLMDLabel = nullptr;

    // Coefficient page
    QGroupBox* AdcCorrectionCoeffsTablesLMDGroupBox = nullptr;
    QLabel* AdcOffsetLMDLabel = nullptr;
    QTableWidget* AdcOffsetCoefsStringGrid = nullptr;
    QLabel* AdcScaleLMDLabel = nullptr;
    QTableWidget* AdcScaleCoefsStringGrid = nullptr;
    QGroupBox* DacCalibrationCoeffsTableLMDGroupBox = nullptr;
    QTableWidget* DacCalibrationCoefsStringGrid = nullptr;
    QPushButton* SaveCalibrCoefsToFactoryFlashLMDButton = nullptr;
    QPushButton* RefreshCalibrCoefsFromFactoryFlashLMDButton = nullptr;
    QPushButton* SaveCalibrCoefsToFileLMDButton = nullptr;
    QPushButton* RefreshCalibrCoefsFromFileLMDButton = nullptr;
    QPushButton* ResetCalibrCoefsInFileLMDButton = nullptr;
    QFrame* CoefButtonsBevel1 = nullptr; // separator under the factory buttons
    QFrame* CoefButtonsBevel2 = nullptr; // separator under the user-flash buttons

    // Verification page
    QSplitter* VerifySplitter = nullptr;
    LineNumberedLog* VerificationTextBox = nullptr;
    QWidget* VerificationTextBoxGutter = nullptr;
    QWidget* VerifyControlsPanel = nullptr; // the column right of the splitter
    QProgressBar* ProgressBarVerification = nullptr;
    QGroupBox* VerifySettingsLMDGroupBox = nullptr; // "Настройки поверки"
    QLineEdit* VerifyTreeViewTitleLMDEdit = nullptr;
    QTreeWidget* VerifyTreeView = nullptr;
    QPushButton* CollapseButton = nullptr;
    QPushButton* ExpandButton = nullptr;
    QPushButton* LoadFromFileVerifyTreeViewButton = nullptr;
    QPushButton* SaveToFileVerifyTreeViewButton = nullptr;
    QLineEdit* CfgFileNameEdit = nullptr;
    QToolButton* StartVerificationLMDSpeedButton = nullptr;
    QCheckBox* EnaGenerator50OhnLMDCheckBox = nullptr;
    QCheckBox* EnaWriteLogFileLMDCheckBox = nullptr;
    // Never opened by any command, so not built: they stay null.
    QFileDialog* OpenFileLMDOpenDialog = nullptr;
    QFileDialog* SaveFileLMDSaveDialog = nullptr;

    // Builds every control above as children of `form` (the menu with `form`
    // as its parent), with each control's name as its objectName. The channel
    // frames are not part of the design; the window creates them.
    void setupControls(QWidget* form);

private:
    void setupTopBand(QWidget* form);
    void setupContextMenu(QWidget* form);
    void setupPages(QWidget* form);
    void setupMultimeterPage();
    void setupDacAndEquipment();
    void setupCoefficientPage();
    void setupVerificationPage();
};
