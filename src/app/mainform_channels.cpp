// The channel frames' controls and the group controls of all channels.

#include "mainform.h"

#include "frames/q4705_adc_channel_frame.h"

// The channel handlers (switching a channel on and off, its range,
// connection mode and measured parameter) are connected here.
void TMainForm::ConnectChannelFrame(TQ4705AdcChannelFrame* /*frame*/) { }
