#pragma once
// The sample stream of one module and the read requests that consume it.
//
// START begins a continuous stream at the pace of the ADC. Reads take the
// stream in the order they were queued: a read of m samples completes when
// the stream has produced its last sample, m samples' time after the read
// before it (or after START for the first). STOP ends the stream; the read at
// the head keeps what it has received and waits for the next START, and once
// it has waited longer than its time-out with no stream it fails. Each read is
// completed exactly once (success, time-out, overrun or cancelled) and never
// touched again. The owner of the stream serialises every call.
//
// While no read is queued the module buffers the stream, for `bufferSeconds`
// of real time. A read queued later than that finds the buffer overrun: the
// data in between is lost, and that read and every read after it fail with
// ERROR_IO_DEVICE until STOP. The buffer counts real time, not stream time,
// so a time scale speeds up the signal but not the reader it waits for.

#include "platform/overlapped.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

namespace modlink_sim {

using Clock = std::chrono::steady_clock;

struct PendingRead {
    const void* owner = nullptr; // the interface that queued it
    int16_t* buffer = nullptr;
    uint32_t count = 0; // samples asked for
    uint32_t filled = 0; // samples received so far
    platform::Overlapped* overlapped = nullptr;
    uint32_t timeoutMs = 0; // 0 = no time-out
};

// Where the samples come from: writes samples firstIndex .. firstIndex +
// count − 1 of the stream (counted from START) into `out`.
class SampleSource {
public:
    virtual void produce(int16_t* out, uint32_t count, uint64_t firstIndex) = 0;

protected:
    ~SampleSource() = default;
};

// Stores the byte count, then the status with release order, then signals the
// read's event: the order the program's completion polling relies on.
void completeRead(const PendingRead& read, uint32_t status);

class AcquisitionStream {
public:
    // Queues a read; false when its OVERLAPPED record is already queued.
    bool submit(const PendingRead& read, Clock::time_point now);
    // Starts the stream at `samplesPerSecond` of real time (the ADC rate
    // times the time scale); sample 0 belongs to the first channel of the
    // table. The module's buffer holds `bufferSeconds` of it.
    void start(Clock::time_point now, double samplesPerSecond, double bufferSeconds);
    // Delivers what the stream produced up to `now`, then stops it.
    void stop(Clock::time_point now, SampleSource& source);
    // Changes the pace from `now` on, without a jump in the stream.
    void setPace(Clock::time_point now, double samplesPerSecond);
    // Completes every read that is due at `now`: filled ones, timed-out ones.
    void advance(Clock::time_point now, SampleSource& source);
    // Completes the reads of `owner` as cancelled.
    void cancel(const void* owner, Clock::time_point now);
    // Completes every read as cancelled (the module left the bus).
    void cancelAll();

    // When advance() has something to do next, if ever.
    std::optional<Clock::time_point> nextDeadline() const;
    bool producing() const { return producing_; }
    bool overrun() const { return overrun_; }
    int outstanding() const { return static_cast<int>(queue_.size()); }

private:
    Clock::time_point timeOfSample(double samples) const;
    void deliver(PendingRead& head, uint32_t samples, SampleSource& source);

    std::deque<PendingRead> queue_;
    bool producing_ = false;
    Clock::time_point origin_; // when sample 0 of the current stream was due
    double pace_ = 1.0; // samples per real second
    uint64_t delivered_ = 0; // samples handed to reads since START
    Clock::time_point headWaitStart_; // since when the head read waits without a stream
    Clock::time_point idleSince_; // since when no read is queued (while producing)
    double bufferSeconds_ = 0.0;
    bool overrun_ = false; // the buffer ran over since START
};

} // namespace modlink_sim
