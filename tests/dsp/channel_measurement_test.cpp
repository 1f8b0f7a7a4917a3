#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "dsp/channel_measurement.h"

namespace {

using dsp::ChannelStatus;

// One run of the "fft" method as the acquisition job holds it: the window
// buffer, the analyser and the power gain.
struct FftRun {
    explicit FftRun(uint32_t n, const std::atomic<bool>* abortFlag = nullptr)
        : analyser(n, abortFlag)
        , window(n + 16, 0.0)
        , spectrum(n + 16, 0.0)
    {
        EXPECT_TRUE(analyser.MakeWindow(window.data()));
        gain = dsp::WindowPowerGain(analyser.Terms());
    }
    dsp::ChannelResult measure(
        std::vector<double> samples, int parType, const std::string& amplitudeType = "rms", double kadrRateHz = 40960.0)
    {
        samples.resize(analyser.Length() + 16, 0.0);
        return dsp::ComputeFftChannel(
            analyser, samples.data(), spectrum.data(), window.data(), parType, amplitudeType, kadrRateHz, gain);
    }
    dsp::SpectrumAnalyser analyser;
    std::vector<double> window, spectrum;
    double gain = 0;
};

// The "sum" method as the job holds it.
struct SumRun {
    explicit SumRun(uint32_t n)
        : n(n)
        , window(n + 16, 0.0)
    {
        dsp::WindowTerms terms;
        EXPECT_TRUE(dsp::MakeWindow(window.data(), n, 8, terms, nullptr));
        windowSum = n * terms.terms[0];
    }
    dsp::ChannelResult measure(
        const std::vector<double>& samples, int parType, const std::string& amplitudeType = "rms") const
    {
        return dsp::ComputeSumChannel(samples.data(), window.data(), n, windowSum, parType, amplitudeType, nullptr);
    }
    uint32_t n;
    std::vector<double> window;
    double windowSum = 0;
};

std::vector<double> sine(uint32_t n, double amplitude, double cyclesPerBlock, double offset = 0.0)
{
    std::vector<double> x(n);
    for (uint32_t i = 0; i < n; ++i)
        x[i] = offset + amplitude * std::sin(2 * M_PI * cyclesPerBlock * i / n + 0.3);
    return x;
}

TEST(ChannelMeasurement, ConstantLevelIsTheDcValueByBothMethods)
{
    const uint32_t n = 4096;
    for (double level : { 1.5, -1.5 }) {
        const std::vector<double> x(n, level);
        FftRun fft(n);
        const dsp::ChannelResult byFft = fft.measure(x, dsp::kParDc);
        EXPECT_EQ(byFft.status, ChannelStatus::Ok);
        EXPECT_NEAR(byFft.DcValue, level, 1e-9);
        const dsp::ChannelResult bySum = SumRun(n).measure(x, dsp::kParDc);
        EXPECT_NEAR(bySum.DcValue, level, 1e-9);
    }
}

struct SineCase {
    std::string amplitudeType;
    double expectedAc;
};

// 1 V on bin 100 of 4096 at 40 960 Hz: 1000 Hz, 0.7071 rms, 1.0 amp; any
// other amplitude text counts as "amp".
TEST(ChannelMeasurement, SineOnABinGivesFrequencyAndAcValue)
{
    const uint32_t n = 4096;
    const std::vector<double> x = sine(n, 1.0, 100);
    FftRun fft(n);
    const SumRun sum(n);
    for (const SineCase& c : { SineCase { "rms", 0.70710678 }, SineCase { "amp", 1.0 }, SineCase { "peak", 1.0 } }) {
        const dsp::ChannelResult byFft = fft.measure(x, dsp::kParAc, c.amplitudeType);
        EXPECT_EQ(byFft.status, ChannelStatus::Ok);
        EXPECT_NEAR(byFft.Frequency, 1000.0, 1e-6) << c.amplitudeType;
        EXPECT_NEAR(byFft.AcValue, c.expectedAc, 1e-6) << c.amplitudeType;
        const dsp::ChannelResult bySum = sum.measure(x, dsp::kParAc, c.amplitudeType);
        EXPECT_NEAR(bySum.AcValue, c.expectedAc, 1e-4) << c.amplitudeType;
        EXPECT_EQ(bySum.Frequency, 0.0);
    }
}

TEST(ChannelMeasurement, AcPlusDcGivesBothAndNoFrequency)
{
    const uint32_t n = 8192;
    const std::vector<double> x = sine(n, 0.5, 300, 0.25);
    FftRun fft(n);
    const dsp::ChannelResult byFft = fft.measure(x, dsp::kParAcDc, "amp");
    EXPECT_EQ(byFft.status, ChannelStatus::Ok);
    EXPECT_NEAR(byFft.AcValue, 0.5, 1e-6);
    EXPECT_NEAR(byFft.DcValue, 0.25, 1e-6);
    EXPECT_EQ(byFft.Frequency, 0.0);
    const dsp::ChannelResult bySum = SumRun(n).measure(x, dsp::kParAcDc, "amp");
    EXPECT_NEAR(bySum.AcValue, 0.5, 1e-4);
    EXPECT_NEAR(bySum.DcValue, 0.25, 1e-6);
}

// A line between two bins: the power-weighted mean bin of its lobe still
// lands close to the true frequency.
TEST(ChannelMeasurement, FrequencyBetweenBinsIsInterpolated)
{
    const uint32_t n = 4096;
    FftRun fft(n);
    const dsp::ChannelResult r = fft.measure(sine(n, 1.0, 123.4), dsp::kParAc, "amp", 40960.0);
    EXPECT_EQ(r.status, ChannelStatus::Ok);
    EXPECT_NEAR(r.Frequency, 1234.0, 1.0);
    EXPECT_NEAR(r.AcValue, 1.0, 0.01);
}

TEST(ChannelMeasurement, AllZeroSamplesAreNoSignalInFftAndZeroInSum)
{
    const uint32_t n = 4096;
    const std::vector<double> zeros(n, 0.0);
    FftRun fft(n);
    EXPECT_EQ(fft.measure(zeros, dsp::kParAc).status, ChannelStatus::NoSignal);
    EXPECT_EQ(fft.measure(zeros, dsp::kParAcDc).status, ChannelStatus::NoSignal);
    const dsp::ChannelResult bySum = SumRun(n).measure(zeros, dsp::kParAcDc);
    EXPECT_EQ(bySum.status, ChannelStatus::Ok);
    EXPECT_EQ(bySum.AcValue, 0.0);
    EXPECT_EQ(bySum.DcValue, 0.0);
    EXPECT_STREQ(dsp::kNoSignalMessage, "Опаньки!!! Судя по всему на вход модуля не был подан сигнал!!!");
}

TEST(ChannelMeasurement, NotANumberIsNoSignal)
{
    const uint32_t n = 1024;
    std::vector<double> x = sine(n, 1.0, 50);
    x[10] = std::nan("");
    FftRun fft(n);
    EXPECT_EQ(fft.measure(x, dsp::kParAc).status, ChannelStatus::NoSignal);
}

// N = 16: N/2 = 8 is not above the lobe half width, so no bin is searched.
TEST(ChannelMeasurement, SixteenSamplesHaveNoPeakAndNoSignal)
{
    const uint32_t n = 16;
    FftRun fft(n);
    const std::vector<double> x = sine(n, 1.0, 3, 0.5);
    EXPECT_EQ(fft.analyser.FindPeakBin(fft.spectrum.data()), -1);
    EXPECT_EQ(fft.measure(x, dsp::kParAc).status, ChannelStatus::NoSignal);
    // The DC lobe stays inside the amplitude spectrum: a constant is still measured.
    const dsp::ChannelResult dc = fft.measure(std::vector<double>(n, 0.75), dsp::kParDc);
    EXPECT_EQ(dc.status, ChannelStatus::Ok);
    EXPECT_NEAR(dc.DcValue, 0.75, 1e-9);
}

TEST(SpectrumAnalyser, PeakTieGoesToTheLowerBin)
{
    dsp::SpectrumAnalyser analyser(64);
    std::vector<double> window(64);
    ASSERT_TRUE(analyser.MakeWindow(window.data()));
    std::vector<double> spectrum(64, 0.0);
    spectrum[20] = 3.0;
    spectrum[12] = 3.0;
    spectrum[25] = 2.0;
    spectrum[5] = 9.0; // below the first searched bin
    spectrum[40] = 9.0; // above N/2 - 1
    EXPECT_EQ(analyser.FindPeakBin(spectrum.data()), 12);
}

TEST(SpectrumAnalyser, StepsRefuseMissingBuffersAndZeroLength)
{
    dsp::SpectrumAnalyser empty(0);
    std::vector<double> a(32, 1.0), b(32, 1.0);
    EXPECT_FALSE(empty.Transform(a.data(), b.data()));
    EXPECT_FALSE(empty.AmplitudeSpectrum(a.data()));
    dsp::SpectrumAnalyser analyser(32);
    EXPECT_FALSE(analyser.Transform(nullptr, b.data()));
    EXPECT_FALSE(analyser.AmplitudeSpectrum(nullptr));
    EXPECT_EQ(a[0], 1.0);
}

TEST(SpectrumAnalyser, TheEngineTransformsAtTheAnalysersLengthAndHonoursItsAbortFlag)
{
    std::atomic<bool> abort { false };
    dsp::SpectrumAnalyser analyser(1024, &abort);
    EXPECT_EQ(analyser.Length(), 1024u);
    std::vector<double> x(1024, 1.0), f(1024);
    EXPECT_TRUE(analyser.Transform(f.data(), x.data()));
    EXPECT_EQ(f[0], 1024.0);
    abort = true;
    EXPECT_FALSE(analyser.Transform(f.data(), x.data()));
}

TEST(ChannelMeasurement, RaisedFlagAbandonsTheFftMethod)
{
    std::atomic<bool> abort { false };
    FftRun fft(1u << 14, &abort);
    abort = true;
    EXPECT_EQ(fft.measure(sine(1u << 14, 1.0, 100), dsp::kParAc).status, ChannelStatus::Aborted);
}

} // namespace
