// The display steps of the multimeter job, run on this thread while the job
// waits: the block's values in the channel frames, the overload LEDs after
// them, and the end of a run.

#include "mainform.h"

#include "dsp/par_type.h"
#include "entry/channel_value_texts.h"
#include "frames/q4705_adc_channel_frame.h"
#include "handler_scope.h"
#include "mainform_controls_build.h"
#include "settings/precision_formats.h"
#include "threads/acquisition_messages.h"
#include "threads/main_thread.h"
#include "widgets/design_colours.h"

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

namespace {

bool overloaded(const TMainThread& thread, int channel)
{
    return (thread.OverloadBits[0] >> channel) & 1u;
}

} // namespace

void TMainForm::ShowChannelValues(TMainThread& thread)
{
    const bool volts = thread.AmplitudeKind == QLatin1String("volt");
    const QString unit = volts ? QStringLiteral("мВ") : QStringLiteral("код");
    const bool spectral = thread.ComputationMethod == QLatin1String("fft");
    for (TQ4705AdcChannelFrame* frame : ChannelFrames)
        frame->SetLedState(kLedIdle);
    for (int c = 0; c < 4; ++c) {
        const auto channel = static_cast<size_t>(c);
        TQ4705AdcChannelFrame* frame = ChannelFrames[channel];
        const int32_t parType = thread.ParType[channel];
        if (!dsp::isKnownParType(parType))
            continue;
        if (!frame->ChannelNumberLMDCheckBox->isChecked()) {
            frame->ShowNoValues();
            continue;
        }
        const QColor colour(overloaded(thread, c) ? design::red : design::lime);
        const entry::ChannelValueTexts texts
            = entry::channelValueTexts(parType, spectral, volts, thread.InputRangeIndex[channel], PrecisionFormats,
                thread.DcValue[channel], thread.AcValue[channel], thread.Frequency[channel]);
        if (parType == dsp::kParDc) {
            frame->ShowValue(1, texts.dc, colour, unit);
            frame->DisableValue(2);
        } else if (parType == dsp::kParAcDc) {
            frame->ShowValue(1, texts.ac, colour, unit);
            frame->ShowValue(2, texts.dc, colour, unit);
        } else {
            frame->ShowValue(1, texts.ac, colour, unit);
            if (spectral)
                frame->ShowValue(2, texts.frequency, colour, QStringLiteral("кГц"));
            else
                frame->DisableValue(2);
        }
    }
}

void TMainForm::ShowOverloadLeds(TMainThread& thread)
{
    for (int c = 0; c < 4; ++c) {
        TQ4705AdcChannelFrame* frame = ChannelFrames[static_cast<size_t>(c)];
        if (!frame->ChannelNumberLMDCheckBox->isChecked())
            frame->SetLedState(kLedIdle);
        else
            frame->SetLedState(overloaded(thread, c) ? kLedOverload : kLedNoOverload);
    }
}

void TMainForm::FinishAcquisition(TMainThread& thread)
{
    StartMultimeterLMDSpeedButton->setText(QStringLiteral("С Т А Р Т"));
    controls_build::setTextColour(StartMultimeterLMDSpeedButton, design::green, QPalette::ButtonText);
    {
        HandlerScope programmaticChange(HandlerBusy);
        StartMultimeterLMDSpeedButton->setChecked(false);
    }
    AcquisitionTimeLMDLabel->setText(QStringLiteral("-----"));
    if (!thread.ReleaseAcquisitionResources())
        thread.ReportMessage(QString::fromUtf8(acquisition::kCannotCloseEvent));
    AcquisitionIdle = true;
}
