// The multimeter page's ADC group: the controls for all channels, the ADC
// rate entry, the indicators, and the group box that holds the channel
// frames (the window creates the frames).
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/check_boxes.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace controls_build;

namespace {

const QString kEnterHint = QStringLiteral("Для завершения ввода нажмите 'ENTER'");

QLabel* valueLabel(QWidget* parent, const char* name, const QRect& geometry, int fontPixels)
{
    QLabel* value = label(parent, name, geometry, QString(), pixelFont("Courier New", fontPixels), Qt::AlignCenter);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return value;
}

} // namespace

void TMainFormControls::setupMultimeterPage()
{
    MultimeterLMDSimplePanel = panel(MultimeterLMDTabSheet, "MultimeterLMDSimplePanel", QRect(11, 10, 1050, 435));
    AdcStreamLMDGroupBox = groupBox(
        MultimeterLMDSimplePanel, "AdcStreamLMDGroupBox", QRect(2, 2, 1046, 336), QStringLiteral("Работа с АЦП"));
    AdcGroupParsLMDGroupBox = groupBox(
        AdcStreamLMDGroupBox, "AdcGroupParsLMDGroupBox", QRect(2, 29, 1042, 100), QStringLiteral("Общие параметры"));
    AdcIndividualParsLMDGroupBox = groupBox(AdcStreamLMDGroupBox, "AdcIndividualParsLMDGroupBox",
        QRect(2, 129, 1042, 205), QStringLiteral("Индивидуальные параметры"));

    // Controls that act on all four channels at once.
    ChannelCommonParsLMDSimplePanel
        = panel(AdcGroupParsLMDGroupBox, "ChannelCommonParsLMDSimplePanel", QRect(98, 25, 448, 72));
    QFrame* common = ChannelCommonParsLMDSimplePanel;
    common->setFont(pixelFont("Arial", 18));
    AllChannelsLMDCheckBox = make<ThreeStateCheckBox>(common, "AllChannelsLMDCheckBox", QRect(5, 3, 69, 66));
    AllChannelsLMDCheckBox->setText(QStringLiteral("Все каналы"));
    AllChannelsLMDCheckBox->setFont(pixelFont("Arial", 18));
    CommonInputRangeLabLMDComboBox = label(common, "CommonInputRangeLabLMDComboBox", QRect(78, 4, 76, 30),
        QStringLiteral("Предел измерений"), pixelFont("Arial", 13), Qt::AlignCenter);
    AllInputRangeLMDComboBox = dropDownList(common, "AllInputRangeLMDComboBox", QRect(77, 37, 79, 29),
        { QStringLiteral(" 3.0 B "), QStringLiteral(" 1.0 B"), QStringLiteral(" 0.3 B") });
    CommonInputConnectionModeLabLMDComboBox = label(common, "CommonInputConnectionModeLabLMDComboBox",
        QRect(162, 8, 184, 25), QStringLiteral("Режим работы"), pixelFont("Arial", 15), Qt::AlignCenter);
    CommonInputConnectionModeLMDComboBox = dropDownList(common, "CommonInputConnectionModeLMDComboBox",
        QRect(159, 37, 189, 29), { QStringLiteral("Cобственный нуль"), QStringLiteral("  С общей землей") });
    CommonMeasuringMethodLabLMDComboBox = label(common, "CommonMeasuringMethodLabLMDComboBox", QRect(354, 4, 88, 30),
        QStringLiteral("Режим измерений"), pixelFont("Arial", 13), Qt::AlignCenter);
    CommonMeasuringMethodLMDComboBox = dropDownList(common, "CommonMeasuringMethodLMDComboBox", QRect(351, 37, 94, 29),
        { QStringLiteral("    DC"), QStringLiteral("    AC"), QStringLiteral(" AC+DC") });

    // ADC rate entry and frame rate.
    CommonParsLMDSimplePanel = panel(AdcGroupParsLMDGroupBox, "CommonParsLMDSimplePanel", QRect(546, 25, 230, 72));
    QFrame* rates = CommonParsLMDSimplePanel;
    LMDLabel1 = label(rates, "LMDLabel1", QRect(4, 4, 134, 33), QStringLiteral("Частота преобразо- ваний АЦП, кГц"),
        pixelFont("Arial", 13), Qt::AlignCenter);
    AdcRateLMDEdit = entryField(rates, "AdcRateLMDEdit", QRect(15, 40, 112, 27), pixelFont("Courier New", 20));
    AdcRateLMDEdit->setToolTip(kEnterHint);
    KadrRateLabLMDLabel = label(rates, "KadrRateLabLMDLabel", QRect(139, 4, 84, 32),
        QStringLiteral("Частота кадра, кГц"), pixelFont("Arial", 15), Qt::AlignCenter);
    KadrRateLMDLabel = valueLabel(rates, "KadrRateLMDLabel", QRect(136, 38, 89, 29), 20);

    // Indicators of the acquisition time and the computation settings.
    AcquisitionTimeLMDSimplePanel
        = panel(AdcGroupParsLMDGroupBox, "AcquisitionTimeLMDSimplePanel", QRect(776, 25, 122, 72));
    AcquisitionTimeLabLMDLabel = label(AcquisitionTimeLMDSimplePanel, "AcquisitionTimeLabLMDLabel",
        QRect(4, 4, 114, 31), QStringLiteral("Время сбора, с"), pixelFont("Arial", 15), Qt::AlignCenter);
    AcquisitionTimeLMDLabel
        = valueLabel(AcquisitionTimeLMDSimplePanel, "AcquisitionTimeLMDLabel", QRect(11, 38, 100, 29), 18);

    ComputationInfoLMDSimplePanel
        = panel(AdcGroupParsLMDGroupBox, "ComputationInfoLMDSimplePanel", QRect(898, 25, 47, 72));
    ComputationModeLabLMDLabel = label(ComputationInfoLMDSimplePanel, "ComputationModeLabLMDLabel",
        QRect(3, 14, 41, 20), QString(), pixelFont("Courier New", 17), Qt::AlignCenter);
    ComputationModeLabLMDLabel->setToolTip(QStringLiteral("Метод расчёта"));
    AmplitudeTypeLabLMDLabel = label(ComputationInfoLMDSimplePanel, "AmplitudeTypeLabLMDLabel", QRect(3, 35, 41, 20),
        QString(), pixelFont("Courier New", 17), Qt::AlignCenter);
    AmplitudeTypeLabLMDLabel->setToolTip(QStringLiteral("Тип амплитуды"));
}
