// The main window's control tree against its design: names, parents,
// positions, captions, items, hints, fonts and colours.
#include "mainform_controls.h"
#include "widgets/check_boxes.h"
#include "widgets/coefficient_cell_delegate.h"
#include "widgets/hover_focus.h"
#include "widgets/led_shape.h"
#include "widgets/line_numbered_log.h"
#include "widgets/page_control.h"
#include "widgets/radio_group.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

constexpr QRect kNoGeometry; // geometry chosen freely: not checked

struct DesignControl {
    const char* name;
    const char* parent;
    QRect geometry;
    const char* text; // caption, title or text; nullptr = not checked
    const char* hint; // nullptr = not checked
};

// Layout tables of the design, relative to each control's parent.
const DesignControl kDesign[] = {
    // Top band
    { "ModuleDetectionLMDGroupBox", "form", QRect(0, 0, 1084, 81), "", nullptr },
    { "FindDeviceLMDButton", "ModuleDetectionLMDGroupBox", QRect(5, 10, 189, 62), "Обнаружить", nullptr },
    { "SelectedModuleLMDSimplePanel", "ModuleDetectionLMDGroupBox", QRect(197, 3, 303, 75), nullptr, nullptr },
    { "ModuleStatusLed", "SelectedModuleLMDSimplePanel", QRect(6, 7, 33, 33), nullptr, "Статус модуля" },
    { "ModulesComboBox", "SelectedModuleLMDSimplePanel", QRect(44, 4, 214, 40), nullptr, nullptr },
    { "ModuleLpfLMDLabel", "SelectedModuleLMDSimplePanel", QRect(44, 49, 94, 22), nullptr,
        "Частота среза входного ФНЧ" },
    { "TemperatureGradesLMDSimplePanel", "SelectedModuleLMDSimplePanel", QRect(211, 46, 47, 26), nullptr, nullptr },
    { "ModuleTemperatureGradeLMDLabel", "TemperatureGradesLMDSimplePanel", QRect(3, 3, 20, 21), nullptr,
        "Температурный диапазон 'железа' модуля" },
    { "PldTemperatureGradeLMDLabel", "TemperatureGradesLMDSimplePanel", QRect(24, 3, 20, 21), nullptr,
        "Температурный диапазон прошивки ПЛИС" },
    { "Bevel3", "SelectedModuleLMDSimplePanel", QRect(262, 3, 4, 69), nullptr, nullptr },
    { "GeneratorStatusLed", "SelectedModuleLMDSimplePanel", QRect(270, 7, 25, 25), nullptr, nullptr },
    { "VoltmeterStatusLed", "SelectedModuleLMDSimplePanel", QRect(270, 38, 25, 25), nullptr, nullptr },
    { "StartMultimeterLMDSimplePanel", "ModuleDetectionLMDGroupBox", QRect(500, 3, 297, 75), nullptr, nullptr },
    { "StartMultimeterLMDSpeedButton", "StartMultimeterLMDSimplePanel", QRect(5, 10, 288, 55), "С   Т   А   Р   Т",
        nullptr },
    { "SaveIniSettingLMDGroupBox", "ModuleDetectionLMDGroupBox", QRect(797, 2, 262, 77), "Настройки", nullptr },
    { "AutoSaveSettingsLMDCheckBox", "SaveIniSettingLMDGroupBox", QRect(4, 27, 114, 43), "    Авто Сохранение",
        nullptr },
    { "SaveSettingsButton", "SaveIniSettingLMDGroupBox", QRect(122, 25, 135, 46), "Сохранить", nullptr },
    // Body
    { "MainLMDSimplePanel", "form", QRect(0, 81, 1084, 500), nullptr, nullptr },
    { "MainLMDPageControl", "MainLMDSimplePanel", QRect(0, 0, 1084, 500), nullptr, nullptr },
    // Multimeter page
    { "MultimeterLMDSimplePanel", "MultimeterLMDTabSheet", QRect(11, 10, 1050, 435), nullptr, nullptr },
    { "AdcStreamLMDGroupBox", "MultimeterLMDSimplePanel", QRect(2, 2, 1046, 336), "Работа с АЦП", nullptr },
    { "AdcGroupParsLMDGroupBox", "AdcStreamLMDGroupBox", QRect(2, 29, 1042, 100), "Общие параметры", nullptr },
    { "AdcIndividualParsLMDGroupBox", "AdcStreamLMDGroupBox", QRect(2, 129, 1042, 205), "Индивидуальные параметры",
        nullptr },
    { "ChannelCommonParsLMDSimplePanel", "AdcGroupParsLMDGroupBox", QRect(98, 25, 448, 72), nullptr, nullptr },
    { "AllChannelsLMDCheckBox", "ChannelCommonParsLMDSimplePanel", QRect(5, 3, 69, 66), "Все каналы", nullptr },
    { "CommonInputRangeLabLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(78, 4, 76, 30), "Предел измерений",
        nullptr },
    { "AllInputRangeLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(77, 37, 79, 29), nullptr, nullptr },
    { "CommonInputConnectionModeLabLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(162, 8, 184, 25),
        "Режим работы", nullptr },
    { "CommonInputConnectionModeLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(159, 37, 189, 29), nullptr,
        nullptr },
    { "CommonMeasuringMethodLabLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(354, 4, 88, 30),
        "Режим измерений", nullptr },
    { "CommonMeasuringMethodLMDComboBox", "ChannelCommonParsLMDSimplePanel", QRect(351, 37, 94, 29), nullptr, nullptr },
    { "CommonParsLMDSimplePanel", "AdcGroupParsLMDGroupBox", QRect(546, 25, 230, 72), nullptr, nullptr },
    { "LMDLabel1", "CommonParsLMDSimplePanel", QRect(4, 4, 134, 33), "Частота преобразо- ваний АЦП, кГц", nullptr },
    { "AdcRateLMDEdit", "CommonParsLMDSimplePanel", QRect(15, 40, 112, 27), "",
        "Для завершения ввода нажмите 'ENTER'" },
    { "KadrRateLabLMDLabel", "CommonParsLMDSimplePanel", QRect(139, 4, 84, 32), "Частота кадра, кГц", nullptr },
    { "KadrRateLMDLabel", "CommonParsLMDSimplePanel", QRect(136, 38, 89, 29), nullptr, nullptr },
    { "AcquisitionTimeLMDSimplePanel", "AdcGroupParsLMDGroupBox", QRect(776, 25, 122, 72), nullptr, nullptr },
    { "AcquisitionTimeLabLMDLabel", "AcquisitionTimeLMDSimplePanel", QRect(4, 4, 114, 31), "Время сбора, с", nullptr },
    { "AcquisitionTimeLMDLabel", "AcquisitionTimeLMDSimplePanel", QRect(11, 38, 100, 29), nullptr, nullptr },
    { "ComputationInfoLMDSimplePanel", "AdcGroupParsLMDGroupBox", QRect(898, 25, 47, 72), nullptr, nullptr },
    { "ComputationModeLabLMDLabel", "ComputationInfoLMDSimplePanel", QRect(3, 14, 41, 20), nullptr, "Метод расчёта" },
    { "AmplitudeTypeLabLMDLabel", "ComputationInfoLMDSimplePanel", QRect(3, 35, 41, 20), nullptr, "Тип амплитуды" },
    { "DacAndEquipmentLMDSimplePanel", "MultimeterLMDSimplePanel", QRect(2, 338, 1046, 95), nullptr, nullptr },
    { "DacSamplesLMDGroupBox", "DacAndEquipmentLMDSimplePanel", QRect(0, 0, 216, 95), "Работа с ЦАП", nullptr },
    { "EquipmentLMDSimplePanel", "DacAndEquipmentLMDSimplePanel", QRect(216, 0, 830, 95), nullptr, nullptr },
    // DAC outputs
    { "Dac1LabLMDLabel", "DacSamplesLMDGroupBox", QRect(15, 38, 65, 21), "Канал 1", nullptr },
    { "Dac1ValueLMDEdit", "DacSamplesLMDGroupBox", QRect(89, 34, 91, 27), "", "Для завершения ввода нажмите 'ENTER'" },
    { "Dac1UnitLMDLabel", "DacSamplesLMDGroupBox", QRect(184, 38, 20, 21), "В", nullptr },
    { "Dac2LabLMDLabel", "DacSamplesLMDGroupBox", QRect(15, 65, 65, 21), "Канал 2", nullptr },
    { "Dac2ValueLMDEdit", "DacSamplesLMDGroupBox", QRect(89, 62, 91, 27), "", "Для завершения ввода нажмите 'ENTER'" },
    { "Dac2UnitLMDLabel", "DacSamplesLMDGroupBox", QRect(184, 65, 20, 21), "В", nullptr },
    // Generator and multimeter panel
    { "GeneratorLMDGroupBox", "EquipmentLMDSimplePanel", kNoGeometry, "Генератор 3407", nullptr },
    { "ChannelNumberLMDLabel", "GeneratorLMDGroupBox", kNoGeometry, "???", "Номер выходного канала генератора" },
    { "GeneratorChannelStateLMDRadioGroup", "GeneratorLMDGroupBox", kNoGeometry, nullptr,
        "Состояние выходного канала генератора" },
    { "GeneratorLoadLMDRadioGroup", "GeneratorLMDGroupBox", kNoGeometry, nullptr,
        "Импеданс выходного канала генератора" },
    { "SignalAmpltudeGeneratorLabLMDLabel", "GeneratorLMDGroupBox", kNoGeometry, "Напряжение (скз), В", nullptr },
    { "SignalAmpltudeGeneratorLMDEdit", "GeneratorLMDGroupBox", kNoGeometry, "",
        "Для завершения ввода нажмите 'ENTER'" },
    { "SignalFrequencyGeneratorLabLMDLabel", "GeneratorLMDGroupBox", kNoGeometry, "Частота, кГц", nullptr },
    { "SignalFrequencyGeneratorLMDEdit", "GeneratorLMDGroupBox", kNoGeometry, "",
        "Для завершения ввода нажмите 'ENTER'" },
    { "VoltmeterLMDGroupBox", "EquipmentLMDSimplePanel", kNoGeometry, "Мультиметр 34465A", nullptr },
    { "AcDcVoltmeterModeLMDRadioGroup", "VoltmeterLMDGroupBox", kNoGeometry, nullptr,
        "Выбор режима работы вольтметра" },
    { "AcFilterVoltmeterLMDComboBox", "VoltmeterLMDGroupBox", kNoGeometry, nullptr, "Выбор AC фильтра" },
    { "VoltmeterValueLMDLabel", "VoltmeterLMDGroupBox", kNoGeometry, "", nullptr },
    { "VoltmeterValueUnitLMDLabel", "VoltmeterLMDGroupBox", kNoGeometry, "мВ", nullptr },
    // Coefficient page
    { "AdcCorrectionCoeffsTablesLMDGroupBox", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Корректировочные коэффициенты АЦП", nullptr },
    { "AdcOffsetLMDLabel", "AdcCorrectionCoeffsTablesLMDGroupBox", kNoGeometry, "Смещение, мВ", nullptr },
    { "AdcOffsetCoefsStringGrid", "AdcCorrectionCoeffsTablesLMDGroupBox", kNoGeometry, nullptr, nullptr },
    { "AdcScaleLMDLabel", "AdcCorrectionCoeffsTablesLMDGroupBox", kNoGeometry, "Масштаб", nullptr },
    { "AdcScaleCoefsStringGrid", "AdcCorrectionCoeffsTablesLMDGroupBox", kNoGeometry, nullptr, nullptr },
    { "DacCalibrationCoeffsTableLMDGroupBox", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Корректировочные коэффициенты ЦАП", nullptr },
    { "DacCalibrationCoefsStringGrid", "DacCalibrationCoeffsTableLMDGroupBox", kNoGeometry, nullptr, nullptr },
    { "SaveCalibrCoefsToFactoryFlashLMDButton", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Сохранить таблицы в заводском ППЗУ", nullptr },
    { "RefreshCalibrCoefsFromFactoryFlashLMDButton", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Обновить таблицы из заводского ППЗУ", nullptr },
    { "SaveCalibrCoefsToFileLMDButton", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Сохранить таблицы в пользов. ППЗУ", nullptr },
    { "RefreshCalibrCoefsFromFileLMDButton", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Обновить таблицы из пользов. ППЗУ", nullptr },
    { "ResetCalibrCoefsInFileLMDButton", "CorrectionFactorsLMDTabSheet", kNoGeometry,
        "Сбросить таблицы в пользов. ППЗУ", nullptr },
    // Verification page
    { "VerifySplitter", "VerificationLMDTabSheet", kNoGeometry, nullptr, nullptr },
    { "VerificationTextBox", "VerifySplitter", kNoGeometry, nullptr, nullptr },
    { "VerificationTextBoxGutter", "VerificationTextBox", kNoGeometry, nullptr, nullptr },
    { "ProgressBarVerification", "VerifyControlsPanel", kNoGeometry, nullptr, nullptr },
    { "VerifySettingsLMDGroupBox", "VerifyControlsPanel", kNoGeometry, "Настройки поверки", nullptr },
    { "VerifyTreeViewTitleLMDEdit", "VerifySettingsLMDGroupBox", kNoGeometry, "",
        "Строка текущей позиции дерева настроек" },
    { "VerifyTreeView", "VerifySettingsLMDGroupBox", kNoGeometry, nullptr, nullptr },
    { "CollapseButton", "VerifySettingsLMDGroupBox", kNoGeometry, "Свернуть", "Свернуть все узлы настроек" },
    { "ExpandButton", "VerifySettingsLMDGroupBox", kNoGeometry, "Развернуть", "Развернуть все узлы настроек" },
    { "LoadFromFileVerifyTreeViewButton", "VerifySettingsLMDGroupBox", kNoGeometry, "Чтение",
        "Считать настроки из файла" },
    { "SaveToFileVerifyTreeViewButton", "VerifySettingsLMDGroupBox", kNoGeometry, "Запись",
        "Записать настроки в файл" },
    { "CfgFileNameEdit", "VerifySettingsLMDGroupBox", kNoGeometry, "", nullptr },
    { "StartVerificationLMDSpeedButton", "VerifyControlsPanel", kNoGeometry, "Старт  поверки", nullptr },
    { "EnaGenerator50OhnLMDCheckBox", "VerifyControlsPanel", kNoGeometry, "Нагрузка 50 Ом ",
        "Управление нагрузкой 50 Ом генератора" },
    { "EnaWriteLogFileLMDCheckBox", "VerifyControlsPanel", kNoGeometry, "Log-файл", "Управление записью  Log-файла" },
};

struct DesignItems {
    const char* name;
    QStringList items;
};

// Item lists exactly as designed: the range items use the Latin capital "B",
// "Cобственный нуль" starts with the Latin capital "C".
const DesignItems kDesignItems[] = {
    { "AllInputRangeLMDComboBox", { " 3.0 B ", " 1.0 B", " 0.3 B" } },
    { "CommonInputConnectionModeLMDComboBox", { "Cобственный нуль", "  С общей землей" } },
    { "CommonMeasuringMethodLMDComboBox", { "    DC", "    AC", " AC+DC" } },
    { "AcFilterVoltmeterLMDComboBox", { " > 3 Гц", " > 20 Гц", " > 200 Гц" } },
    { "GeneratorChannelStateLMDRadioGroup", { "ON", "OFF" } },
    { "GeneratorLoadLMDRadioGroup", { "50 Ом", "INF" } },
    { "AcDcVoltmeterModeLMDRadioGroup", { "DC ", "AC ", "OFF" } },
};

struct DesignFont {
    const char* name;
    const char* family;
    int pixels;
    bool bold;
};

const DesignFont kDesignFonts[] = {
    { "FindDeviceLMDButton", "Arial", 30, false },
    { "ModulesComboBox", "Arial", 27, false },
    { "StartMultimeterLMDSpeedButton", "Times New Roman", 40, true },
    { "AutoSaveSettingsLMDCheckBox", "Arial", 17, false },
    { "SaveSettingsButton", "Arial", 23, false },
    { "ChannelCommonParsLMDSimplePanel", "Arial", 18, false },
    { "AllChannelsLMDCheckBox", "Arial", 18, false },
    { "CommonInputRangeLabLMDComboBox", "Arial", 13, false },
    { "CommonInputConnectionModeLabLMDComboBox", "Arial", 15, false },
    { "CommonMeasuringMethodLabLMDComboBox", "Arial", 13, false },
    { "LMDLabel1", "Arial", 13, false },
    { "AdcRateLMDEdit", "Courier New", 20, false },
    { "KadrRateLabLMDLabel", "Arial", 15, false },
    { "KadrRateLMDLabel", "Courier New", 20, false },
    { "AcquisitionTimeLabLMDLabel", "Arial", 15, false },
    { "AcquisitionTimeLMDLabel", "Courier New", 18, false },
    { "ComputationModeLabLMDLabel", "Courier New", 17, false },
    { "AmplitudeTypeLabLMDLabel", "Courier New", 17, false },
    { "DacSamplesLMDGroupBox", "Arial", 20, false },
    { "Dac1LabLMDLabel", "Arial", 17, false },
    { "Dac1ValueLMDEdit", "Courier New", 20, true },
    { "Dac1UnitLMDLabel", "Arial", 17, false },
    { "Dac2ValueLMDEdit", "Courier New", 20, true },
};

struct DesignColour {
    const char* name;
    QPalette::ColorRole role;
    QRgb colour;
};

const DesignColour kDesignColours[] = {
    { "FindDeviceLMDButton", QPalette::ButtonText, 0x000080 },
    { "SaveSettingsButton", QPalette::ButtonText, 0x000080 },
    { "StartMultimeterLMDSpeedButton", QPalette::ButtonText, 0x008000 },
    { "StartVerificationLMDSpeedButton", QPalette::ButtonText, 0x008000 },
    { "AdcOffsetLMDLabel", QPalette::WindowText, 0x800080 },
    { "AdcScaleLMDLabel", QPalette::WindowText, 0x800080 },
    { "SaveCalibrCoefsToFactoryFlashLMDButton", QPalette::ButtonText, 0x008080 },
    { "RefreshCalibrCoefsFromFactoryFlashLMDButton", QPalette::ButtonText, 0x008080 },
    { "SaveCalibrCoefsToFileLMDButton", QPalette::ButtonText, 0x800000 },
    { "RefreshCalibrCoefsFromFileLMDButton", QPalette::ButtonText, 0x800000 },
    { "ResetCalibrCoefsInFileLMDButton", QPalette::ButtonText, 0x0000FF },
    { "VoltmeterValueLMDLabel", QPalette::WindowText, 0x00FF00 },
    { "VoltmeterValueLMDLabel", QPalette::Window, 0x000000 },
};

QString shownText(const QWidget* widget)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    return QStringLiteral("<no text>");
}

QStringList itemsOf(const QWidget* widget)
{
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    if (auto* group = qobject_cast<const RadioGroup*>(widget))
        return group->items();
    return {};
}

class ControlTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setObjectName(QStringLiteral("form"));
        form.resize(1084, 581);
        controls.setupControls(&form);
    }

    QWidget* find(const char* name) const { return form.findChild<QWidget*>(QLatin1String(name)); }

    QWidget form;
    TMainFormControls controls;
};

TEST_F(ControlTree, EveryDesignControlHasItsParentPlaceCaptionAndHint)
{
    for (const DesignControl& expected : kDesign) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = find(expected.name);
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->parentWidget(), nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(expected.parent));
        if (!expected.geometry.isNull()) {
            EXPECT_EQ(control->geometry(), expected.geometry);
        }
        if (expected.text) {
            EXPECT_EQ(shownText(control), QString::fromUtf8(expected.text));
        }
        if (expected.hint) {
            EXPECT_EQ(control->toolTip(), QString::fromUtf8(expected.hint));
        }
    }
}

TEST_F(ControlTree, EveryDeclaredControlIsBuiltAndFoundByItsName)
{
    const std::pair<const QObject*, const char*> declared[] = {
        { controls.ModuleStatusLed, "ModuleStatusLed" },
        { controls.MainLMDPageControl, "MainLMDPageControl" },
        { controls.MultimeterLMDTabSheet, "MultimeterLMDTabSheet" },
        { controls.CorrectionFactorsLMDTabSheet, "CorrectionFactorsLMDTabSheet" },
        { controls.VerificationLMDTabSheet, "VerificationLMDTabSheet" },
        { controls.AllChannelsLMDCheckBox, "AllChannelsLMDCheckBox" },
        { controls.Dac2ValueLMDEdit, "Dac2ValueLMDEdit" },
        { controls.GeneratorLoadLMDRadioGroup, "GeneratorLoadLMDRadioGroup" },
        { controls.DacCalibrationCoefsStringGrid, "DacCalibrationCoefsStringGrid" },
        { controls.VerificationTextBox, "VerificationTextBox" },
        { controls.VerificationTextBoxGutter, "VerificationTextBoxGutter" },
        { controls.ProgressBarVerification, "ProgressBarVerification" },
        { controls.EnaWriteLogFileLMDCheckBox, "EnaWriteLogFileLMDCheckBox" },
    };
    for (const auto& [control, name] : declared) {
        SCOPED_TRACE(name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control, find(name));
    }
    for (const DesignControl& expected : kDesign)
        EXPECT_EQ(form.findChildren<QWidget*>(QLatin1String(expected.name)).size(), 1) << expected.name;
    // Never opened by any command, so not built.
    EXPECT_EQ(controls.OpenFileLMDOpenDialog, nullptr);
    EXPECT_EQ(controls.SaveFileLMDSaveDialog, nullptr);
}

TEST_F(ControlTree, ListsHoldTheDesignItemsAndStartWithoutSelection)
{
    for (const DesignItems& expected : kDesignItems) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = find(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(itemsOf(control), expected.items);
        if (auto* combo = qobject_cast<const QComboBox*>(control)) {
            EXPECT_FALSE(combo->isEditable());
            EXPECT_EQ(combo->currentIndex(), -1);
        }
        if (auto* group = qobject_cast<const RadioGroup*>(control)) {
            EXPECT_EQ(group->itemIndex(), -1);
        }
    }
    EXPECT_EQ(controls.ModulesComboBox->count(), 0);
    // Its drop-down rows are 32 pixels high.
    controls.ModulesComboBox->addItem(QStringLiteral("1: 4H0001"));
    EXPECT_EQ(controls.ModulesComboBox->view()->sizeHintForRow(0), 32);
}

TEST_F(ControlTree, FontsAreTheDesignFamiliesAndPixelHeights)
{
    for (const DesignFont& expected : kDesignFonts) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = find(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->font().family(), QLatin1String(expected.family));
        EXPECT_EQ(control->font().pixelSize(), expected.pixels);
        EXPECT_EQ(control->font().bold(), expected.bold);
    }
    EXPECT_EQ(form.font().family(), QStringLiteral("Arial"));
}

TEST_F(ControlTree, ColoursAreTheDesignColours)
{
    for (const DesignColour& expected : kDesignColours) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = find(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->palette().color(QPalette::Active, expected.role), QColor(expected.colour));
    }
    // Captions coloured without colouring the controls inside the box.
    EXPECT_TRUE(controls.SaveIniSettingLMDGroupBox->styleSheet().contains(QStringLiteral("#800000")));
    EXPECT_TRUE(controls.DacSamplesLMDGroupBox->styleSheet().contains(QStringLiteral("#0000ff")));
    EXPECT_NE(controls.Dac1LabLMDLabel->palette().color(QPalette::WindowText), QColor(0x0000FF));
}

