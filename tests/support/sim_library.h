#pragma once
// The simulated device library as the tests see it: the same loaded library
// the program opens (from the test program's folder), its control interface,
// and a fresh default bench for every test that asks for one.

#include "device/device_library.h"
#include "sim_control.h"

#include <memory>

// Directory of the running test program, where the library lies.
QString testProgramDirectory();

// The loaded library's control interface; null (and a test failure) when the
// library cannot be loaded or has no control interface.
modlink_sim::SimControl* simControl();

// A DeviceLibrary over the simulated library, as the window would open it.
std::unique_ptr<DeviceLibrary> openSimulatedLibrary();
