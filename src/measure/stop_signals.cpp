#include "measure/stop_signals.h"

#include <csignal>

namespace measure {

namespace {

std::atomic<bool> stopFlag { false };
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set in a signal handler");

extern "C" void requestStop(int)
{
    stopFlag.store(true);
}

} // namespace

bool installStopSignals()
{
    struct sigaction action { };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // Reads and writes interrupted by the signal resume; the next signal of
    // the same kind takes its default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

const std::atomic<bool>& stopRequested()
{
    return stopFlag;
}

} // namespace measure
