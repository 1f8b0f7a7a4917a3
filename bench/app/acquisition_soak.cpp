// Soak of the multimeter job. The window drives acquisition on the simulated
// library at its top rate (10 MHz) with method "fft" and a block at the cap of
// 2^24 samples: four channels give FFTs of 2^22 points, one channel an FFT of
// 2^24 points. The job is started and stopped again and again; two stops in
// three land in the middle of the block's FFTs, the others while it is read.
//
//   build/bin/acquisition_soak [--cycles=N] [Google Benchmark flags]
//
// Counters: the worst and mean time from the stop request until the page is
// idle (AcquisitionIdle raised) and until the stop handler returned, the
// resident memory after the first and after the last cycle and its growth,
// and how many stops landed in the FFT and in a read. The run fails when a
// stop takes longer than 100 ms until idle or the memory grows more than
// 16 MB, when the job shows a message, or when no stop landed in the FFT.
#include "mainform.h"
#include "soak_cycle.h"
#include "support/acquisition_window.h"
#include "support/message_recorder.h"
#include "support/offscreen_platform.h"
#include "support/sim_access.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr int kSlot = 3;
constexpr double kTopRateHz = 10.0e6;
// Longer than any block at the top rate, so the block is sized by the cap.
constexpr double kAcquisitionSeconds = 2.0;
// A block of 1.68 s at 10 MHz is read in about 170 ms.
constexpr double kTimeScale = 10.0;
constexpr double kStopBudgetMs = 100.0;
constexpr double kGrowthMarginMb = 16.0;
// Where in the block's computation the FFT stops land, as parts of its length.
constexpr std::array<double, 4> kComputeFractions { 0.2, 0.4, 0.6, 0.8 };
// How long into a block's read the read stops land.
constexpr std::array<double, 4> kReadDelaysMs { 0.0, 30.0, 60.0, 90.0 };

// VmRSS of /proc/self/status in megabytes; 0 when it cannot be read.
double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0.0;
}

// Every channel on the ±3 V range, measuring AC (amplitude and frequency),
// each fed a sine of its own frequency.
void setUpChannels(TMainForm& form, modlink_sim::SimControl& sim, int channels)
{
    for (int c = 0; c < 4; ++c) {
        acquisition_window::setChannel(form, c, c < channels, 0, 0, 1);
        modlink_sim::ChannelSignal signal;
        signal.dc = 0.1;
        signal.amplitude = 0.5 + 0.25 * c;
        signal.frequencyHz = 1000.0 * (c + 1);
        signal.noiseRms = 0.0003;
        sim.setSignal(kSlot, c, signal);
    }
    acquisition_window::setMeasurement(
        form, QStringLiteral("fft"), kAcquisitionSeconds, QStringLiteral("rms"), QStringLiteral("volt"), kTopRateHz);
}

struct Figures {
    int cycles = 0;
    double worstIdleMs = 0.0;
    double totalIdleMs = 0.0;
    double worstReturnMs = 0.0;
    double totalReturnMs = 0.0;
    int fftStops = 0;
    int readStops = 0;

    void add(soak::StopPoint point, const soak::CycleResult& result)
    {
        ++cycles;
        worstIdleMs = std::max(worstIdleMs, result.stopToIdleMs);
        totalIdleMs += result.stopToIdleMs;
        worstReturnMs = std::max(worstReturnMs, result.stopToReturnMs);
        totalReturnMs += result.stopToReturnMs;
        if (result.landed)
            ++(point == soak::StopPoint::InTheFft ? fftStops : readStops);
    }
};

std::string describe(const Figures& figures, double rssFirst, double rssLast)
{
    char text[256];
    std::snprintf(text, sizeof text,
        "%d cycles; stop to idle worst %.1f ms, mean %.1f ms; RSS %.1f MB -> %.1f MB; %d stops in the FFT",
        figures.cycles, figures.worstIdleMs, figures.totalIdleMs / std::max(figures.cycles, 1), rssFirst, rssLast,
        figures.fftStops);
    return text;
}

