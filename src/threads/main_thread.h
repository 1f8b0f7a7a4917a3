#pragma once
// The job thread: runs the job of the active page, then waits until the
// window asks it to terminate (StopThread deletes it). The job is a function
// of the thread that polls Terminated() and MessageShown and returns once
// either is set.

#include "platform/overlapped.h"
#include "threads/acquisition_state.h"
#include "threads/worker_thread.h"

#include <array>
#include <cstdint>
#include <functional>

// The acquisition job's data (AcquisitionState) belongs to the thread.
class TMainThread : public WorkerThread, public AcquisitionState {
    Q_OBJECT
public:
    using JobFunction = std::function<void(TMainThread&)>;
    // One entry per page of the window; only the multimeter page has a job.
    static constexpr int kJobCount = 3;

    // `jobPageActive`: the page of the job (page 0) is the active one, read
    // on the user-interface thread when the thread is created.
    TMainThread(WorkerHost* host, uint16_t jobIndex, bool jobPageActive);

    // The job to run, given at construction.
    const uint16_t JobIndex;
    // The module's device handle, taken when the run starts; -1 = none.
    platform::DeviceHandle ModuleHandle = platform::kInvalidDeviceHandle;
    // The jobs by index; an empty entry has no job.
    std::array<JobFunction, kJobCount> Jobs;

protected:
    void Execute() override;

private:
    // Fills Jobs with the jobs of the pages.
    void InstallJobs();
    void Prepare();
    void RunJob();

    const bool jobPageActive_;
};
