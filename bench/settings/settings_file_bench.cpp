// A settings file of 20 MB: the default file with lines of garbage appended,
// as a user's editor or a broken copy might leave it. The program reads it at
// every module search and saves it on the user-interface thread, so each must
// take well under a second: the budget is 1 s each, with memory under 5 times
// the file's size. A run over either budget is labelled so, and the program
// then exits with 1.
//
// "read": open the file and read every key the module search reads.
// "save": open the file anew, write the keys a save writes, flush.
// worst_cpu_s: the processor time of the slowest run, which the budget is
// held to; worst_wall_s: its time on the clock, which on a busy machine also
// holds the waits for a processor and for the disk (the save syncs 20 MB).
// memory_x_file: the peak resident memory the operation added, over the
// file's size.

#include "settings/default_settings.h"
#include "settings/ini_file.h"
#include "settings/input_ranges.h"
#include "settings/setting_access.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr qint64 kFileSize = 20 * 1024 * 1024;
constexpr double kSecondsBudget = 1.0;
constexpr double kMemoryBudget = 5.0;
// Set by a run over either budget; the program then exits with 1.
bool overBudget = false;

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// Starts a new peak: the peak resident size is reset to the current one.
void resetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

const QString& benchFile()
{
    static QTemporaryDir directory;
    static const QString path = [] {
        const QString file = directory.filePath(QStringLiteral("Zentrix.ini"));
        settings::IniFile defaults(file);
        settings::WriteDefaultAppSettings(defaults);
        settings::WriteDefaultModuleSettings(defaults);
        defaults.flush();

        // Printable ASCII, Windows-1251 letters and the INI's own marks, so
        // many garbage lines look like entries.
        const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789 .,=[];\t\xC0\xC1\xC2\xE0\xE1\xE2\xFF";
        std::mt19937 random(4705);
        QByteArray garbage;
        garbage.reserve(kFileSize);
        const qint64 defaultsSize = QFile(file).size();
        while (defaultsSize + garbage.size() < kFileSize) {
            // A letter first, so no garbage line starts a section: all of it
            // lies in the last section of the file, the module's.
            garbage += char('a' + random() % 26);
            const int length = 20 + int(random() % 100);
            for (int i = 0; i < length; ++i)
                garbage += alphabet[random() % (sizeof alphabet - 1)];
            garbage += "\r\n";
        }
        QFile out(file);
        out.open(QIODevice::Append);
        out.write(garbage);
        return file;
    }();
    return path;
}

void readEverySearchKey(const settings::IniFile& file)
{
    using namespace settings;
    benchmark::DoNotOptimize(read(file, PldLoadSourceKey));
    benchmark::DoNotOptimize(read(file, ModuleSerialNumberKey));
    benchmark::DoNotOptimize(read(file, MainPanelTopKey));
    benchmark::DoNotOptimize(read(file, MainPanelLeftKey));
    benchmark::DoNotOptimize(read(file, AutoSaveSettingsKey));
    benchmark::DoNotOptimize(read(file, ComputationMethodKey));
    benchmark::DoNotOptimize(read(file, AmplitudeTypeKey));
    benchmark::DoNotOptimize(read(file, AmplitudeKindKey));
    benchmark::DoNotOptimize(read(file, MaxAcquisitionTimeKey));
    benchmark::DoNotOptimize(read(file, AdcRateKey));
    benchmark::DoNotOptimize(read(file, CoeffsLoadSourceKey));
    benchmark::DoNotOptimize(read(file, GroupChannelControlKey));
    benchmark::DoNotOptimize(read(file, GroupInputRangeKey));
    benchmark::DoNotOptimize(read(file, GroupConnectionModeKey));
    benchmark::DoNotOptimize(read(file, GroupParTypeKey));
    for (int channel = 1; channel <= 4; ++channel) {
        benchmark::DoNotOptimize(read(file, ChannelEnabledKey, channelKeyName(ChannelEnabledKey.key, channel)));
        benchmark::DoNotOptimize(read(file, ChannelInputRangeKey, channelKeyName(ChannelInputRangeKey.key, channel)));
        benchmark::DoNotOptimize(
            read(file, ChannelConnectionModeKey, channelKeyName(ChannelConnectionModeKey.key, channel)));
        benchmark::DoNotOptimize(read(file, ChannelParTypeKey, channelKeyName(ChannelParTypeKey.key, channel)));
    }
    for (int range = 0; range < kInputRangeCount; ++range) {
        benchmark::DoNotOptimize(read(file, DcPrecisionKey, precisionKeyName(DcPrecisionKey, range)));
        benchmark::DoNotOptimize(read(file, AcPrecisionKey, precisionKeyName(AcPrecisionKey, range)));
        benchmark::DoNotOptimize(read(file, FrPrecisionKey, precisionKeyName(FrPrecisionKey, range)));
    }
    for (int dac = 1; dac <= 2; ++dac)
        benchmark::DoNotOptimize(read(file, DacAmplitudeKey, dacAmplitudeKeyName(dac)));
}

