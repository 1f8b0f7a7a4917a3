// Any text as the simulated library's bench file: the parser either accepts
// it with every value within its limits, or reports at least one problem and
// leaves the default bench.

#include "bench_parser.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool sameBench(const modlink_sim::BenchDescription& a, const modlink_sim::BenchDescription& b)
{
    if (a.timeScale != b.timeScale || a.loopback != b.loopback || a.stateKeeping != b.stateKeeping
        || a.stateFolder != b.stateFolder)
        return false;
    for (int slot = 0; slot < modlink_sim::kSlotCount; ++slot) {
        const modlink_sim::BenchModule& x = a.modules[slot];
        const modlink_sim::BenchModule& y = b.modules[slot];
        if (x.present != y.present || std::strcmp(x.config.serial, y.config.serial) != 0
            || x.config.revision != y.config.revision || x.config.options != y.config.options)
            return false;
    }
    return true;
}

bool terminated(const char* text, size_t capacity)
{
    return std::memchr(text, 0, capacity) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    modlink_sim::BenchDescription bench;
    std::string problems;
    if (!modlink_sim::parseBenchText(text, &bench, &problems)) {
        fuzzCheck(!problems.empty(), "a refused bench says why");
        fuzzCheck(sameBench(bench, modlink_sim::defaultBench()), "a refused bench leaves the defaults");
        return 0;
    }
    fuzzCheck(bench.timeScale >= modlink_sim::kMinTimeScale && bench.timeScale <= modlink_sim::kMaxTimeScale,
        "the time scale is within its limits");
    const bool namesFolder = bench.stateKeeping == modlink_sim::StateKeeping::Folder;
    fuzzCheck(namesFolder == !bench.stateFolder.empty(), "a state folder is named exactly when it is used");
    fuzzCheck(!namesFolder || (bench.stateFolder[0] == '/' && bench.stateFolder.find('\0') == std::string::npos),
        "a state folder is an absolute path");
    for (const modlink_sim::BenchModule& module : bench.modules) {
        fuzzCheck(terminated(module.config.serial, sizeof module.config.serial), "the serial is terminated");
        fuzzCheck(terminated(module.config.firmwareVersion, sizeof module.config.firmwareVersion),
            "the firmware version is terminated");
        for (const modlink_sim::ChannelSignal& signal : module.inputs)
            fuzzCheck(modlink_sim::isValidSignal(signal), "every signal is one the input can carry");
    }
    return 0;
}
