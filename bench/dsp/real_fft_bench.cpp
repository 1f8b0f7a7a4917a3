// RealFft against FFTW r2c (FFTW_MEASURE), side by side for every length, so
// both see the same machine load. Compare the pairs, not single figures.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "dsp/real_fft.h"
#include "fftw_reference.h"

namespace {

void fillRandom(double* x, uint32_t n)
{
    std::mt19937_64 random(n);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    for (uint32_t i = 0; i < n; ++i)
        x[i] = sample(random);
}

void realFft(benchmark::State& state, uint32_t n)
{
    dsp::RealFft fft(n);
    std::vector<double> in(n + 16), out(n + 16);
    fillRandom(in.data(), n);
    for (auto _ : state) {
        fft.forward(out.data(), in.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t { n });
}

void fftwR2c(benchmark::State& state, uint32_t n)
{
    double* in = bench::fftwDoubles(n);
    double* out = bench::fftwDoubles(n + 2);
    {
        bench::FftwR2c plan(n, in, out);
        fillRandom(in, n);
        for (auto _ : state) {
            plan.execute();
            benchmark::DoNotOptimize(out);
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t { n });
    bench::fftwFree(in);
    bench::fftwFree(out);
}

const bool registered = [] {
    for (int bits = 10; bits <= 24; ++bits) {
        const uint32_t n = uint32_t { 1 } << bits;
        const std::string suffix = "/2^" + std::to_string(bits);
        benchmark::RegisterBenchmark(("RealFft" + suffix).c_str(), realFft, n)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("FftwR2c" + suffix).c_str(), fftwR2c, n)->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
