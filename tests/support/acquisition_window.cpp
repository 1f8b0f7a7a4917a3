#include "support/acquisition_window.h"

#include "frames/q4705_adc_channel_frame.h"
#include "mainform.h"
#include "support/event_wait.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <cstring>

namespace acquisition_window {

bool putModule(modlink_sim::SimControl& sim, int slot, double timeScale)
{
    sim.resetToDefaults();
    sim.clearFailures();
    sim.clearBus();
    modlink_sim::ModuleConfig config;
    std::strcpy(config.serial, "7C0FF047");
    std::strcpy(config.firmwareVersion, "2.07.15");
    if (!sim.setModule(slot, config))
        return false;
    sim.setTimeScale(timeScale);
    return true;
}

bool makeModuleReady(TMainForm& form, int slot)
{
    if (!form.Library->load())
        return false;
    form.Module = form.Library->GetModuleInterface(kModuleName);
    if (!form.Module || !form.Module->OPEN_SLOT(slot) || !form.Module->LOAD_MODULE(nullptr)
        || !form.Module->READ_MODULE_DESCRIPTION(&form.Description))
        return false;
    form.ModuleState = 2;
    form.UsbSpeed = 1;
    form.InitCoeffSets();
    form.MainLMDPageControl->setCurrentIndex(0);
    form.StartMultimeterLMDSpeedButton->setEnabled(true);
    for (TQ4705AdcChannelFrame* frame : form.ChannelFrames) {
        frame->Q4705AdcChannelLMDSimplePanel->setEnabled(true);
        frame->ChannelNumberLMDCheckBox->setEnabled(true);
        frame->EnableChannelControls();
    }
    return true;
}

void setChannel(TMainForm& form, int c, bool checked, int range, int connectionMode, int parType)
{
    TQ4705AdcChannelFrame* frame = form.ChannelFrames[static_cast<size_t>(c)];
    const bool wasBusy = form.HandlerBusy;
    form.HandlerBusy = true;
    frame->ChannelNumberLMDCheckBox->setChecked(checked);
    frame->InputRangeLMDComboBox->setCurrentIndex(range);
    frame->InputConnectionModeLMDComboBox->setCurrentIndex(connectionMode);
    frame->ParTypeLMDComboBox->setCurrentIndex(parType);
    form.HandlerBusy = wasBusy;
}

void setMeasurement(TMainForm& form, const QString& method, double seconds, const QString& amplitudeType,
    const QString& amplitudeKind, double adcRateHz)
{
    form.ComputationMethod = method;
    form.MaxAcquisitionTime = seconds;
    form.AmplitudeType = amplitudeType;
    form.AmplitudeKind = amplitudeKind;
    form.AdcRateHz = adcRateHz;
    for (int r = 0; r < 3; ++r) {
        form.PrecisionFormats[static_cast<size_t>(r)] = QStringLiteral("0.00");
        form.PrecisionFormats[static_cast<size_t>(3 + r)] = QStringLiteral("0.00");
        form.PrecisionFormats[static_cast<size_t>(6 + r)] = QStringLiteral("0.00000");
    }
}

bool pressStart(TMainForm& form)
{
    form.StartMultimeterLMDSpeedButton->setChecked(true);
    form.StartLMDSpeedButtonClick(form.StartMultimeterLMDSpeedButton);
    return form.MainThread != nullptr;
}

void pressStop(TMainForm& form)
{
    form.StartMultimeterLMDSpeedButton->setChecked(false);
    form.StartLMDSpeedButtonClick(form.StartMultimeterLMDSpeedButton);
}

bool waitForSetup(TMainForm& form, int timeoutMs)
{
    return waitUntil([&] { return form.AcquisitionTimeLMDLabel->text() != QStringLiteral("-----"); }, timeoutMs);
}

bool waitForValues(TMainForm& form, int timeoutMs)
{
    return waitUntil(
        [&] {
            for (const TQ4705AdcChannelFrame* frame : form.ChannelFrames) {
                if (frame->ChannelNumberLMDCheckBox->isChecked()
                    && frame->ChannelsOverflowLed->unlitColour() != QColor(design::green))
                    return false;
            }
            return true;
        },
        timeoutMs);
}

bool waitForIdle(TMainForm& form, int timeoutMs)
{
    return waitUntil([&] { return form.AcquisitionIdle.load(); }, timeoutMs);
}

} // namespace acquisition_window
