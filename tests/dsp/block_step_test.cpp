#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dsp/block_step.h"
#include "dsp/weighted_sums.h"

namespace {

using dsp::ChannelStatus;

constexpr double kKadrRateHz = 40960.0;
// The codes' rounding moves the line's centre by a few millionths of a bin.
constexpr double kFrequencyTolerance = 0.01;

// What the module feeds one channel: a DC level and a sine on an exact bin,
// in codes; the codes are rounded like the module's.
struct ChannelSignal {
    double dcCodes;
    double amplitudeCodes;
    uint32_t bin;
};

// A block of n interleaved channels; place j holds signals[j].
std::vector<int16_t> interleave(const std::vector<ChannelSignal>& signals, uint32_t samplesPerChannel)
{
    const size_t n = signals.size();
    std::vector<int16_t> codes(n * samplesPerChannel);
    for (uint32_t k = 0; k < samplesPerChannel; ++k)
        for (size_t j = 0; j < n; ++j) {
            const ChannelSignal& s = signals[j];
            const double value
                = s.dcCodes + s.amplitudeCodes * std::sin(2 * M_PI * s.bin * double(k) / samplesPerChannel + 0.4);
            codes[k * n + j] = static_cast<int16_t>(std::lround(value));
        }
    return codes;
}

// One run's buffers as the acquisition job prepares them, with or without
// the second thread's workspace.
struct BlockRun {
    BlockRun(bool fft, uint32_t n, bool twoThreads, const std::atomic<bool>* abortFlag = nullptr)
        : window(n + 16, 0.0)
        , samples(n + 16, 0.0)
        , spectrum(n + 16, 0.0)
        , twinSamples(n + 16, 0.0)
        , twinSpectrum(n + 16, 0.0)
    {
        measurement.fft = fft;
        measurement.abortFlag = abortFlag;
        measurement.kadrRateHz = kKadrRateHz;
        measurement.amplitudeType = "rms";
        measurement.window = window.data();
        if (fft) {
            analyser = std::make_unique<dsp::SpectrumAnalyser>(n, abortFlag);
            EXPECT_TRUE(analyser->MakeWindow(window.data()));
            measurement.windowPowerGain = dsp::WindowPowerGain(analyser->Terms());
            if (twoThreads)
                twin = analyser->MakeTwin();
        } else {
            dsp::WindowTerms terms;
            EXPECT_TRUE(dsp::MakeWindow(window.data(), n, dsp::kCosineSum9Window, terms, nullptr));
            measurement.windowSum = n * terms.terms[0];
        }
    }

    dsp::BlockResults measure(const dsp::InterleavedBlock& block)
    {
        const dsp::ChannelWorkspace first { analyser.get(), samples.data(), spectrum.data() };
        const dsp::ChannelWorkspace second { twin.get(), twinSamples.data(), twinSpectrum.data() };
        return dsp::MeasureBlock(block, measurement, first, twin ? &second : nullptr);
    }

