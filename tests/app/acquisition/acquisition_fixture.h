#pragma once
// A main window whose simulated module is ready, as a finished search leaves
// it: the library's interface with the module's slot open, its description
// read and the coefficient sets initialised. Tests choose the channels and
// settings, then run the multimeter job through the start button on a
// simulator that paces its samples many times faster than real time.

#include "app/window_fixture.h"
#include "sim_control.h"

#include <QString>

class AcquisitionTest : public WindowTest {
protected:
    static constexpr int kSlot = 3;

    void SetUp() override;
    void TearDown() override;

    // Channel c's frame: check box, range, connection mode and measured
    // parameter (-1 = nothing selected), set as the window would show them.
    void setChannel(int c, bool checked, int range = 0, int connectionMode = 0, int parType = 0);
    // The settings a run copies: method "sum" or "fft", acquisition time,
    // "rms" or "amp", "volt" or anything else for codes, ADC rate in Hz.
    void setMeasurement(const QString& method, double seconds, const QString& amplitudeType = QStringLiteral("rms"),
        const QString& amplitudeKind = QStringLiteral("volt"), double adcRateHz = 100000.0);

    // Presses the start button and waits until the job thread runs.
    void pressStart();
    // Presses the start button again (stop) and checks the page is Idle.
    void pressStop();
    // Waits until the job has shown a block: the LED of every checked
    // channel is green or red again.
    bool waitForValues(int timeoutMs = 10000);
    // Waits until the run has sent its parameters and sized its block.
    bool waitForSetup(int timeoutMs = 10000);
    // The number a value display shows (NaN when it shows none).
    double shownValue(int channel, int display) const;
    // Waits until the job has finished its run (AcquisitionIdle raised).
    bool waitForIdle(int timeoutMs = 10000);

    // The page is Idle: button up and green "С Т А Р Т", "-----", no buffers.
    void expectIdlePage();

    modlink_sim::SimControl* sim = nullptr;
};
