#pragma once
// Ctrl+C (SIGINT) and SIGTERM ask a run to stop: the handler only sets an
// atomic flag, which is all a signal handler may safely do; the run polls it,
// stops the ADC, cancels its reads and ends normally. A second signal of the
// same kind ends the process at once, for a run that no longer answers.

#include <atomic>

namespace measure {

// Installs the handlers; false when they could not be installed.
bool installStopSignals();

// Raised by SIGINT or SIGTERM.
const std::atomic<bool>& stopRequested();

} // namespace measure
