#pragma once
// One simulated module on the bus: its identity and flash contents, the state
// its operations change (firmware, ADC parameters, DAC codes, write access,
// overload status) and its sample stream. The bus lock guards all of it.

#include "acquisition_stream.h"
#include "device/records.h"
#include "module_identity.h"
#include "sample_generator.h"
#include "sim_control.h"

#include <string>

namespace modlink_sim {

// The module's stream buffer: half a second of data, at most 8 M samples.
constexpr double kBufferSeconds = 0.5;
constexpr double kBufferSamples = 8.0 * 1024 * 1024;

class SimModule final : private SampleSource {
public:
    SimModule(const ModuleConfig& config, const ChannelSignal inputs[kChannelCount]);

    bool highSpeedLink() const { return config.usbSpeed == 1; }
    // Starts the stream of the accepted ADC parameters (there must be some).
    void startAcquisition(Clock::time_point now, double timeScale, double signalSeconds);
    void stopAcquisition(Clock::time_point now) { stream_.stop(now, *this); }
    void advance(Clock::time_point now) { stream_.advance(now, *this); }
    AcquisitionStream& stream() { return stream_; }
    const AcquisitionStream& stream() const { return stream_; }
    double adcRateHz() const { return adcParameters.AdcRate * 1000.0; }

    ModuleConfig config;
    ModuleImperfection imperfection;
    ModuleDescription description;
    UserFlashBlock userFlash;
    ChannelSignal inputs[kChannelCount];
    bool loopback = false;

    bool firmwareLoaded = false;
    std::string firmwareName; // "" for the library's own firmware
    bool userFlashWritable = false;
    bool descriptionSaved = false; // by SAVE_MODULE_DESCRIPTION, now or in an earlier run
    bool hasAdcParameters = false;
    AdcParameters adcParameters;
    int16_t dacCodes[kDacOutputCount] = { 0, 0 };
    uint8_t overloadBits = 0; // since the last CHECK_DATA_ERRORS

private:
    void produce(int16_t* out, uint32_t count, uint64_t firstIndex) override;

    AcquisitionStream stream_;
    SampleGenerator generator_;
};

} // namespace modlink_sim
