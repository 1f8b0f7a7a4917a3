#pragma once
// The multimeter job of TMainThread (entry 0 of its Jobs): block after block
// it reads all active channels, converts the codes, measures every checked
// channel and has the window show the values, until the thread is told to
// terminate or a message has ended the run. Every step runs on the job
// thread; the window's steps are reached through synchronised calls.

#include <array>
#include <cstdint>

#include "threads/adc_parameters_fill.h"

class TMainThread;
namespace platform {
struct Overlapped;
}

void AcquisitionJob(TMainThread& thread);

// The run is over: the thread is told to terminate or a message was shown.
bool AcquisitionStopped(const TMainThread& thread);
// Shows `text` (UTF-8) as the run's message unless one was shown already.
void ReportAcquisitionMessage(TMainThread& thread, const char* text);

// Window steps (BeginAcquisitionUi, SetupAcquisition), then the events, the
// buffers, the window and, for "fft", the spectrum analyser. A failure
// reports its message and returns at once; FinishAcquisition frees what was made.
void PrepareAcquisition(TMainThread& thread);

// Reads `blockSamples` codes into `adcBuffer` with two requests in flight,
// the first queued before the ADC starts; ORs the overload bits of the block
// into thread.OverloadBits. Stops the ADC and cancels what is outstanding at
// its end. Whether the run goes on is decided from Terminated() and MessageShown.
void AcquireBlock(TMainThread& thread, int16_t* adcBuffer, uint32_t blockSamples);

// Polls the request's completion every 20 ms. False when it failed, or
// (silently) when the thread is told to terminate.
bool WaitForRequest(TMainThread& thread, platform::Overlapped* overlapped);

// The value of one code at each place of a frame: range · kRangeFractionPerCode volts,
// the range being that of the channel at that place ("volt"), else 1 (the
// code itself).
std::array<double, acquisition::kChannelCount> CodeScales(const TMainThread& thread);

// adcData[i] = adcBuffer[i] · CodeScales(thread)[i mod n]: the block
// converted as a whole. The job converts each channel straight out of the
// block instead (MeasureChannels), to the same values.
void ConvertCodes(TMainThread& thread, const int16_t* adcBuffer, double* adcData, uint32_t blockSamples);

// The values of every checked channel of the block into DcValue, AcValue and
// Frequency, each channel converted straight from the codes of AdcBuffer; two
// channels at a time when the second workspace exists. A channel without
// signal ("fft") reports its message.
void MeasureChannels(TMainThread& thread);

// Until no read request is in the library's hands: waits for each one to
// complete, asking the library again to cancel it. Gives up only after the
// requests' own time-out has long passed, and then keeps the buffers alive.
void WaitForOutstandingRequests(TMainThread& thread);
