#include "sim_bus.h"

#include "bench_file.h"
#include "device/module_api.h"
#include "flash_state.h"
#include "module_interface.h"

#include <algorithm>
#include <cstring>

namespace modlink_sim {

SimBus& SimBus::instance()
{
    // Destroyed when the library unloads, which joins the service thread.
    static SimBus bus;
    return bus;
}

SimBus::SimBus()
    : libraryVersion_(kRequiredLibraryVersion)
    , epoch_(Clock::now())
{
    BenchDescription bench = loadBench();
    std::lock_guard<std::mutex> lock(mutex_);
    applyBench(bench);
}

SimBus::~SimBus()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (service_.joinable())
        service_.join();
}

SimModule* SimBus::module(int slot)
{
    return slot >= 0 && slot < kSlotCount ? modules_[slot].get() : nullptr;
}

void SimBus::replaceModule(int slot, std::unique_ptr<SimModule> module)
{
    if (slot < 0 || slot >= kSlotCount)
        return;
    if (modules_[slot])
        modules_[slot]->stream().cancelAll();
    for (auto& i : interfaces_) {
        if (i->openSlot() == slot)
            i->forgetSlot();
    }
    if (module) {
        module->loopback = loopback_;
        FlashState kept;
        if (!stateFolder_.empty() && loadFlashState(stateFolder_, module->config.serial, &kept)) {
            module->userFlash = kept.userFlash;
            module->descriptionSaved = kept.descriptionSaved;
            if (kept.descriptionSaved)
                std::memcpy(&module->description, &kept.description, sizeof kept.description);
        }
    }
    modules_[slot] = std::move(module);
}

void SimBus::applyBench(const BenchDescription& bench)
{
    if (!stateFolderChosen_)
        takeStateFolderOf(bench);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const BenchModule& s = bench.modules[slot];
        replaceModule(slot, s.present ? std::make_unique<SimModule>(s.config, s.inputs) : nullptr);
    }
    setTimeScale(bench.timeScale);
    setLoopback(bench.loopback);
}

void SimBus::takeStateFolderOf(const BenchDescription& bench)
{
    if (bench.stateKeeping == StateKeeping::Folder)
        stateFolder_ = bench.stateFolder;
    else if (bench.stateKeeping == StateKeeping::DefaultFolder)
        stateFolder_ = defaultStateFolder();
    else
        stateFolder_.clear();
}

void SimBus::setStateFolder(const std::string& folder)
{
    stateFolderChosen_ = true;
    stateFolder_ = folder;
    restartModules();
}

void SimBus::useBenchStateFolder(const BenchDescription& bench)
{
    stateFolderChosen_ = false;
    takeStateFolderOf(bench);
    restartModules();
}

void SimBus::restartModules()
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (SimModule* old = modules_[slot].get()) {
            auto restarted = std::make_unique<SimModule>(old->config, old->inputs);
            replaceModule(slot, std::move(restarted));
        }
    }
}

void SimBus::keepState(const SimModule& module)
{
    if (stateFolder_.empty())
        return;
    FlashState state;
    state.userFlash = module.userFlash;
    state.descriptionSaved = module.descriptionSaved;
    if (module.descriptionSaved)
        std::memcpy(&state.description, &module.description, sizeof state.description);
    saveFlashState(stateFolder_, module.config.serial, state);
}

SimModuleInterface* SimBus::createInterface()
{
    interfaces_.push_back(std::make_unique<SimModuleInterface>(*this));
    return interfaces_.back().get();
}

void SimBus::destroyInterface(SimModuleInterface* moduleInterface)
{
    auto it = std::find_if(interfaces_.begin(), interfaces_.end(),
        [moduleInterface](const auto& owned) { return owned.get() == moduleInterface; });
    if (it != interfaces_.end())
        interfaces_.erase(it);
}

bool SimBus::openedElsewhere(int slot, const SimModuleInterface* except) const
{
    for (const auto& i : interfaces_) {
        if (i.get() != except && i->openSlot() == slot)
            return true;
    }
    return false;
}

int SimBus::mostRecentOpenSlot() const
{
    int slot = -1;
    uint64_t latest = 0;
    for (const auto& i : interfaces_) {
        if (i->openSlot() >= 0 && i->openSequence() > latest) {
            latest = i->openSequence();
            slot = i->openSlot();
        }
    }
    return slot;
}

void SimBus::setTimeScale(double scale)
{
    Clock::time_point now = Clock::now();
    // Signal time stays continuous across a change of scale.
    signalSecondsAtEpoch_ = signalSeconds(now);
    epoch_ = now;
    timeScale_ = std::clamp(scale, kMinTimeScale, kMaxTimeScale);
    for (auto& m : modules_) {
        if (m && m->hasAdcParameters)
            m->stream().setPace(now, m->adcRateHz() * timeScale_);
    }
    wake();
}

void SimBus::setLoopback(bool enabled)
{
    loopback_ = enabled;
    for (auto& m : modules_) {
        if (m)
            m->loopback = enabled;
    }
}

double SimBus::signalSeconds(Clock::time_point now) const
{
    return signalSecondsAtEpoch_ + std::chrono::duration<double>(now - epoch_).count() * timeScale_;
}

int SimBus::outstandingReads() const
{
    int count = 0;
    for (const auto& m : modules_) {
        if (m)
            count += m->stream().outstanding();
    }
    return count;
}

void SimBus::wake()
{
    if (!service_.joinable() && !stopping_) {
        bool anyReads = outstandingReads() > 0;
        if (!anyReads)
            return;
        service_ = std::thread([this] { serviceLoop(); });
    }
    wake_.notify_all();
}

void SimBus::serviceLoop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        Clock::time_point now = Clock::now();
        std::optional<Clock::time_point> next;
        for (auto& m : modules_) {
            if (!m)
                continue;
            m->advance(now);
            std::optional<Clock::time_point> due = m->stream().nextDeadline();
            if (due && (!next || *due < *next))
                next = due;
        }
        if (next)
            wake_.wait_until(lock, *next);
        else
            wake_.wait(lock);
    }
}

} // namespace modlink_sim
