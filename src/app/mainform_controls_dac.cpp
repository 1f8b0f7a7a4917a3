// The multimeter page's bottom strip: the DAC outputs on the left, the panel
// of the outside generator and multimeter on the right.
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/design_colours.h"
#include "widgets/hover_focus.h"
#include "widgets/radio_group.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace controls_build;

namespace {

const QString kEnterHint = QStringLiteral("Для завершения ввода нажмите 'ENTER'");

QLineEdit* dacField(QWidget* parent, const char* name, const QRect& geometry)
{
    QLineEdit* edit = entryField(parent, name, geometry, pixelFont("Courier New", 20, true));
    edit->setToolTip(kEnterHint);
    setSelectAllOnFocus(edit);
    setFocusOnHover(edit, true);
    return edit;
}

RadioGroup* radioGroup(
    QWidget* parent, const char* name, const QRect& geometry, const QStringList& items, const QString& hint)
{
    auto* group = make<RadioGroup>(parent, name, geometry);
    group->setItems(items);
    group->setToolTip(hint);
    return group;
}

} // namespace

void TMainFormControls::setupDacAndEquipment()
{
    DacAndEquipmentLMDSimplePanel
        = panel(MultimeterLMDSimplePanel, "DacAndEquipmentLMDSimplePanel", QRect(2, 338, 1046, 95));

    DacSamplesLMDGroupBox = groupBox(
        DacAndEquipmentLMDSimplePanel, "DacSamplesLMDGroupBox", QRect(0, 0, 216, 95), QStringLiteral("Работа с ЦАП"));
    DacSamplesLMDGroupBox->setFont(pixelFont("Arial", 20));
    setCaptionColour(DacSamplesLMDGroupBox, design::blue);
    QGroupBox* dac = DacSamplesLMDGroupBox;
    const QFont labelFont = pixelFont("Arial", 17);
    Dac1LabLMDLabel = label(dac, "Dac1LabLMDLabel", QRect(15, 38, 65, 21), QStringLiteral("Канал 1"), labelFont);
    Dac1ValueLMDEdit = dacField(dac, "Dac1ValueLMDEdit", QRect(89, 34, 91, 27));
    Dac1UnitLMDLabel
        = label(dac, "Dac1UnitLMDLabel", QRect(184, 38, 20, 21), QStringLiteral("В"), labelFont, Qt::AlignCenter);
    Dac2LabLMDLabel = label(dac, "Dac2LabLMDLabel", QRect(15, 65, 65, 21), QStringLiteral("Канал 2"), labelFont);
    Dac2ValueLMDEdit = dacField(dac, "Dac2ValueLMDEdit", QRect(89, 62, 91, 27));
    Dac2UnitLMDLabel
        = label(dac, "Dac2UnitLMDLabel", QRect(184, 65, 20, 21), QStringLiteral("В"), labelFont, Qt::AlignCenter);

    EquipmentLMDSimplePanel = panel(DacAndEquipmentLMDSimplePanel, "EquipmentLMDSimplePanel", QRect(216, 0, 830, 95));

    GeneratorLMDGroupBox = groupBox(
        EquipmentLMDSimplePanel, "GeneratorLMDGroupBox", QRect(0, 0, 520, 95), QStringLiteral("Генератор 3407"));
    QGroupBox* generator = GeneratorLMDGroupBox;
    ChannelNumberLMDLabel = label(generator, "ChannelNumberLMDLabel", QRect(8, 24, 40, 62), QStringLiteral("???"),
        pixelFont("Arial", 20, true), Qt::AlignCenter);
    ChannelNumberLMDLabel->setToolTip(QStringLiteral("Номер выходного канала генератора"));
    GeneratorChannelStateLMDRadioGroup
        = radioGroup(generator, "GeneratorChannelStateLMDRadioGroup", QRect(52, 18, 80, 72),
            { QStringLiteral("ON"), QStringLiteral("OFF") }, QStringLiteral("Состояние выходного канала генератора"));
    GeneratorLoadLMDRadioGroup = radioGroup(generator, "GeneratorLoadLMDRadioGroup", QRect(136, 18, 90, 72),
        { QStringLiteral("50 Ом"), QStringLiteral("INF") }, QStringLiteral("Импеданс выходного канала генератора"));
    SignalAmpltudeGeneratorLabLMDLabel = label(generator, "SignalAmpltudeGeneratorLabLMDLabel", QRect(232, 22, 140, 30),
        QStringLiteral("Напряжение (скз), В"), pixelFont("Arial", 15), Qt::AlignCenter);
    SignalAmpltudeGeneratorLMDEdit = entryField(
        generator, "SignalAmpltudeGeneratorLMDEdit", QRect(232, 56, 140, 28), pixelFont("Courier New", 20));
    SignalAmpltudeGeneratorLMDEdit->setToolTip(kEnterHint);
    SignalFrequencyGeneratorLabLMDLabel = label(generator, "SignalFrequencyGeneratorLabLMDLabel",
        QRect(378, 22, 134, 30), QStringLiteral("Частота, кГц"), pixelFont("Arial", 15), Qt::AlignCenter);
    SignalFrequencyGeneratorLMDEdit = entryField(
        generator, "SignalFrequencyGeneratorLMDEdit", QRect(378, 56, 134, 28), pixelFont("Courier New", 20));
    SignalFrequencyGeneratorLMDEdit->setToolTip(kEnterHint);

    VoltmeterLMDGroupBox = groupBox(
        EquipmentLMDSimplePanel, "VoltmeterLMDGroupBox", QRect(520, 0, 310, 95), QStringLiteral("Мультиметр 34465A"));
    QGroupBox* voltmeter = VoltmeterLMDGroupBox;
    AcDcVoltmeterModeLMDRadioGroup = radioGroup(voltmeter, "AcDcVoltmeterModeLMDRadioGroup", QRect(8, 18, 70, 72),
        { QStringLiteral("DC "), QStringLiteral("AC "), QStringLiteral("OFF") },
        QStringLiteral("Выбор режима работы вольтметра"));
    AcFilterVoltmeterLMDComboBox = dropDownList(voltmeter, "AcFilterVoltmeterLMDComboBox", QRect(84, 22, 120, 28),
        { QStringLiteral(" > 3 Гц"), QStringLiteral(" > 20 Гц"), QStringLiteral(" > 200 Гц") });
    AcFilterVoltmeterLMDComboBox->setFont(pixelFont("Arial", 15));
    AcFilterVoltmeterLMDComboBox->setToolTip(QStringLiteral("Выбор AC фильтра"));
    VoltmeterValueLMDLabel = label(voltmeter, "VoltmeterValueLMDLabel", QRect(84, 56, 180, 32), QString(),
        pixelFont("Courier New", 24, true), Qt::AlignCenter);
    VoltmeterValueLMDLabel->setAutoFillBackground(true);
    setTextColour(VoltmeterValueLMDLabel, design::lime, QPalette::WindowText);
    QPalette black = VoltmeterValueLMDLabel->palette();
    black.setColor(QPalette::Window, QColor(design::black));
    VoltmeterValueLMDLabel->setPalette(black);
    VoltmeterValueUnitLMDLabel = label(voltmeter, "VoltmeterValueUnitLMDLabel", QRect(268, 60, 36, 24),
        QStringLiteral("мВ"), pixelFont("Arial", 17), Qt::AlignCenter);
}