TEST_F(ControlTree, ThePagesFillTheTabWidgetInDesignOrder)
{
    QTabWidget* pages = controls.MainLMDPageControl;
    ASSERT_EQ(pages->count(), 3);
    const std::pair<QWidget*, const char*> expected[] = {
        { controls.MultimeterLMDTabSheet, "Мультиметр" },
        { controls.CorrectionFactorsLMDTabSheet, "Коэффициенты" },
        { controls.VerificationLMDTabSheet, "Поверка" },
    };
    const QRect area = static_cast<PageControl*>(pages)->pageArea();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages->widget(i), expected[i].first);
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(expected[i].second));
        EXPECT_EQ(expected[i].first->size(), area.size());
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    // The page area is known before the window is shown, and Qt's own layout
    // on showing agrees with it.
    EXPECT_GT(area.height(), 435);
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(controls.MultimeterLMDTabSheet->size(), area.size());
}

TEST_F(ControlTree, TheContextMenuHoldsItsEntriesInOrderWithShortCuts)
{
    QMenu* menu = controls.PopupMenu;
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("PopupMenu"));
    EXPECT_EQ(menu->parent(), &form);

    struct Entry {
        QAction* action; // nullptr = separator
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Entry expected[] = {
        { controls.RebootDeviceMenuItem, "RebootDeviceMenuItem", "Перезагрузка Изделия", "Ctrl+R" },
        { nullptr, nullptr, nullptr, nullptr },
        { controls.SaveDefaultSettings, "SaveDefaultSettings", "Сохранение штатных настроек", "Ctrl+D" },
        { controls.SaveCurrentSettings, "SaveCurrentSettings", "Сохранение текущих настроек", "Ctrl+S" },
        { nullptr, nullptr, nullptr, nullptr },
        { controls.AboutProgram, "AboutProgram", "О программе ...", "Ctrl+A" },
        { nullptr, nullptr, nullptr, nullptr },
        { controls.ApplicationExit, "ApplicationExit", "Выход", "Ctrl+Q" },
    };
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        SCOPED_TRACE(i);
        if (!expected[i].action) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action, expected[i].action);
        EXPECT_EQ(action->objectName(), QLatin1String(expected[i].name));
        EXPECT_EQ(action->text(), QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QLatin1String(expected[i].shortcut)));
        // On the form too, so the short-cut works while the menu is closed.
        EXPECT_TRUE(form.actions().contains(expected[i].action));
    }
    EXPECT_EQ(menu->defaultAction(), controls.RebootDeviceMenuItem);
    EXPECT_EQ(controls.ApplicationExit->toolTip(), QStringLiteral("Спокойный выход из программы"));
}

