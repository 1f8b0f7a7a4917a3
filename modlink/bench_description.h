#pragma once
// What the simulated bus holds when it starts or is reset: the modules in
// their slots, the input signal of every channel, the time scale and the DAC
// loopback. The defaults make a bench that looks alive on the multimeter page;
// a bench file may replace them.

#include "sim_control.h"

#include <string>

namespace modlink_sim {

// Where the modules keep their flash between runs.
enum class StateKeeping {
    DefaultFolder, // $XDG_STATE_HOME/zentrix-sim, else ~/.local/state/zentrix-sim
    Folder, // the folder named by the bench
    None, // in memory only, lost with the process
};

struct BenchModule {
    bool present = false;
    ModuleConfig config;
    ChannelSignal inputs[kChannelCount];
};

struct BenchDescription {
    BenchModule modules[kSlotCount];
    double timeScale = 1.0;
    bool loopback = false;
    StateKeeping stateKeeping = StateKeeping::DefaultFolder;
    std::string stateFolder; // absolute, with StateKeeping::Folder only
};

// Accepted limits of the bench values, shared by the bench file and the
// control interface.
constexpr double kMinTimeScale = 1e-3;
constexpr double kMaxTimeScale = 1e9;
constexpr double kMaxSignalVolts = 100.0;
constexpr double kMaxSignalFrequencyHz = 1e8;

// Two modules, in slots 2 and 5, with the default signals.
BenchDescription defaultBench();
// The configuration of a module put into `slot` when nothing else is said:
// revision B, industrial grades, high speed, DAC outputs, a serial of its own.
ModuleConfig defaultModuleConfig(int slot);
// Channel 1: 1 kHz sine of 1 V; channel 2: steady 1.5 V; channel 3: 50 Hz
// sine of 0.2 V on 0.1 V; channel 4: noise only.
void defaultSignals(ChannelSignal inputs[kChannelCount]);
// A signal the simulated input can carry: finite, non-negative amplitude,
// frequency and noise, levels within the limits above.
bool isValidSignal(const ChannelSignal& signal);
// Copies at most `capacity - 1` characters of `text` and terminates.
void copyText(char* destination, int capacity, const char* text);

} // namespace modlink_sim
