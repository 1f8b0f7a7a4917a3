// The whole per-channel computations of one block. "fft": window, transform,
// amplitude spectrum, peak and lobe sums, once with RealFft and once with
// FFTW r2c doing the transform (everything else the same code). "sum": the
// one-pass weighted sums, in samples per second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "dsp/channel_measurement.h"
#include "dsp/simd.h"
#include "dsp/weighted_sums.h"
#include "fftw_reference.h"

namespace {

constexpr uint32_t kFftChannelLength = uint32_t { 1 } << 22;
constexpr double kKadrRateHz = 100000.0;

std::vector<double> testSignal(uint32_t n)
{
    std::vector<double> x(n + 16, 0.0);
    for (uint32_t i = 0; i < n; ++i)
        x[i] = 0.1 + 0.8 * std::sin(2 * M_PI * 1234.5 * i / n) + 0.001 * std::sin(0.37 * i * i);
    return x;
}

// |X_k| / (N/2) from FFTW's interleaved r2c output, compiled like the
// analyser's own amplitude step.
ZX_DSP_CLONES void fftwMagnitudes(double* f, const double* c, uint32_t n)
{
    const uint32_t half = n / 2;
    const double scale = 1.0 / half;
    f[0] = c[0] / n;
    for (uint32_t k = 1; k < half; ++k)
        f[k] = std::sqrt(c[2 * k] * c[2 * k] + c[2 * k + 1] * c[2 * k + 1]) * scale;
}

void fftChannelWithRealFft(benchmark::State& state)
{
    const uint32_t n = kFftChannelLength;
    dsp::SpectrumAnalyser analyser(n);
    std::vector<double> window(n + 16, 0.0), spectrum(n + 16, 0.0), samples(n + 16);
    analyser.MakeWindow(window.data());
    const double gain = dsp::WindowPowerGain(analyser.Terms());
    const std::vector<double> signal = testSignal(n);
    for (auto _ : state) {
        state.PauseTiming();
        samples = signal;
        state.ResumeTiming();
        benchmark::DoNotOptimize(dsp::ComputeFftChannel(
            analyser, samples.data(), spectrum.data(), window.data(), dsp::kParAcDc, "rms", kKadrRateHz, gain));
    }
    state.SetItemsProcessed(state.iterations() * int64_t { n });
}

void fftChannelWithFftw(benchmark::State& state)
{
    const uint32_t n = kFftChannelLength;
    dsp::SpectrumAnalyser analyser(n);
    std::vector<double> window(n + 16, 0.0), spectrum(n + 16, 0.0);
    analyser.MakeWindow(window.data());
    const double gain = dsp::WindowPowerGain(analyser.Terms());
    const std::vector<double> signal = testSignal(n);
    double* samples = bench::fftwDoubles(n + 16);
    double* transform = bench::fftwDoubles(n + 2);
    {
        bench::FftwR2c plan(n, samples, transform);
        for (auto _ : state) {
            state.PauseTiming();
            std::copy(signal.begin(), signal.end(), samples);
            state.ResumeTiming();
            analyser.ApplyWindow(samples, window.data());
            plan.execute();
            fftwMagnitudes(spectrum.data(), transform, n);
            benchmark::DoNotOptimize(
                dsp::MeasureAmplitudeSpectrum(analyser, spectrum.data(), dsp::kParAcDc, "rms", kKadrRateHz, gain));
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t { n });
    bench::fftwFree(samples);
    bench::fftwFree(transform);
}

void sumChannel(benchmark::State& state)
{
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    std::vector<double> window(n + 16, 0.0);
    dsp::WindowTerms terms;
    dsp::MakeWindow(window.data(), n, dsp::kCosineSum9Window, terms, nullptr);
    const std::vector<double> samples = testSignal(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(dsp::ComputeSumChannel(
            samples.data(), window.data(), n, n * terms.terms[0], dsp::kParAcDc, "rms", nullptr));
    state.SetItemsProcessed(state.iterations() * int64_t { n });
}

// The memory-speed reference for the "sum" method: the plainest pass over the
// same two arrays (one add per sample).
ZX_DSP_CLONES double sumOfBoth(const double* x, const double* w, uint32_t n)
{
    double total[8] = {};
    for (uint32_t i = 0; i + 8 <= n; i += 8)
        for (int lane = 0; lane < 8; ++lane)
            total[lane] += x[i + lane] + w[i + lane];
    return total[0] + total[1] + total[2] + total[3] + total[4] + total[5] + total[6] + total[7];
}

void readBothArrays(benchmark::State& state)
{
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    const std::vector<double> window(n + 16, 0.5), samples = testSignal(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(sumOfBoth(samples.data(), window.data(), n));
    state.SetItemsProcessed(state.iterations() * int64_t { n });
}

// Built once per run, before the first block.
void makeWindow(benchmark::State& state)
{
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    std::vector<double> window(n + 16, 0.0);
    dsp::WindowTerms terms;
    for (auto _ : state)
        benchmark::DoNotOptimize(dsp::MakeWindow(window.data(), n, dsp::kCosineSum9Window, terms, nullptr));
    state.SetItemsProcessed(state.iterations() * int64_t { n });
}

} // namespace

BENCHMARK(fftChannelWithRealFft)->Unit(benchmark::kMillisecond);
BENCHMARK(fftChannelWithFftw)->Unit(benchmark::kMillisecond);
BENCHMARK(sumChannel)->Arg(1 << 16)->Arg(1 << 22)->Arg(1 << 24)->Unit(benchmark::kMicrosecond);
BENCHMARK(makeWindow)->Arg(1 << 22)->Unit(benchmark::kMillisecond);
BENCHMARK(readBothArrays)->Arg(1 << 16)->Arg(1 << 22)->Arg(1 << 24)->Unit(benchmark::kMicrosecond);