TEST_F(ControlTree, CoefficientTablesShowEveryCellWithoutHeadersOrScrollBars)
{
    const std::tuple<QTableWidget*, int, int> tables[] = {
        { controls.AdcOffsetCoefsStringGrid, 4, 5 },
        { controls.AdcScaleCoefsStringGrid, 4, 5 },
        { controls.DacCalibrationCoefsStringGrid, 3, 3 },
    };
    for (const auto& [table, rows, columns] : tables) {
        SCOPED_TRACE(table->objectName().toStdString());
        ASSERT_EQ(table->rowCount(), rows);
        ASSERT_EQ(table->columnCount(), columns);
        EXPECT_FALSE(table->horizontalHeader()->isVisibleTo(table));
        EXPECT_FALSE(table->verticalHeader()->isVisibleTo(table));
        EXPECT_EQ(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_TRUE(table->showGrid());
        EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_NE(qobject_cast<CoefficientCellDelegate*>(table->itemDelegate()), nullptr);
        int width = 0;
        int height = 0;
        for (int column = 0; column < columns; ++column)
            width += table->columnWidth(column);
        for (int row = 0; row < rows; ++row) {
            height += table->rowHeight(row);
            for (int column = 0; column < columns; ++column) {
                ASSERT_NE(table->item(row, column), nullptr);
                EXPECT_TRUE(table->item(row, column)->text().isEmpty());
            }
        }
        EXPECT_EQ(table->width(), width + 2 * table->frameWidth());
        EXPECT_EQ(table->height(), height + 2 * table->frameWidth());
        // Every table lies inside its group box.
        EXPECT_TRUE(table->parentWidget()->rect().contains(table->geometry()));
    }
}

TEST_F(ControlTree, EveryControlOfAPageLiesInsideItsParent)
{
    for (QWidget* page :
        { controls.MultimeterLMDTabSheet, controls.CorrectionFactorsLMDTabSheet, controls.VerificationLMDTabSheet }) {
        for (const QWidget* control : page->findChildren<QWidget*>()) {
            // Qt's own inner parts and what stays hidden are not the design's.
            if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_"))
                || control->isWindow() || !control->isVisibleTo(page))
                continue;
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
        }
    }
}

