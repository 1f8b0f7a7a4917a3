#include "sim_module.h"

#include <algorithm>
#include <cstring>

namespace modlink_sim {

SimModule::SimModule(const ModuleConfig& moduleConfig, const ChannelSignal moduleInputs[kChannelCount])
    : config(moduleConfig)
    , imperfection(imperfectionForSerial(moduleConfig.serial))
    , description(makeDescription(moduleConfig, imperfection))
{
    std::memset(userFlash.Bytes, 0xFF, sizeof userFlash.Bytes);
    std::memset(&adcParameters, 0, sizeof adcParameters);
    for (int c = 0; c < kChannelCount; ++c)
        inputs[c] = moduleInputs[c];
    // The noise differs between modules but not between runs.
    uint32_t seed = 0;
    for (char ch : std::string(config.serial, strnlen(config.serial, 16)))
        seed = seed * 31 + static_cast<unsigned char>(ch);
    generator_.seedNoise(seed);
}

void SimModule::startAcquisition(Clock::time_point now, double timeScale, double signalSeconds)
{
    generator_.start(adcParameters, imperfection, adcRateHz(), signalSeconds);
    stream_.start(now, adcRateHz() * timeScale, std::min(kBufferSeconds, kBufferSamples / adcRateHz()));
}

void SimModule::produce(int16_t* out, uint32_t count, uint64_t firstIndex)
{
    ChannelSignal seen[kChannelCount];
    for (int c = 0; c < kChannelCount; ++c)
        seen[c] = inputs[c];
    if (loopback) {
        // The DAC outputs drive the first two inputs instead of their signals.
        for (int k = 0; k < kDacOutputCount; ++k)
            seen[k] = ChannelSignal { dacOutputVolts(imperfection, k, dacCodes[k]), 0.0, 0.0, 0.0 };
    }
    generator_.setInputs(seen);
    overloadBits |= generator_.fill(out, count, firstIndex);
}

} // namespace modlink_sim
