#include "threads/acquisition_job.h"

#include "dsp/spectrum_analyser.h"
#include "platform/sleep.h"
#include "threads/acquisition_messages.h"
#include "threads/main_thread.h"
#include "threads/measurement_engine.h"
#include "threads/worker_host.h"

namespace {

// Sleeps `milliseconds`, in short steps so a stop request is seen at once.
void sleepUnlessTerminated(const TMainThread& thread, uint32_t milliseconds)
{
    constexpr uint32_t kStep = 10;
    for (uint32_t slept = 0; slept < milliseconds && !thread.Terminated(); slept += kStep)
        platform::Sleep(kStep);
}

// The window's steps, then the engine's buffers. The window sends the ADC
// parameters and sizes the block in its own step (SetupAcquisition).
void prepare(TMainThread& thread, acquisition::MeasurementEngine& engine)
{
    WorkerHost* host = thread.host();
    thread.Synchronize([host, &thread] { host->BeginAcquisitionUi(thread); });
    if (engine.Stopped())
        return;
    platform::Sleep(50);
    thread.Synchronize([host, &thread] { host->SetupAcquisition(thread); });
    if (engine.Stopped())
        return;
    platform::Sleep(50);
    engine.MakeBuffers();
}

// One block: acquire, measure (converting on the way), show.
void runBlock(TMainThread& thread, acquisition::MeasurementEngine& engine)
{
    if (!engine.ReadBlock())
        return;
    WorkerHost* host = thread.host();
    thread.Synchronize([host, &thread] { host->ShowChannelValues(thread); });
    sleepUnlessTerminated(thread, 100);
    thread.Synchronize([host, &thread] { host->ShowOverloadLeds(thread); });
}

// Stops the ADC, cancels what is outstanding and, once no request is left in
// the library's hands, has the window free everything and return to Idle.
void endAcquisition(TMainThread& thread, acquisition::MeasurementEngine& engine)
{
    engine.StopAndWaitForRequests();
    WorkerHost* host = thread.host();
    thread.Synchronize([host, &thread] { host->FinishAcquisition(thread); });
    thread.BuffersToFree.reset();
}

} // namespace

void AcquisitionJob(TMainThread& thread)
{
    ModuleApi* module = *thread.links().module;
    if (!module)
        return;
    acquisition::MeasurementEngine engine(*module, thread.ModuleHandle, thread, thread.terminateFlag(),
        &thread.MessageShown, [&thread](const QString& text) { thread.ReportMessage(text); });
    engine.SetLiveChannelFlags(thread.links().channelChecked);
    try {
        prepare(thread, engine);
        if (!engine.Stopped()) {
            // The ADC may still run from an earlier use of the module.
            engine.StopAdcAtStart();
            while (!engine.Stopped())
                runBlock(thread, engine);
        }
    } catch (...) {
        engine.Report(acquisition::kUnexpectedException);
    }
    endAcquisition(thread, engine);
}
