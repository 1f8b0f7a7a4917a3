#pragma once
// One start/stop cycle of the multimeter job on a ready window, and what a
// soak measures about it: how long the stop took until the page was idle,
// and where in the run it landed.

#include "sim_control.h"

#include <string>

class TMainForm;

namespace soak {

// Where a cycle asks the job to stop.
enum class StopPoint {
    // While the block's read requests are in the library's hands.
    WhileReading,
    // After the block is read and before its values are shown: converting
    // the codes and, for nearly all of that time, the channels' FFTs.
    InTheFft,
};

struct CycleResult {
    // From the stop request until AcquisitionIdle was raised.
    double stopToIdleMs = 0.0;
    // From the stop request until the stop button's handler returned (the
    // job thread ended and deleted).
    double stopToReturnMs = 0.0;
    // The stop landed where it was aimed (for InTheFft: the block's values
    // had not been shown when it was requested).
    bool landed = false;
};

struct CycleSetup {
    TMainForm* form = nullptr;
    modlink_sim::SimControl* sim = nullptr;
    int slot = 0;
    // The longest any one wait of the cycle may take.
    int timeoutMs = 60000;
};

// Time from the end of a block's read until its values are shown, measured
// on a first block; then stops during the next block's read. False, with
// the reason in `error`, when the run did not go as expected.
bool calibrationCycle(const CycleSetup& setup, double* computeMs, CycleResult* result, std::string* error);

// Starts the job and stops it at `point`; for InTheFft, `delayMs` after the
// block's read has ended.
bool cycle(const CycleSetup& setup, StopPoint point, double delayMs, CycleResult* result, std::string* error);

} // namespace soak
