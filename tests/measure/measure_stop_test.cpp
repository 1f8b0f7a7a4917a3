// A run stopped in the middle of a block, in this process, where the
// simulated library's control interface can see what it still holds.

#include "measure/measurement_run.h"
#include "support/acquisition_window.h"
#include "support/sim_library.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int kSlot = 4;

TEST(MeasureStop, AStopMidBlockLeavesNoRequestInTheLibrarysHandsAndTheAdcStopped)
{
    modlink_sim::SimControl* sim = simControl();
    ASSERT_NE(sim, nullptr);
    ASSERT_TRUE(acquisition_window::putModule(*sim, kSlot, 1.0));
    const std::unique_ptr<DeviceLibrary> library = openSimulatedLibrary();

    measure::RunConfiguration configuration;
    configuration.enabled = { false, true, false, false };
    configuration.adcRateHz = 100000.0;
    configuration.maxAcquisitionTime = 3.0;
    configuration.computationMethod = QStringLiteral("sum");
    configuration.amplitudeType = QStringLiteral("rms");
    configuration.amplitudeKind = QStringLiteral("volt");
    configuration.precisionFormats.fill(QStringLiteral("0.00"));
    QTemporaryDir directory;
    const QString path = directory.filePath("out.csv");
    measure::CsvOutput output(path);
    std::atomic<bool> stop { false };
    int status = -1;
    std::thread run([&] { status = measure::measureBlocks(*library, configuration, false, {}, output, stop); });

    // Mid-block: the ADC runs and the library holds a read request.
    QElapsedTimer waited;
    waited.start();
    while (!(sim->acquiring(kSlot) && sim->outstandingRequests() > 0) && waited.elapsed() < 10000)
        QThread::msleep(5);
    const bool midBlock = sim->acquiring(kSlot) && sim->outstandingRequests() > 0;
    QThread::msleep(300);
    stop.store(true);
    run.join();

    EXPECT_TRUE(midBlock);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(sim->outstandingRequests(), 0);
    EXPECT_FALSE(sim->acquiring(kSlot));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "time,channel,dc_mV,ac_mV,frequency_kHz,overload\n");
    sim->resetToDefaults();
}

} // namespace