bool writeEverySavedKey(settings::IniFile& file, int round)
{
    using namespace settings;
    bool ok = write(file, AutoSaveSettingsKey, round % 2 == 0) && write(file, MainPanelTopKey, round)
        && write(file, MainPanelLeftKey, round) && write(file, ModuleSerialNumberKey, QStringLiteral("SIM00001"))
        && write(file, AdcRateKey, 500.0) && write(file, GroupChannelControlKey, true)
        && write(file, GroupInputRangeKey, 0) && write(file, GroupConnectionModeKey, 1)
        && write(file, GroupParTypeKey, 2);
    for (int channel = 1; ok && channel <= 4; ++channel) {
        ok = write(file, ChannelEnabledKey, true, channelKeyName(ChannelEnabledKey.key, channel))
            && write(file, ChannelInputRangeKey, 0, channelKeyName(ChannelInputRangeKey.key, channel))
            && write(file, ChannelConnectionModeKey, 1, channelKeyName(ChannelConnectionModeKey.key, channel))
            && write(file, ChannelParTypeKey, 2, channelKeyName(ChannelParTypeKey.key, channel));
    }
    for (int dac = 1; ok && dac <= 2; ++dac)
        ok = write(file, DacAmplitudeKey, 1.25, dacAmplitudeKeyName(dac));
    return ok && file.flush();
}

template <typename Operation> void measure(benchmark::State& state, Operation operation)
{
    const QString& path = benchFile();
    const double fileBytes = double(QFile(path).size());
    double worstCpuSeconds = 0;
    double worstWallSeconds = 0;
    double worstMemory = 0;
    int round = 0;
    for (auto _ : state) {
        const long residentBefore = statusKiB("VmRSS:");
        resetPeakResident();
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        if (!operation(path, round++)) {
            state.SkipWithError("the settings file could not be read or saved");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        worstWallSeconds = std::max(worstWallSeconds, took.count());
        worstCpuSeconds = std::max(worstCpuSeconds, double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        worstMemory = std::max(worstMemory, (statusKiB("VmHWM:") - residentBefore) * 1024.0 / fileBytes);
    }
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["worst_cpu_s"] = worstCpuSeconds;
    state.counters["worst_wall_s"] = worstWallSeconds;
    state.counters["memory_x_file"] = worstMemory;
    state.SetBytesProcessed(int64_t(state.iterations() * fileBytes));
    if (worstCpuSeconds > kSecondsBudget || worstMemory > kMemoryBudget) {
        state.SetLabel("OVER BUDGET: 1 s, 5 times the file's size");
        overBudget = true;
    }
}

void BM_ReadSettingsFile(benchmark::State& state)
{
    measure(state, [](const QString& path, int) {
        const settings::IniFile file(path);
        readEverySearchKey(file);
        return file.isLoaded();
    });
}

void BM_SaveSettingsFile(benchmark::State& state)
{
    measure(state, [](const QString& path, int round) {
        settings::IniFile file(path);
        return writeEverySavedKey(file, round);
    });
}

BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SaveSettingsFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return overBudget ? 1 : 0;
}
