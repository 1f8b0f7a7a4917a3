#include "bench_description.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace modlink_sim {
namespace {

const int kDefaultSlots[] = { 2, 5 };
const char* const kDefaultFirmwareVersion = "2.07.15";

// A small residual noise keeps the readings as lively as a real input's.
const ChannelSignal kDefaultSignals[kChannelCount] = {
    { 0.0, 1.0, 1000.0, 0.0003 },
    { 1.5, 0.0, 0.0, 0.0003 },
    { 0.1, 0.2, 50.0, 0.0003 },
    { 0.0, 0.0, 0.0, 0.002 },
};

} // namespace

void copyText(char* destination, int capacity, const char* text)
{
    if (!destination || capacity <= 0)
        return;
    size_t length = text ? strnlen(text, static_cast<size_t>(capacity - 1)) : 0;
    if (length)
        std::memcpy(destination, text, length);
    destination[length] = '\0';
}

ModuleConfig defaultModuleConfig(int slot)
{
    ModuleConfig config;
    // Serials like the maker's: the product number, the slot and three digits.
    std::snprintf(config.serial, sizeof config.serial, "4705%02d%03d", slot, (slot * 389 + 101) % 1000);
    copyText(config.firmwareVersion, sizeof config.firmwareVersion, kDefaultFirmwareVersion);
    return config;
}

void defaultSignals(ChannelSignal inputs[kChannelCount])
{
    for (int c = 0; c < kChannelCount; ++c)
        inputs[c] = kDefaultSignals[c];
}

BenchDescription defaultBench()
{
    BenchDescription bench;
    for (int slot : kDefaultSlots) {
        bench.modules[slot].present = true;
        bench.modules[slot].config = defaultModuleConfig(slot);
        defaultSignals(bench.modules[slot].inputs);
    }
    return bench;
}

bool isValidSignal(const ChannelSignal& signal)
{
    auto within
        = [](double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; };
    return within(signal.dc, -kMaxSignalVolts, kMaxSignalVolts) && within(signal.amplitude, 0.0, kMaxSignalVolts)
        && within(signal.frequencyHz, 0.0, kMaxSignalFrequencyHz) && within(signal.noiseRms, 0.0, kMaxSignalVolts);
}

} // namespace modlink_sim