    std::vector<double> window, samples, spectrum, twinSamples, twinSpectrum;
    std::unique_ptr<dsp::SpectrumAnalyser> analyser, twin;
    dsp::BlockMeasurement measurement;
};

dsp::InterleavedBlock blockOf(const std::vector<int16_t>& codes, uint32_t channels, double voltsPerCode)
{
    dsp::InterleavedBlock block;
    block.codes = codes.data();
    block.channelCount = channels;
    block.samplesPerChannel = static_cast<uint32_t>(codes.size() / channels);
    block.scale.fill(voltsPerCode);
    return block;
}

const ChannelSignal kSignals[4] = { { 1000, 3000, 100 }, { -2000, 1500, 260 }, { 0, 4000, 37 }, { 500, 700, 411 } };

struct LayoutCase {
    bool fft;
    bool twoThreads;
    std::vector<int> channelsInFrame; // channel numbers at places 0..n-1
    double voltsPerCode;
};

// Every checked channel gets the values of the signal at its own place of
// the frame: DC level, AC RMS and ("fft") the frequency of its bin, in the
// unit of the codes' scale. Channels without a place are not measured.
TEST(MeasureBlock, EachChannelIsMeasuredFromTheCodesAtItsPlaceInTheFrame)
{
    const uint32_t n = 8192;
    const LayoutCase cases[] = {
        { true, false, { 2 }, 0.000375 },
        { true, true, { 0, 3 }, 1.0 },
        { true, true, { 0, 1, 3 }, 0.000125 },
        { true, false, { 0, 1, 2, 3 }, 0.000375 },
        { true, true, { 0, 1, 2, 3 }, 0.000375 },
        { false, false, { 1 }, 1.0 },
        { false, true, { 1, 2 }, 0.000375 },
        { false, true, { 0, 1, 2, 3 }, 0.0000375 },
    };
    for (const LayoutCase& c : cases) {
        const uint32_t places = static_cast<uint32_t>(c.channelsInFrame.size());
        SCOPED_TRACE(std::string(c.fft ? "fft" : "sum") + ", " + std::to_string(places) + " channels"
            + (c.twoThreads ? ", two threads" : ""));
        std::vector<ChannelSignal> signals;
        for (int channel : c.channelsInFrame)
            signals.push_back(kSignals[channel]);
        const std::vector<int16_t> codes = interleave(signals, n);
        BlockRun run(c.fft, n, c.twoThreads);
        for (uint32_t place = 0; place < places; ++place) {
            const auto channel = static_cast<size_t>(c.channelsInFrame[place]);
            run.measurement.position[channel] = static_cast<int16_t>(place);
            // Channel 0 measures AC, the others AC+DC.
            run.measurement.parType[channel] = channel == 0 ? dsp::kParAc : dsp::kParAcDc;
        }
        const dsp::BlockResults results = run.measure(blockOf(codes, places, c.voltsPerCode));
        for (size_t channel = 0; channel < 4; ++channel) {
            const int16_t place = run.measurement.position[channel];
            ASSERT_EQ(results.measured[channel], place >= 0) << channel;
            if (place < 0)
                continue;
            const ChannelSignal& s = kSignals[channel];
            const dsp::ChannelResult& r = results.channels[channel];
            EXPECT_EQ(r.status, ChannelStatus::Ok) << channel;
            // Rounding the codes adds about 0.3 codes of noise.
            EXPECT_NEAR(r.AcValue, s.amplitudeCodes / std::sqrt(2.0) * c.voltsPerCode, 0.05 * c.voltsPerCode)
                << channel;
            const double frequency = channel == 0 && c.fft ? s.bin * kKadrRateHz / n : 0.0;
            EXPECT_NEAR(r.Frequency, frequency, kFrequencyTolerance) << channel;
            if (channel != 0) {
                EXPECT_NEAR(r.DcValue, s.dcCodes * c.voltsPerCode, 0.05 * c.voltsPerCode) << channel;
            }
        }
    }
}

// The check boxes are read when each channel's turn comes: a channel whose
// box is off is not measured, the others are.
TEST(MeasureBlock, UncheckedChannelsAreSkipped)
{
    const uint32_t n = 4096;
    const std::vector<int16_t> codes = interleave({ kSignals[0], kSignals[1], kSignals[2], kSignals[3] }, n);
    for (bool twoThreads : { false, true }) {
        BlockRun run(true, n, twoThreads);
        std::atomic<bool> checked[4] { false, true, false, true };
        run.measurement.checked = checked;
        run.measurement.position = { 0, 1, 2, 3 };
        run.measurement.parType = { dsp::kParAc, dsp::kParAc, dsp::kParAc, dsp::kParAc };
        const dsp::BlockResults results = run.measure(blockOf(codes, 4, 1.0));
        EXPECT_EQ(results.measured, (std::array<bool, 4> { false, true, false, true }));
        EXPECT_NEAR(results.channels[3].Frequency, 411 * kKadrRateHz / n, kFrequencyTolerance);
    }
}

// A channel without signal ends the block: it reports NoSignal, and the
// channels before it are complete.
TEST(MeasureBlock, ChannelWithoutSignalEndsTheBlock)
{
    const uint32_t n = 4096;
    const std::vector<int16_t> codes = interleave({ kSignals[0], { 0, 0, 1 }, kSignals[2], kSignals[3] }, n);
    for (bool twoThreads : { false, true }) {
        BlockRun run(true, n, twoThreads);
        run.measurement.position = { 0, 1, 2, 3 };
        run.measurement.parType = { dsp::kParAc, dsp::kParAc, dsp::kParAc, dsp::kParAc };
        const dsp::BlockResults results = run.measure(blockOf(codes, 4, 1.0));
        ASSERT_TRUE(results.measured[0]);
        EXPECT_EQ(results.channels[0].status, ChannelStatus::Ok);
        EXPECT_NEAR(results.channels[0].Frequency, 100 * kKadrRateHz / n, kFrequencyTolerance);
        ASSERT_TRUE(results.measured[1]);
        EXPECT_EQ(results.channels[1].status, ChannelStatus::NoSignal);
    }
}

// A stop request while four long channels are being transformed on two
// threads: the block is given up within the job's stop budget, and no
// channel still running at that moment claims a complete result.
TEST(MeasureBlock, StopRequestEndsTheBlockQuickly)
{
    const uint32_t n = 1u << 21;
    const std::vector<int16_t> codes = interleave({ kSignals[0], kSignals[1], kSignals[2], kSignals[3] }, n);
    std::atomic<bool> stop { false };
    BlockRun run(true, n, true, &stop);
    run.measurement.position = { 0, 1, 2, 3 };
    run.measurement.parType = { dsp::kParAc, dsp::kParAc, dsp::kParAc, dsp::kParAc };
    std::chrono::steady_clock::time_point stoppedAt;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        stoppedAt = std::chrono::steady_clock::now();
        stop = true;
    });
    const dsp::BlockResults results = run.measure(blockOf(codes, 4, 1.0));
    const auto returnedAt = std::chrono::steady_clock::now();
    stopper.join();
    const double stopMs = std::chrono::duration<double, std::milli>(returnedAt - stoppedAt).count();
    EXPECT_LT(stopMs, 100.0);
    int aborted = 0;
    for (size_t c = 0; c < 4; ++c)
        aborted += results.measured[c] && results.channels[c].status == ChannelStatus::Aborted;
    EXPECT_GE(aborted, 1);
    EXPECT_FALSE(results.measured[3] && results.channels[3].status == ChannelStatus::Ok);
}

