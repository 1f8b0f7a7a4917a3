#pragma once
// The one simulated bus of the process: sixteen slots, the interfaces handed
// out over it, the library version, time scale, loopback and injected
// failures, and the service thread that completes read requests on time.
//
// One mutex guards everything. The service thread is started by the first
// acquisition and joined when the library unloads.

#include "bench_description.h"
#include "fault_table.h"
#include "sim_module.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace modlink_sim {

class SimModuleInterface;

class SimBus {
public:
    static SimBus& instance();
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    std::mutex& mutex() { return mutex_; }

    // Everything below is called with mutex() held.
    FaultTable& faults() { return faults_; }
    // The module in `slot`, or null for an empty or invalid slot.
    SimModule* module(int slot);
    // Puts `module` (may be null) into `slot`. The reads queued on the old
    // module end as cancelled and interfaces that had it open lose it. The new
    // module takes the flash and description its serial kept in the state folder.
    void replaceModule(int slot, std::unique_ptr<SimModule> module);
    void applyBench(const BenchDescription& bench);

    // The state folder from now on, over the bench's choice: "" keeps the
    // flash in memory only. The modules on the bus start again from it.
    void setStateFolder(const std::string& folder);
    // The state folder of `bench` from now on, as when the library started.
    void useBenchStateFolder(const BenchDescription& bench);
    // Writes the module's flash and description into the state folder; a
    // failure is reported and the module keeps them in memory.
    void keepState(const SimModule& module);

    SimModuleInterface* createInterface();
    void destroyInterface(SimModuleInterface* moduleInterface);
    // True when an interface other than `except` has `slot` open.
    bool openedElsewhere(int slot, const SimModuleInterface* except) const;
    // Slot of the most recent OPEN_SLOT still open, else -1.
    int mostRecentOpenSlot() const;
    uint64_t nextOpenSequence() { return ++openSequence_; }

    uint32_t libraryVersion() const { return libraryVersion_; }
    void setLibraryVersion(uint32_t version) { libraryVersion_ = version; }
    double timeScale() const { return timeScale_; }
    void setTimeScale(double scale);
    void setLoopback(bool enabled);
    // Signal time at `now`: seconds since the bus was made, times the time scale.
    double signalSeconds(Clock::time_point now) const;
    int outstandingReads() const;

    // Makes the service thread look at the streams again (starting it if needed).
    void wake();

private:
    SimBus();
    ~SimBus();
    void serviceLoop();
    void takeStateFolderOf(const BenchDescription& bench);
    // Puts a fresh module with the same configuration and inputs into every
    // occupied slot, as a restart of the program would find them.
    void restartModules();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread service_;
    bool stopping_ = false;

    FaultTable faults_;
    std::unique_ptr<SimModule> modules_[kSlotCount];
    std::vector<std::unique_ptr<SimModuleInterface>> interfaces_;
    uint64_t openSequence_ = 0;
    uint32_t libraryVersion_;
    double timeScale_ = 1.0;
    bool loopback_ = false;
    std::string stateFolder_; // "" = none
    bool stateFolderChosen_ = false; // by the control interface, over the bench
    Clock::time_point epoch_;
    double signalSecondsAtEpoch_ = 0.0;
};

} // namespace modlink_sim
