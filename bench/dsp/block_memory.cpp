// Peak memory of one "fft" block of 2^24 samples, with the buffers the
// acquisition job creates (AdcBuffer, AdcData, AdcDataPerChannel,
// FftAdcDataPerChannel, Window) plus the analyser and its FFT engine:
//   dsp_block_memory        one channel of N = 2^24, converted as a whole block
//   dsp_block_memory 2      two channels of N = 2^23 through the job's block
//                           step, with the second thread's buffers and analyser
// Prints the peak resident size and fails above the 600 MB budget.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "dsp/block_step.h"

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

// The job's buffers are zero-filled (calloc): a buffer never written stays
// out of resident memory, as AdcData does since channels are converted
// straight from the codes.
std::unique_ptr<double[], decltype(&std::free)> zeroedDoubles(size_t count)
{
    return { static_cast<double*>(std::calloc(count, sizeof(double))), &std::free };
}

dsp::ChannelResult oneChannel(uint32_t n)
{
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
    return dsp::ComputeFftChannel(analyser, perChannel.get(), spectrum.get(), window.get(), dsp::kParAc, "rms",
        100000.0, dsp::WindowPowerGain(analyser.Terms()));
}

dsp::ChannelResult twoChannels(uint32_t blockSamples)
{
    const uint32_t n = blockSamples / 2;
    auto adcBuffer = std::make_unique<int16_t[]>(blockSamples);
    auto adcData = zeroedDoubles(blockSamples);
    auto samples = zeroedDoubles(n + 16), spectrum = zeroedDoubles(n + 16), window = zeroedDoubles(n + 16);
    auto twinSamples = zeroedDoubles(n + 16), twinSpectrum = zeroedDoubles(n + 16);
    for (uint32_t i = 0; i < blockSamples; ++i)
        adcBuffer[i] = static_cast<int16_t>(4000 * std::sin(0.001 * (i / 2)));
    dsp::SpectrumAnalyser analyser(n);
    analyser.MakeWindow(window.get());
    const std::unique_ptr<dsp::SpectrumAnalyser> twin = analyser.MakeTwin();
    dsp::InterleavedBlock block;
    block.codes = adcBuffer.get();
    block.channelCount = 2;
    block.samplesPerChannel = n;
    block.scale.fill(0.000125);
    dsp::BlockMeasurement measurement;
    measurement.fft = true;
    measurement.window = window.get();
    measurement.windowPowerGain = dsp::WindowPowerGain(analyser.Terms());
    measurement.kadrRateHz = 100000.0;
    measurement.amplitudeType = "rms";
    measurement.position = { 0, 1, -1, -1 };
    measurement.parType = { dsp::kParAc, dsp::kParAc, 0, 0 };
    const dsp::ChannelWorkspace first { &analyser, samples.get(), spectrum.get() };
    const dsp::ChannelWorkspace second { twin.get(), twinSamples.get(), twinSpectrum.get() };
    return dsp::MeasureBlock(block, measurement, first, &second).channels[1];
}

} // namespace

int main(int argc, char** argv)
{
    const uint32_t blockSamples = uint32_t { 1 } << 24;
    const bool two = argc > 1 && std::string(argv[1]) == "2";
    const dsp::ChannelResult result = two ? twoChannels(blockSamples) : oneChannel(blockSamples);
    const double peakMiB = peakResidentKiB() / 1024.0;
    std::printf("2^24 samples, %s: peak resident %.1f MiB (%.1f MB), AC %.4f, %.2f Hz\n",
        two ? "two channels on two threads" : "one channel", peakMiB, peakMiB * 1.048576, result.AcValue,
        result.Frequency);
    return peakMiB * 1.048576 < 600.0 ? 0 : 1;
}
