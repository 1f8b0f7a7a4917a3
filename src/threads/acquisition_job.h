#pragma once
// The multimeter job of TMainThread (entry 0 of its Jobs): block after block
// it reads all active channels, converts the codes, measures every checked
// channel and has the window show the values, until the thread is told to
// terminate or a message has ended the run. The measuring runs on the
// MeasurementEngine over the thread's state; the window's steps are reached
// through synchronised calls.

#include <array>
#include <atomic>
#include <cstdint>

#include "threads/adc_parameters_fill.h"

class TMainThread;
struct AcquisitionState;

void AcquisitionJob(TMainThread& thread);

// The value of one code at each place of a frame: range · kRangeFractionPerCode volts,
// the range being that of the channel at that place ("volt"), else 1 (the
// code itself).
std::array<double, acquisition::kChannelCount> CodeScales(const AcquisitionState& state);
