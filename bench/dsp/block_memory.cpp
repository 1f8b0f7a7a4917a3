// Peak memory of one "fft" block of N = 2^24 samples on one channel: the
// buffers the acquisition job creates (AdcBuffer, AdcData, AdcDataPerChannel,
// FftAdcDataPerChannel, Window) plus the analyser and its FFT engine.
// Prints the peak resident size and fails above the 600 MB budget.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "dsp/channel_measurement.h"

namespace {

long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main()
{
    const uint32_t n = uint32_t { 1 } << 24;
    // Zero-filled like the job's buffers, so every page is really resident.
    auto adcBuffer = std::make_unique<int16_t[]>(n);
    auto adcData = std::make_unique<double[]>(n);
    auto perChannel = std::make_unique<double[]>(n + 16);
    auto spectrum = std::make_unique<double[]>(n + 16);
    auto window = std::make_unique<double[]>(n + 16);
    for (uint32_t i = 0; i < n; ++i) {
        adcBuffer[i] = static_cast<int16_t>(4000 * std::sin(0.001 * i));
        adcData[i] = adcBuffer[i] * 0.000125;
        perChannel[i] = adcData[i];
    }
    dsp::SpectrumAnalyser analyser(n);
    analyser.MakeWindow(window.get());
    const dsp::ChannelResult result = dsp::ComputeFftChannel(analyser, perChannel.get(), spectrum.get(), window.get(),
        dsp::kParAc, "rms", 100000.0, dsp::WindowPowerGain(analyser.Terms()));
    const double peakMiB = peakResidentKiB() / 1024.0;
    std::printf("N = 2^24, one channel: peak resident %.1f MiB (%.1f MB), AC %.4f, %.2f Hz\n", peakMiB,
        peakMiB * 1.048576, result.AcValue, result.Frequency);
    return peakMiB * 1.048576 < 600.0 ? 0 : 1;
}
