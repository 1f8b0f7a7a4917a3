#include "soak_cycle.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "mainform.h"
#include "support/acquisition_window.h"
#include "support/event_wait.h"
#include "threads/main_thread.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace soak {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Watches AcquisitionIdle from a thread of its own: the job raises it in a
// synchronised call that the window serves while it waits for the thread, so
// only an outside observer sees the moment.
class IdleWatch {
public:
    explicit IdleWatch(const std::atomic<bool>& idle)
        : idle_(idle)
        , start_(Clock::now())
        , thread_([this] { watch(); })
    {
    }
    ~IdleWatch()
    {
        if (thread_.joinable())
            thread_.join();
    }

    // Waits until idle was seen (the stop has made sure it will be).
    double millisecondsToIdle()
    {
        thread_.join();
        return idleMs_;
    }

private:
    void watch()
    {
        while (!idle_.load())
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        idleMs_ = millisecondsSince(start_);
    }

    const std::atomic<bool>& idle_;
    const Clock::time_point start_;
    double idleMs_ = 0.0;
    std::thread thread_;
};

// The first channel's value edit is emptied when a run is set up and filled
// when the run's first block is shown.
bool valuesShown(const TMainForm& form)
{
    return !form.ChannelFrames[0]->Value1LMDEdit->text().isEmpty();
}

bool fail(std::string* error, const char* text)
{
    *error = text;
    return false;
}

bool startRun(const CycleSetup& setup, std::string* error)
{
    if (!acquisition_window::pressStart(*setup.form))
        return fail(error, "the start button started no job thread");
    if (!acquisition_window::waitForSetup(*setup.form, setup.timeoutMs))
        return fail(error, "the run never sized its block");
    return true;
}

bool waitForReadStart(const CycleSetup& setup, std::string* error)
{
    if (!waitUntil([&] { return setup.sim->acquiring(setup.slot); }, setup.timeoutMs))
        return fail(error, "the ADC never started");
    return true;
}

// The ADC is stopped at the end of each block's read.
bool waitForReadEnd(const CycleSetup& setup, std::string* error)
{
    if (!waitForReadStart(setup, error))
        return false;
    if (!waitUntil([&] { return !setup.sim->acquiring(setup.slot); }, setup.timeoutMs))
        return fail(error, "the block's read never ended");
    return true;
}

// Presses stop and times it; then everything must have ended.
bool stop(const CycleSetup& setup, CycleResult* result, std::string* error)
{
    TMainForm& form = *setup.form;
    IdleWatch watch(form.AcquisitionIdle);
    const Clock::time_point start = Clock::now();
    acquisition_window::pressStop(form);
    result->stopToReturnMs = millisecondsSince(start);
    result->stopToIdleMs = watch.millisecondsToIdle();
    if (form.MainThread)
        return fail(error, "the job thread outlived the stop");
    if (setup.sim->acquiring(setup.slot))
        return fail(error, "the ADC still runs after the stop");
    if (setup.sim->outstandingRequests() != 0)
        return fail(error, "read requests are left in the library after the stop");
    return true;
}

} // namespace

bool calibrationCycle(const CycleSetup& setup, double* computeMs, CycleResult* result, std::string* error)
{
    if (!startRun(setup, error) || !waitForReadEnd(setup, error))
        return false;
    const Clock::time_point readEnd = Clock::now();
    if (!waitUntil([&] { return valuesShown(*setup.form); }, setup.timeoutMs))
        return fail(error, "the first block's values were never shown");
    *computeMs = millisecondsSince(readEnd);
    if (!waitForReadStart(setup, error))
        return false;
    result->landed = setup.sim->acquiring(setup.slot);
    return stop(setup, result, error);
}

bool cycle(const CycleSetup& setup, StopPoint point, double delayMs, CycleResult* result, std::string* error)
{
    if (!startRun(setup, error))
        return false;
    if (point == StopPoint::WhileReading) {
        if (!waitForReadStart(setup, error))
            return false;
        processEventsFor(static_cast<int>(delayMs));
        result->landed = setup.sim->acquiring(setup.slot);
    } else {
        if (!waitForReadEnd(setup, error))
            return false;
        processEventsFor(static_cast<int>(delayMs));
        result->landed = !valuesShown(*setup.form) && !setup.sim->acquiring(setup.slot);
    }
    return stop(setup, result, error);
}

} // namespace soak
