// ADC parameters, and the steps of the multimeter job that start a run on
// this thread: the button and the run's copies of the settings, the thread's
// ADC parameters and the block size.

#include "mainform.h"

#include "entry/number_text.h"
#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "mainform_controls_build.h"
#include "platform/message_seam.h"
#include "settings/input_ranges.h"
#include "threads/acquisition_sizing.h"
#include "threads/adc_parameters_fill.h"
#include "threads/main_thread.h"
#include "threads/measurement_engine.h"
#include "widgets/design_colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

acquisition::ChannelChoices TMainForm::ChannelChoicesOfFrames() const
{
    acquisition::ChannelChoices choices;
    for (int c = 0; c < acquisition::kChannelCount; ++c) {
        const TQ4705AdcChannelFrame* frame = ChannelFrames[static_cast<size_t>(c)];
        choices[static_cast<size_t>(c)] = { frame->ChannelNumberLMDCheckBox->isChecked(),
            frame->InputRangeLMDComboBox->currentIndex(), frame->InputConnectionModeLMDComboBox->currentIndex() };
    }
    return choices;
}

void TMainForm::FillAdcRateAndCoeffs(AdcParameters& parameters) const
{
    CopyWorkingAdcCoeffs(parameters);
    parameters.AdcRate = AdcRateHz * 0.001;
    parameters.LinkSpeedParameter = acquisition::LinkSpeedParameter(UsbSpeed);
}

bool TMainForm::SetAdcPars()
{
    AdcPars.RevisionFlag = acquisition::RevisionFlagFor(Description.Revision);
    if (acquisition::FillChannelChoices(AdcPars, ChannelChoicesOfFrames()) == 0)
        return false;
    FillAdcRateAndCoeffs(AdcPars);
    if (!Module || !Module->WRITE_ADC_PARAMETERS(&AdcPars)) {
        platform::showMessage(QStringLiteral("Не могу установить параметры сбора данных!"),
            QStringLiteral("Ошибка SetAdcPars()!"), platform::MessageIcon::Information);
        return false;
    }
    return true;
}

void TMainForm::BeginAcquisitionUi(TMainThread& thread)
{
    StartMultimeterLMDSpeedButton->setText(QStringLiteral("С Т О П"));
    controls_build::setTextColour(StartMultimeterLMDSpeedButton, design::red, QPalette::ButtonText);
    VoltmeterValueLMDLabel->clear();
    for (int c = 0; c < acquisition::kChannelCount; ++c) {
        const TQ4705AdcChannelFrame* frame = ChannelFrames[static_cast<size_t>(c)];
        thread.ParType[static_cast<size_t>(c)] = frame->ParTypeLMDComboBox->currentIndex();
        // An unselected range would index past the range table and the
        // number patterns.
        thread.InputRangeIndex[static_cast<size_t>(c)]
            = acquisition::ValidIndex(frame->InputRangeLMDComboBox->currentIndex(), settings::kInputRangeCount);
    }
    thread.ComputationMethod = ComputationMethod;
    thread.AmplitudeType = AmplitudeType;
    thread.AmplitudeKind = AmplitudeKind;
    thread.MaxAcquisitionTime = MaxAcquisitionTime;
}

void TMainForm::SetupAcquisition(TMainThread& thread)
{
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        frame->Value1LMDEdit->clear();
        frame->Value2LMDEdit->clear();
        frame->SetLedState(kLedIdle);
    }
    AdcParameters base = AdcPars;
    CopyWorkingAdcCoeffs(base);
    if (!acquisition::SendRunParameters(thread, Module, ChannelChoicesOfFrames(), AdcRateHz, base, UsbSpeed,
            [&thread](const QString& text) { thread.ReportMessage(text); }))
        return;
    const acquisition::BlockSize size { thread.RequestSamples, thread.SamplesPerChannel, thread.BlockSamples };
    AcquisitionTimeLMDLabel->setText(
        entry::formatByPattern(acquisition::BlockSeconds(size, thread.KadrRateHz), QStringLiteral("0.00")));
    thread.FrequencyFormatCaps = { QStringLiteral("0.00"), QStringLiteral("0.000") };
}
