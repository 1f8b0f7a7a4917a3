#pragma once
// The simulated library's control interface for tests: a missing library or
// control interface is a test failure.

#include "support/sim_access.h"

// The loaded library's control interface; null (and a test failure) when the
// library cannot be loaded or has no control interface.
modlink_sim::SimControl* simControl();