// Converting a channel straight out of the block (with the window on the
// way) gives, to the last bit, the values of converting the block first and
// windowing the channel's copy afterwards; the "sum" moments read straight
// from the codes equal those of the converted copy. Lengths that are not a
// multiple of the vector width take the tail paths.
TEST(MeasureBlock, ChannelsReadStraightFromTheCodesEqualConvertedCopies)
{
    for (uint32_t stride = 1; stride <= 4; ++stride)
        for (uint32_t n : { 5u, 1000u, 70001u }) {
            SCOPED_TRACE(std::to_string(stride) + " channels, N = " + std::to_string(n));
            std::vector<int16_t> codes(size_t { stride } * n);
            for (size_t i = 0; i < codes.size(); ++i)
                codes[i] = static_cast<int16_t>((i * 7919) % 16384 - 8192);
            std::vector<double> window(n);
            for (uint32_t k = 0; k < n; ++k)
                window[k] = 0.5 - 0.5 * std::cos(2 * M_PI * k / n);
            const double scale = 0.000375;
            const dsp::ChannelCodes channel { codes.data() + stride - 1, stride, scale };
            std::vector<double> copy(n), windowed(n), converted(n), convertedWindowed(n);
            for (uint32_t k = 0; k < n; ++k) {
                copy[k] = codes[size_t { stride } * k + stride - 1] * scale;
                windowed[k] = copy[k] * window[k];
            }
            ASSERT_TRUE(dsp::ConvertChannel(channel, nullptr, converted.data(), n, nullptr));
            ASSERT_TRUE(dsp::ConvertChannel(channel, window.data(), convertedWindowed.data(), n, nullptr));
            EXPECT_EQ(converted, copy);
            EXPECT_EQ(convertedWindowed, windowed);

            const dsp::WeightedMoments fromCopy = dsp::WeightedMeanAndAcRms(copy.data(), window.data(), n, n * 0.5);
            const dsp::WeightedMoments fromCodes
                = dsp::WeightedCodeMoments(channel.codes, stride, scale, window.data(), n, n * 0.5);
            EXPECT_EQ(fromCodes.mean, fromCopy.mean);
            EXPECT_EQ(fromCodes.acRms, fromCopy.acRms);
        }
}

} // namespace
