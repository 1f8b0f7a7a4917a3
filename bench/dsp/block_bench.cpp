// The whole computing step of one acquisition block at the top rate: 10 MHz
// over four channels, from the raw interleaved codes of the read buffer to
// the four channels' values, through the function the acquisition job calls
// (dsp::MeasureBlock) with the buffers the job prepares. Methods "fft" and
// "sum", for T = 0.5 s and T = 1 s, sized by the job's own rule.
//
//   build-bench/bin/block_bench --benchmark_repetitions=5
//
// The last lines give, per case in the order of the table, the median wall
// time of the step against the block's acquisition time (N / frame rate);
// the goal is at most 10 %. The CPU column counts both threads of the step.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dsp/block_step.h"
#include "threads/acquisition_sizing.h"

namespace {

constexpr double kAdcRateHz = 10.0e6;
constexpr uint32_t kChannels = 4;
constexpr double kKadrRateHz = kAdcRateHz / kChannels;
constexpr double kVoltsPerCode = 3.0 * 0.000125; // the ±3.0 V range
constexpr int32_t kParTypes[kChannels] = { dsp::kParAc, dsp::kParAcDc, dsp::kParDc, dsp::kParAc };

// Codes as the module gives them: per channel a DC level, a sine of its own
// and a little noise, quantised and clipped to the 14-bit code range.
std::vector<int16_t> benchCodes(uint32_t samplesPerChannel)
{
    std::vector<int16_t> codes(size_t { samplesPerChannel } * kChannels);
    std::mt19937_64 random(2026);
    std::normal_distribution<double> noise(0.0, 0.0003);
    for (uint32_t k = 0; k < samplesPerChannel; ++k)
        for (uint32_t c = 0; c < kChannels; ++c) {
            const double t = k / kKadrRateHz;
            const double volts = 0.1 + (0.5 + 0.25 * c) * std::sin(2 * M_PI * 1000.0 * (c + 1) * t) + noise(random);
            const double code = std::clamp(std::round(volts / kVoltsPerCode), -8192.0, 8191.0);
            codes[size_t { k } * kChannels + c] = static_cast<int16_t>(code);
        }
    return codes;
}

// The buffers and analysers of one run, as the job prepares them.
struct Run {
    Run(acquisition::Method method, uint32_t n)
        : window(n + 16, 0.0)
    {
        measurement.fft = method == acquisition::Method::Fft;
        if (measurement.fft) {
            analyser = std::make_unique<dsp::SpectrumAnalyser>(n);
            analyser->MakeWindow(window.data());
            measurement.windowPowerGain = dsp::WindowPowerGain(analyser->Terms());
            twin = analyser->MakeTwin();
            for (auto* buffer : { &samples, &spectrum, &twinSamples, &twinSpectrum })
                buffer->assign(n + 16, 0.0);
        } else {
            dsp::WindowTerms terms;
            dsp::MakeWindow(window.data(), n, dsp::kCosineSum9Window, terms, nullptr);
            measurement.windowSum = n * terms.terms[0];
        }
        measurement.window = window.data();
        measurement.kadrRateHz = kKadrRateHz;
        measurement.amplitudeType = "rms";
        for (uint32_t c = 0; c < kChannels; ++c) {
            measurement.position[c] = static_cast<int16_t>(c);
            measurement.parType[c] = kParTypes[c];
        }
        measurement.checked = checked;
    }

    dsp::BlockResults measure(const dsp::InterleavedBlock& block) const
    {
        const dsp::ChannelWorkspace first { analyser.get(), samples.data(), spectrum.data() };
        const dsp::ChannelWorkspace second { twin.get(), twinSamples.data(), twinSpectrum.data() };
        return dsp::MeasureBlock(block, measurement, first, twin ? &second : nullptr);
    }

    std::vector<double> window;
    std::unique_ptr<dsp::SpectrumAnalyser> analyser, twin;
    mutable std::vector<double> samples, spectrum, twinSamples, twinSpectrum;
    std::atomic<bool> checked[kChannels] { true, true, true, true };
    dsp::BlockMeasurement measurement;
};

struct Case {
    std::string name;
    acquisition::Method method;
    double seconds;
    double acquisitionMs = 0.0;
};

std::vector<Case>& cases()
{
    static std::vector<Case> list;
    return list;
}

void blockStep(benchmark::State& state, acquisition::Method method, double seconds)
{
    const acquisition::BlockSize size = acquisition::SizeBlock(method, seconds, kKadrRateHz, kChannels);
    const auto n = static_cast<uint32_t>(size.samplesPerChannel);
    const std::vector<int16_t> codes = benchCodes(n);
    const Run run(method, n);
    dsp::InterleavedBlock block;
    block.codes = codes.data();
    block.channelCount = kChannels;
    block.samplesPerChannel = n;
    block.scale.fill(kVoltsPerCode);
    for (auto _ : state) {
        const dsp::BlockResults results = run.measure(block);
        benchmark::DoNotOptimize(results);
        if (results.channels[0].status != dsp::ChannelStatus::Ok)
            state.SkipWithError("channel 0 was not measured");
    }
    state.counters["N"] = n;
    state.counters["block_ms"] = 1000.0 * n / kKadrRateHz;
    state.SetItemsProcessed(state.iterations() * int64_t { n } * kChannels);
}

// Collects the wall time of every run per case (or the median alone when
// only aggregates are reported), besides the usual table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration)
                times[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
            else if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, double> medians;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

} // namespace

int main(int argc, char** argv)
{
    for (acquisition::Method method : { acquisition::Method::Fft, acquisition::Method::Sum })
        for (double seconds : { 0.5, 1.0 }) {
            const char* methodName = method == acquisition::Method::Fft ? "fft" : "sum";
            const acquisition::BlockSize size = acquisition::SizeBlock(method, seconds, kKadrRateHz, kChannels);
            Case c { std::string("BlockStep/") + methodName + "/T=" + (seconds < 1 ? "0.5" : "1") + "s", method,
                seconds, 1000.0 * size.samplesPerChannel / kKadrRateHz };
            benchmark::RegisterBenchmark(c.name.c_str(), blockStep, method, seconds)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
            cases().push_back(c);
        }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::vector<std::pair<const Case*, double>> measured;
    for (const Case& c : cases()) {
        const auto found = reporter.times.find(c.name);
        if (found != reporter.times.end() && !found->second.empty())
            measured.emplace_back(&c, median(found->second));
        else if (reporter.medians.count(c.name) != 0)
            measured.emplace_back(&c, reporter.medians[c.name]);
    }
    std::printf("\nMedian wall time of the block step, one line per case:");
    for (const auto& [c, ms] : measured)
        std::printf(" %s", c->name.c_str());
    std::printf("\n");
    for (const auto& [c, ms] : measured)
        std::printf("block step: %.1f ms for %.1f ms of acquisition (%.1f %%)\n", ms, c->acquisitionMs,
            100.0 * ms / c->acquisitionMs);
    return 0;
}
