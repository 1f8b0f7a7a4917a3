// Benchmarks of the simulated device library. Run by hand:
//   build/bin/modlink_bench
// RealTimeStream reports cpu_fraction_of_one_core: the process CPU time over
// the wall time while a consumer keeps two 0.1 s requests in flight, polling
// every 20 ms as the acquisition job does, at 10 MHz over four channels.
#include "device/module_api.h"
#include "module_identity.h"
#include "platform/overlapped.h"
#include "sample_generator.h"
#include "sim_control.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const double kTopRateKHz = 10000.0;
const int kChannels = 4;

struct Library {
    GetModuleInterfaceFn getInterface = nullptr;
    modlink_sim::SimControl* control = nullptr;
};

// The library beside this program, loaded as the program loads it.
Library loadLibrary()
{
    char self[4096] = {};
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string folder(self, length > 0 ? static_cast<size_t>(length) : 0);
    folder = folder.substr(0, folder.rfind('/') + 1);
    void* handle = dlopen((folder + "libModlink.so").c_str(), RTLD_NOW);
    Library library;
    if (!handle)
        return library;
    library.getInterface = reinterpret_cast<GetModuleInterfaceFn>(dlsym(handle, "GetModuleInterface"));
    auto control = reinterpret_cast<ModlinkSimControlFn>(dlsym(handle, "ModlinkSimControl"));
    library.control = control ? control() : nullptr;
    return library;
}

double processCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

AdcParameters topRateParameters()
{
    AdcParameters p;
    std::memset(&p, 0, sizeof p);
    p.RevisionFlag = 1;
    p.ChannelCount = kChannels;
    for (int c = 0; c < kChannels; ++c) {
        p.ChannelTable[c] = static_cast<uint16_t>(c);
        for (int r = 0; r < 3; ++r)
            p.AdcScaleCoefs[r][c] = 1.0;
    }
    p.AdcRate = kTopRateKHz;
    return p;
}

struct Request {
    std::vector<int16_t> buffer;
    platform::Overlapped overlapped;
    ReadRequest record {};
};

void RealTimeStream(benchmark::State& state)
{
    Library library = loadLibrary();
    if (!library.getInterface || !library.control) {
        state.SkipWithError("cannot load libModlink.so beside the benchmark");
        return;
    }
    library.control->resetToDefaults();
    library.control->setTimeScale(1.0);
    ModuleApi* api = library.getInterface(kModuleName);
    AdcParameters p = topRateParameters();
    if (!api || !api->OPEN_SLOT(2) || !api->LOAD_MODULE(nullptr) || !api->WRITE_ADC_PARAMETERS(&p)) {
        state.SkipWithError("the simulated module refused the top rate");
        return;
    }
    platform::DeviceHandle handle = api->QUERY_DEVICE_HANDLE();
    const uint32_t samplesPerRequest = static_cast<uint32_t>(0.1 * p.AdcRate * 1000.0); // 0.1 s of data
    const int requestsPerRun = static_cast<int>(state.range(0));

    double cpu = 0.0;
    double wall = 0.0;
    double samples = 0.0;
    bool failed = false;
    for (auto _ : state) {
        Request requests[2];
        for (Request& r : requests) {
            r.buffer.assign(samplesPerRequest, 0);
            r.record = ReadRequest { r.buffer.data(), samplesPerRequest, 0, &r.overlapped, 500 };
        }
        auto wait = [&](Request& r) {
            uint32_t bytes = 0;
            while (!platform::GetOverlappedResult(handle, &r.overlapped, &bytes, false)) {
                if (platform::GetLastError() != platform::kErrorIoIncomplete)
                    return false;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            return true;
        };
        double cpuStart = processCpuSeconds();
        auto wallStart = std::chrono::steady_clock::now();
        bool ok = api->SUBMIT_READ_REQUEST(&requests[0].record) && api->START_ACQUISITION();
        for (int i = 1; ok && i < requestsPerRun; ++i)
            ok = api->SUBMIT_READ_REQUEST(&requests[i % 2].record) && wait(requests[(i - 1) % 2]);
        ok = ok && wait(requests[(requestsPerRun - 1) % 2]);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cpu += processCpuSeconds() - cpuStart;
        api->STOP_ACQUISITION();
        platform::CancelIo(handle);
        failed = failed || !ok;
        samples += double(samplesPerRequest) * requestsPerRun;
    }
    api->RELEASE_INTERFACE();
    if (failed)
        state.SkipWithError("a read failed");
    state.counters["cpu_fraction_of_one_core"] = cpu / wall;
    // 1.0 when the stream kept pace with the ADC.
    state.counters["real_time_ratio"] = samples / (wall * p.AdcRate * 1000.0);
    state.counters["samples_per_second"] = samples / wall;
}
BENCHMARK(RealTimeStream)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The generator alone: four channels of sine and noise into 1 M samples.
void GenerateSamples(benchmark::State& state)
{
    modlink_sim::SampleGenerator generator;
    AdcParameters p = topRateParameters();
    p.AdcRate = kTopRateKHz;
    const char* serial = "470502879";
    generator.start(p, modlink_sim::imperfectionForSerial(serial), kTopRateKHz * 1000.0, 12.5);
    modlink_sim::ChannelSignal inputs[4]
        = { { 0, 1, 1000, 0.0003 }, { 1.5, 0, 0, 0.0003 }, { 0.1, 0.2, 50, 0.0003 }, { 0, 0, 0, 0.002 } };
    generator.setInputs(inputs);
    std::vector<int16_t> out(1u << 20);
    uint64_t first = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(generator.fill(out.data(), static_cast<uint32_t>(out.size()), first));
        first += out.size();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(out.size()));
}
BENCHMARK(GenerateSamples)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
