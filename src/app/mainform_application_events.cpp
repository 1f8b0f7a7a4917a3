// The window's application-wide handlers: Esc, activation and deactivation.
// The hint display itself is in application_filter.cpp. A frame's value
// edits, and the ADC rate edit, take the focus under the mouse only while the
// application is active.

#include "mainform.h"

#include "frames/q4705_adc_channel_frame.h"
#include "handler_scope.h"
#include "widgets/hover_focus.h"

#include <QLineEdit>
#include <QTabWidget>

// Esc while a handler waits or a search runs only frees the handlers; on the
// multimeter page during a measurement it stops the measurement.
bool TMainForm::ApplicationShortCut(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (HandlerBusy || InitThreadRunning || SearchPending) {
        HandlerScope::release(HandlerBusy);
        return true;
    }
    if (MainLMDPageControl->currentIndex() == kMultimeterPage && !AcquisitionIdle)
        StopThread();
    return true;
}

void TMainForm::ApplicationActivate()
{
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        if (frame)
            frame->setApplicationActive(true);
    }
    setFocusOnHover(AdcRateLMDEdit, true);
}

void TMainForm::ApplicationDeactivate()
{
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        if (frame)
            frame->setApplicationActive(false);
    }
    setFocusOnHover(AdcRateLMDEdit, false);
}
