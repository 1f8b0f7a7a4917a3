#pragma once
// The simulated device library as test programs and benchmarks see it: the
// same loaded library the program opens (from the running program's folder)
// and its control interface.

#include "device/device_library.h"
#include "sim_control.h"

#include <QString>
#include <memory>

// Directory of the running program, where the library lies.
QString testProgramDirectory();

// The loaded library's control interface; null, with the reason in `error`,
// when the library cannot be loaded or has no control interface. The first
// call keeps the modules' flash in memory (no state folder).
modlink_sim::SimControl* loadSimControl(QString* error);

// A DeviceLibrary over the simulated library, as the window would open it,
// with the flash in memory as above.
std::unique_ptr<DeviceLibrary> openSimulatedLibrary();