void AcquisitionSoak(benchmark::State& state, int cycles)
{
    const int channels = static_cast<int>(state.range(0));
    QString problem;
    modlink_sim::SimControl* sim = loadSimControl(&problem);
    if (!sim || !acquisition_window::putModule(*sim, kSlot, kTimeScale)) {
        state.SkipWithError(sim ? "the simulated module cannot be put in its slot" : qPrintable(problem));
        return;
    }
    QTemporaryDir settingsDirectory;
    MessageRecorder recorder;
    TMainForm form(openSimulatedLibrary(), settingsDirectory.path());
    if (!acquisition_window::makeModuleReady(form, kSlot)) {
        state.SkipWithError("the simulated module cannot be opened");
        return;
    }
    setUpChannels(form, *sim, channels);
    const soak::CycleSetup setup { &form, sim, kSlot };

    for (auto _ : state) {
        Figures figures;
        std::string error;
        soak::CycleResult result;
        double computeMs = 0.0;
        bool ok = soak::calibrationCycle(setup, &computeMs, &result, &error);
        figures.add(soak::StopPoint::WhileReading, result);
        const double rssFirst = residentMegabytes();
        for (int i = 1; ok && i < cycles && recorder.empty(); ++i) {
            const auto point = i % 3 == 0 ? soak::StopPoint::WhileReading : soak::StopPoint::InTheFft;
            const size_t step = static_cast<size_t>(i) % kComputeFractions.size();
            const double delayMs
                = point == soak::StopPoint::InTheFft ? computeMs * kComputeFractions[step] : kReadDelaysMs[step];
            result = soak::CycleResult {};
            ok = soak::cycle(setup, point, delayMs, &result, &error);
            figures.add(point, result);
        }
        const double rssLast = residentMegabytes();

        state.counters["cycles"] = figures.cycles;
        state.counters["fft_points"] = static_cast<double>((1u << 24) / channels);
        state.counters["block_compute_ms"] = computeMs;
        state.counters["stop_to_idle_worst_ms"] = figures.worstIdleMs;
        state.counters["stop_to_idle_mean_ms"] = figures.totalIdleMs / std::max(figures.cycles, 1);
        state.counters["stop_return_worst_ms"] = figures.worstReturnMs;
        state.counters["stop_return_mean_ms"] = figures.totalReturnMs / std::max(figures.cycles, 1);
        state.counters["rss_first_MB"] = rssFirst;
        state.counters["rss_last_MB"] = rssLast;
        state.counters["rss_growth_MB"] = rssLast - rssFirst;
        state.counters["fft_stops"] = figures.fftStops;
        state.counters["read_stops"] = figures.readStops;

        const std::string summary = describe(figures, rssFirst, rssLast);
        if (!ok)
            error = "cycle " + std::to_string(figures.cycles) + ": " + error;
        else if (!recorder.empty())
            error = "the job showed a message: " + recorder.texts().join(QStringLiteral(" / ")).toStdString();
        else if (figures.worstIdleMs > kStopBudgetMs)
            error = "a stop took longer than 100 ms until idle";
        else if (rssLast - rssFirst > kGrowthMarginMb)
            error = "resident memory grew by more than 16 MB";
        else if (figures.fftStops == 0)
            error = "no stop landed in the FFT";
        if (!error.empty()) {
            state.SkipWithError((error + " (" + summary + ")").c_str());
            break;
        }
    }
}

// Takes --cycles=N out of the arguments; 20 without it, 0 when it is not a
// number of at least 2.
int takeCycles(int& argc, char** argv)
{
    int cycles = 20;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--cycles=", 9) == 0) {
            char* end = nullptr;
            const long value = std::strtol(argv[i] + 9, &end, 10);
            cycles = (*end == '\0' && value >= 2 && value <= 100000) ? static_cast<int>(value) : 0;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return cycles;
}

} // namespace

int main(int argc, char** argv)
{
    const int cycles = takeCycles(argc, argv);
    if (cycles == 0) {
        std::fprintf(stderr, "--cycles takes a whole number from 2 to 100000\n");
        return 1;
    }
    OffscreenPlatform platform;
    if (!platform.ready())
        return 2;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("AcquisitionSoak", AcquisitionSoak, cycles)
        ->ArgName("channels")
        ->Arg(4)
        ->Arg(1)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
