// Applying the settings file at the end of a module search: what the values
// are computed and shown with, the group and channel controls, and, with the
// module ready, the coefficient sets, the ADC rate and the DAC levels.

#include "mainform.h"

#include "entry/number_text.h"
#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "handler_scope.h"
#include "settings/channel_control_settings.h"
#include "settings/ini_file.h"
#include "settings/precision_formats.h"
#include "settings/setting_access.h"
#include "widgets/pending_entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

const QString kNoValue = QStringLiteral("--------");

// A group box index outside its list leaves it without selection.
void selectIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index < box->count() ? index : -1);
}

} // namespace

bool TMainForm::ReadIniFile(settings::IniFile* file)
{
    if (!file)
        return false;
    SettingsFileUnread = !file->isLoaded();
    {
        HandlerScope programmaticChange(HandlerBusy);
        const bool autoSave = settings::read(*file, settings::AutoSaveSettingsKey);
        AutoSaveSettingsLMDCheckBox->setChecked(autoSave);
        SaveSettingsButton->setEnabled(!autoSave);
        AutoSaveSettingHeld = true;
    }
    ReadAdcSettings(*file);
    if (ModuleState == kModuleReady) {
        CoeffsLoadSource = settings::read(*file, settings::CoeffsLoadSourceKey);
        InitCoeffSets();
        ReadRateAndDacSettings(*file);
    }
    return true;
}

void TMainForm::ReadAdcSettings(const settings::IniFile& file)
{
    ComputationMethod = settings::read(file, settings::ComputationMethodKey);
    AmplitudeType = settings::read(file, settings::AmplitudeTypeKey);
    AmplitudeKind = settings::read(file, settings::AmplitudeKindKey);
    MaxAcquisitionTime = settings::read(file, settings::MaxAcquisitionTimeKey);

    const settings::PrecisionSettings precisions = settings::readPrecisionSettings(file);
    DcPrecision = precisions.DcPrecision;
    AcPrecision = precisions.AcPrecision;
    FrPrecision = precisions.FrPrecision;
    PrecisionFormats = settings::buildPrecisionFormats(precisions);

    HandlerScope programmaticChange(HandlerBusy);
    ComputationModeLabLMDLabel->setText(ComputationMethod);
    AmplitudeTypeLabLMDLabel->setText(AmplitudeType);

    const settings::ChannelControlSettings controls = settings::readChannelControlSettings(file);
    AllChannelsLMDCheckBox->setCheckState(controls.groupEnabled ? Qt::Checked : Qt::Unchecked);
    selectIndex(AllInputRangeLMDComboBox, controls.inputRange.group);
    selectIndex(CommonInputConnectionModeLMDComboBox, controls.connectionMode.group);
    selectIndex(CommonMeasuringMethodLMDComboBox, controls.parType.group);

    int checkedCount = 0;
    for (int c = 0; c < settings::kAdcChannelCount; ++c) {
        TQ4705AdcChannelFrame* frame = ChannelFrames[c];
        frame->ChannelNumberLMDCheckBox->setChecked(controls.enabled[c]);
        checkedCount += controls.enabled[c] ? 1 : 0;
        frame->InputRangeLMDComboBox->setCurrentIndex(controls.inputRange.channel[c]);
        frame->InputConnectionModeLMDComboBox->setCurrentIndex(controls.connectionMode.channel[c]);
        frame->ParTypeLMDComboBox->setCurrentIndex(controls.parType.channel[c]);
        frame->Value1LMDEdit->setText(kNoValue);
        frame->Value2LMDEdit->setText(kNoValue);
        SetValueUnitCaptions(frame);
    }
    if (checkedCount == settings::kAdcChannelCount)
        AllChannelsLMDCheckBox->setCheckState(Qt::Checked);
    else if (checkedCount == 0)
        AllChannelsLMDCheckBox->setCheckState(Qt::Unchecked);
    else
        AllChannelsLMDCheckBox->setCheckState(Qt::PartiallyChecked);
    ChannelSettingsHeld = true;
}

void TMainForm::ReadRateAndDacSettings(const settings::IniFile& file)
{
    const double rateHz = settings::read(file, settings::AdcRateKey) * 1000.0;
    // A stored rate too large to be a number of hertz is taken as missing.
    AdcRateHz = std::isfinite(rateHz) ? rateHz : settings::AdcRateKey.readDefault * 1000.0;
    ApplyAdcRate();
    DacAndEquipmentLMDSimplePanel->setEnabled(true);
    if (Description.DacPresent == 0)
        return;
    HandlerScope programmaticChange(HandlerBusy);
    SetEnabledRecursively(DacSamplesLMDGroupBox, true);
    for (int output = 0; output < static_cast<int>(DacEdits.size()); ++output) {
        QLineEdit* edit = DacEdits[output];
        const double volts = settings::read(file, settings::DacAmplitudeKey, settings::dacAmplitudeKeyName(output + 1));
        edit->setText(entry::formatByPattern(volts, QStringLiteral("0.000")));
        pending_entry::markPending(edit);
        ApplyDacValue(edit);
    }
}
