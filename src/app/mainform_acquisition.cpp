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
#include "threads/acquisition_messages.h"
#include "threads/acquisition_sizing.h"
#include "threads/adc_parameters_fill.h"
#include "threads/main_thread.h"
#include "widgets/design_colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <algorithm>
#include <iterator>

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

namespace {

const char* blockProblemMessage(acquisition::BlockProblem problem)
{
    switch (problem) {
    case acquisition::BlockProblem::EmptyRequest:
        return acquisition::kRequestTooSmall;
    case acquisition::BlockProblem::EmptyBlock:
        return acquisition::kBlockTooShort;
    case acquisition::BlockProblem::TooLarge:
        return acquisition::kCannotAllocateAdcBuffer;
    case acquisition::BlockProblem::None:
        break;
    }
    return nullptr;
}

} // namespace

void TMainForm::SetupAcquisition(TMainThread& thread)
{
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        frame->Value1LMDEdit->clear();
        frame->Value2LMDEdit->clear();
        frame->SetLedState(kLedIdle);
    }
    thread.AdcParameters = AdcPars;
    std::fill(std::begin(thread.OverloadBits), std::end(thread.OverloadBits), uint8_t(0));
    const uint16_t n
        = acquisition::FillChannelChoices(thread.AdcParameters, ChannelChoicesOfFrames(), &thread.ChannelPosition);
    thread.ActiveChannelCount = n;
    if (n == 0) {
        thread.ReportMessage(QString::fromUtf8(acquisition::kNoActiveChannel));
        return;
    }
    FillAdcRateAndCoeffs(thread.AdcParameters);
    thread.AdcRateHz = AdcRateHz;
    if (!Module || !Module->WRITE_ADC_PARAMETERS(&thread.AdcParameters)) {
        thread.ReportMessage(QString::fromUtf8(acquisition::kCannotWriteAdcParameters));
        return;
    }
    thread.AdcRateHz = thread.AdcParameters.AdcRate * 1000.0;
    thread.KadrRateHz = thread.AdcParameters.KadrRate * 1000.0;

    const acquisition::Method method = acquisition::MethodFor(thread.ComputationMethod.toStdString());
    if (method == acquisition::Method::Sum)
        thread.ComputationMethod = QStringLiteral("sum");
    const acquisition::BlockSize size = acquisition::SizeBlock(method, thread.MaxAcquisitionTime, thread.KadrRateHz, n);
    if (const char* problem = blockProblemMessage(acquisition::CheckBlock(size))) {
        thread.ReportMessage(QString::fromUtf8(problem));
        return;
    }
    thread.RequestSamples = size.requestSamples;
    thread.SamplesPerChannel = static_cast<uint32_t>(size.samplesPerChannel);
    thread.BlockSamples = static_cast<uint32_t>(size.blockSamples);
    AcquisitionTimeLMDLabel->setText(
        entry::formatByPattern(acquisition::BlockSeconds(size, thread.KadrRateHz), QStringLiteral("0.00")));
    thread.FrequencyFormatCaps = { QStringLiteral("0.00"), QStringLiteral("0.000") };
}
