// The top band (module detection, start button, settings) and the context menu.
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/check_boxes.h"
#include "widgets/combo_row_height.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace controls_build;

namespace {

QPushButton* commandButton(
    QWidget* parent, const char* name, const QRect& geometry, const QString& caption, int fontPixels)
{
    auto* button = make<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setFont(pixelFont("Arial", fontPixels));
    setTextColour(button, design::navy, QPalette::ButtonText);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel* gradeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& hint)
{
    QLabel* grade = label(parent, name, geometry, QString(), pixelFont("Arial", 15, true), Qt::AlignCenter);
    grade->setAutoFillBackground(true);
    grade->setToolTip(hint);
    return grade;
}

} // namespace

void TMainFormControls::setupTopBand(QWidget* form)
{
    ModuleDetectionLMDGroupBox = groupBox(form, "ModuleDetectionLMDGroupBox", QRect(0, 0, 1084, 81), QString());
    QGroupBox* band = ModuleDetectionLMDGroupBox;

    FindDeviceLMDButton
        = commandButton(band, "FindDeviceLMDButton", QRect(5, 10, 189, 62), QStringLiteral("Обнаружить"), 30);

    SelectedModuleLMDSimplePanel = panel(band, "SelectedModuleLMDSimplePanel", QRect(197, 3, 303, 75), Bevel::Raised);
    QFrame* module = SelectedModuleLMDSimplePanel;
    ModuleStatusLed = make<LedShape>(module, "ModuleStatusLed", QRect(6, 7, 33, 33));
    ModuleStatusLed->setToolTip(QStringLiteral("Статус модуля"));
    ModulesComboBox = make<QComboBox>(module, "ModulesComboBox", QRect(44, 4, 214, 40));
    ModulesComboBox->setFont(pixelFont("Arial", 27));
    setPopupRowHeight(ModulesComboBox, 32);
    ModuleLpfLMDLabel
        = label(module, "ModuleLpfLMDLabel", QRect(44, 49, 94, 22), QString(), pixelFont("Arial", 15), Qt::AlignCenter);
    ModuleLpfLMDLabel->setToolTip(QStringLiteral("Частота среза входного ФНЧ"));

    TemperatureGradesLMDSimplePanel
        = panel(module, "TemperatureGradesLMDSimplePanel", QRect(211, 46, 47, 26), Bevel::Raised);
    ModuleTemperatureGradeLMDLabel = gradeLabel(TemperatureGradesLMDSimplePanel, "ModuleTemperatureGradeLMDLabel",
        QRect(3, 3, 20, 21), QStringLiteral("Температурный диапазон 'железа' модуля"));
    PldTemperatureGradeLMDLabel = gradeLabel(TemperatureGradesLMDSimplePanel, "PldTemperatureGradeLMDLabel",
        QRect(24, 3, 20, 21), QStringLiteral("Температурный диапазон прошивки ПЛИС"));

    Bevel3 = panel(module, "Bevel3", QRect(262, 3, 4, 69), Bevel::Raised);
    GeneratorStatusLed = make<LedShape>(module, "GeneratorStatusLed", QRect(270, 7, 25, 25));
    VoltmeterStatusLed = make<LedShape>(module, "VoltmeterStatusLed", QRect(270, 38, 25, 25));

    StartMultimeterLMDSimplePanel = panel(band, "StartMultimeterLMDSimplePanel", QRect(500, 3, 297, 75));
    StartMultimeterLMDSpeedButton
        = make<QToolButton>(StartMultimeterLMDSimplePanel, "StartMultimeterLMDSpeedButton", QRect(5, 10, 288, 55));
    StartMultimeterLMDSpeedButton->setText(QStringLiteral("С   Т   А   Р   Т"));
    StartMultimeterLMDSpeedButton->setCheckable(true);
    StartMultimeterLMDSpeedButton->setFont(pixelFont("Times New Roman", 40, true));
    setTextColour(StartMultimeterLMDSpeedButton, design::green, QPalette::ButtonText);
    StartMultimeterLMDSpeedButton->setCursor(Qt::PointingHandCursor);

    SaveIniSettingLMDGroupBox
        = groupBox(band, "SaveIniSettingLMDGroupBox", QRect(797, 2, 262, 77), QStringLiteral("Настройки"));
    setCaptionColour(SaveIniSettingLMDGroupBox, design::maroon);
    AutoSaveSettingsLMDCheckBox
        = make<WrappingCheckBox>(SaveIniSettingLMDGroupBox, "AutoSaveSettingsLMDCheckBox", QRect(4, 27, 114, 43));
    AutoSaveSettingsLMDCheckBox->setText(QStringLiteral("    Авто Сохранение"));
    AutoSaveSettingsLMDCheckBox->setFont(pixelFont("Arial", 17));
    SaveSettingsButton = commandButton(
        SaveIniSettingLMDGroupBox, "SaveSettingsButton", QRect(122, 25, 135, 46), QStringLiteral("Сохранить"), 23);
}

void TMainFormControls::setupContextMenu(QWidget* form)
{
    PopupMenu = new QMenu(form);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->setToolTipsVisible(true);

    const auto entry = [this, form](const char* name, const QString& caption, const char* shortcut) {
        auto* action = PopupMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(QKeySequence(QLatin1String(shortcut)));
        // On the form as well, so the short-cuts work while the menu is closed.
        form->addAction(action);
        return action;
    };
    RebootDeviceMenuItem = entry("RebootDeviceMenuItem", QStringLiteral("Перезагрузка Изделия"), "Ctrl+R");
    PopupMenu->addSeparator();
    SaveDefaultSettings = entry("SaveDefaultSettings", QStringLiteral("Сохранение штатных настроек"), "Ctrl+D");
    SaveCurrentSettings = entry("SaveCurrentSettings", QStringLiteral("Сохранение текущих настроек"), "Ctrl+S");
    PopupMenu->addSeparator();
    AboutProgram = entry("AboutProgram", QStringLiteral("О программе ..."), "Ctrl+A");
    PopupMenu->addSeparator();
    ApplicationExit = entry("ApplicationExit", QStringLiteral("Выход"), "Ctrl+Q");
    ApplicationExit->setToolTip(QStringLiteral("Спокойный выход из программы"));
    ApplicationExit->setStatusTip(ApplicationExit->toolTip());
    PopupMenu->setDefaultAction(RebootDeviceMenuItem);
}
