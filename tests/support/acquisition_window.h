#pragma once
// Drives the multimeter job of a main window on the simulated library as a
// user would: a module made ready as a finished search leaves it, the channel
// frames and the settings a run copies, and the start button. Shared by the
// acquisition tests and the soak benchmark; it reports, it checks nothing.

#include "sim_control.h"

#include <QString>

class TMainForm;

namespace acquisition_window {

// The bench: one fresh module in `slot`, no failures armed, samples paced
// `timeScale` times faster than real time. False when the slot is refused.
bool putModule(modlink_sim::SimControl& sim, int slot, double timeScale);

// The window as a finished search leaves it: the library's interface with
// the module's slot open, its firmware loaded, its description read, the coefficient sets
// initialised, the multimeter page shown with its start button and channel
// frames enabled. False when the library or the module cannot be opened.
bool makeModuleReady(TMainForm& form, int slot);

// Channel c's frame: check box, range, connection mode and measured
// parameter (-1 = nothing selected), set as the window would show them
// without any handler running.
void setChannel(TMainForm& form, int c, bool checked, int range = 0, int connectionMode = 0, int parType = 0);
// The settings a run copies: method "sum" or "fft", acquisition time,
// "rms" or "amp", "volt" or anything else for codes, ADC rate in Hz.
void setMeasurement(TMainForm& form, const QString& method, double seconds,
    const QString& amplitudeType = QStringLiteral("rms"), const QString& amplitudeKind = QStringLiteral("volt"),
    double adcRateHz = 100000.0);

// Presses the start button; true once a job thread runs.
bool pressStart(TMainForm& form);
// Presses the start button again: the job is stopped and its thread deleted
// by the time this returns.
void pressStop(TMainForm& form);

// Waits until the run has sent its parameters and sized its block.
bool waitForSetup(TMainForm& form, int timeoutMs = 10000);
// Waits until the job has shown a block: the LED of every checked channel is
// green or red again.
bool waitForValues(TMainForm& form, int timeoutMs = 10000);
// Waits until the job has finished its run (AcquisitionIdle raised).
bool waitForIdle(TMainForm& form, int timeoutMs = 10000);

} // namespace acquisition_window
