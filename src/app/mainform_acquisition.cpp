// ADC parameters and the acquisition display steps of the multimeter job.

#include "mainform.h"

#include "frames/q4705_adc_channel_frame.h"
#include "platform/message_seam.h"
#include "threads/adc_parameters_fill.h"

#include <QCheckBox>
#include <QComboBox>

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