TEST_F(ControlTree, VerificationPageHasTheLogLeftOfTheSplitterAndTheColumnRight)
{
    QSplitter* splitter = controls.VerifySplitter;
    EXPECT_EQ(splitter->geometry(), controls.VerificationLMDTabSheet->rect());
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), controls.VerificationTextBox);
    EXPECT_EQ(splitter->widget(1), controls.VerifyControlsPanel);
    EXPECT_EQ(splitter->sizes().at(1), 449);
    EXPECT_TRUE(splitter->opaqueResize());
    EXPECT_EQ(controls.VerificationTextBox->minimumWidth(), 25);
    EXPECT_EQ(controls.VerifyControlsPanel->minimumWidth(), 25);

    EXPECT_TRUE(controls.VerificationTextBox->isReadOnly());
    EXPECT_EQ(controls.VerificationTextBox->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(controls.VerificationTextBox->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(controls.CfgFileNameEdit->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(controls.ProgressBarVerification->orientation(), Qt::Vertical);
    EXPECT_FALSE(controls.ProgressBarVerification->isTextVisible());
    EXPECT_EQ(controls.ProgressBarVerification->palette().color(QPalette::Highlight), QColor(0x008080));
}

TEST_F(ControlTree, SpeedButtonsLatchAndEntryFieldsBehaveAsDesigned)
{
    for (QToolButton* button : { controls.StartMultimeterLMDSpeedButton, controls.StartVerificationLMDSpeedButton }) {
        EXPECT_TRUE(button->isCheckable());
        EXPECT_FALSE(button->isChecked());
    }
    EXPECT_TRUE(controls.AllChannelsLMDCheckBox->isTristate());
    EXPECT_NE(qobject_cast<ThreeStateCheckBox*>(controls.AllChannelsLMDCheckBox), nullptr);
    EXPECT_TRUE(focusOnHover(controls.Dac1ValueLMDEdit));
    EXPECT_TRUE(focusOnHover(controls.Dac2ValueLMDEdit));
    EXPECT_TRUE(controls.ModuleTemperatureGradeLMDLabel->autoFillBackground());
    EXPECT_TRUE(controls.PldTemperatureGradeLMDLabel->autoFillBackground());
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*> {
             controls.FindDeviceLMDButton, controls.SaveSettingsButton, controls.StartMultimeterLMDSpeedButton }) {
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    }
}

} // namespace
