#include "acquisition_stream.h"

#include "platform/events.h"

#include <algorithm>
#include <cmath>

namespace modlink_sim {
namespace {

// Keeps far-off times within the clock's range (about 30 years ahead).
const double kLongestWaitSeconds = 1e9;

} // namespace

void completeRead(const PendingRead& read, uint32_t status)
{
    platform::Overlapped* overlapped = read.overlapped;
    platform::EventHandle event = overlapped->hEvent;
    overlapped->InternalHigh.store(uintptr_t(read.filled) * sizeof(int16_t), std::memory_order_relaxed);
    overlapped->Internal.store(status, std::memory_order_release);
    if (event)
        platform::SetEvent(event);
}

bool AcquisitionStream::submit(const PendingRead& read, Clock::time_point now)
{
    for (const PendingRead& queued : queue_) {
        if (queued.overlapped == read.overlapped)
            return false;
    }
    if (queue_.empty()) {
        headWaitStart_ = now;
        // Since the last read was completed (or START) the stream has gone
        // into the buffer. The time counts from the completion, not from the
        // stream's last sample, so a simulator running late is not counted
        // against the program.
        if (producing_ && std::chrono::duration<double>(now - idleSince_).count() > bufferSeconds_)
            overrun_ = true;
    }
    queue_.push_back(read);
    return true;
}

void AcquisitionStream::start(Clock::time_point now, double samplesPerSecond, double bufferSeconds)
{
    producing_ = true;
    overrun_ = false;
    bufferSeconds_ = bufferSeconds;
    idleSince_ = now;
    origin_ = now;
    pace_ = samplesPerSecond;
    delivered_ = 0;
}

Clock::time_point AcquisitionStream::timeOfSample(double samples) const
{
    double seconds = std::min(samples / pace_, kLongestWaitSeconds);
    return origin_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

void AcquisitionStream::deliver(PendingRead& head, uint32_t samples, SampleSource& source)
{
    source.produce(head.buffer + head.filled, samples, delivered_);
    head.filled += samples;
    delivered_ += samples;
}

void AcquisitionStream::stop(Clock::time_point now, SampleSource& source)
{
    if (!producing_)
        return;
    advance(now, source);
    if (!queue_.empty() && !overrun_) {
        double produced = std::floor(std::chrono::duration<double>(now - origin_).count() * pace_);
        double available = std::max(0.0, produced - static_cast<double>(delivered_));
        PendingRead& head = queue_.front();
        uint32_t samples = static_cast<uint32_t>(std::min<double>(available, head.count - head.filled));
        if (samples > 0)
            deliver(head, samples, source);
        if (head.filled == head.count) {
            PendingRead done = head;
            queue_.pop_front();
            completeRead(done, platform::kErrorSuccess);
        }
    }
    producing_ = false;
    overrun_ = false;
    headWaitStart_ = now;
}

void AcquisitionStream::setPace(Clock::time_point now, double samplesPerSecond)
{
    if (producing_) {
        double produced = std::chrono::duration<double>(now - origin_).count() * pace_;
        double seconds = std::min(produced / samplesPerSecond, kLongestWaitSeconds);
        origin_ = now - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    }
    pace_ = samplesPerSecond;
}

void AcquisitionStream::advance(Clock::time_point now, SampleSource& source)
{
    while (!queue_.empty()) {
        PendingRead& head = queue_.front();
        uint32_t status = platform::kErrorSuccess;
        if (producing_ && overrun_) {
            status = platform::kErrorIoDevice;
        } else if (producing_) {
            uint32_t remaining = head.count - head.filled;
            if (timeOfSample(static_cast<double>(delivered_) + remaining) > now)
                return;
            deliver(head, remaining, source);
        } else {
            if (head.timeoutMs == 0 || now < headWaitStart_ + std::chrono::milliseconds(head.timeoutMs))
                return;
            status = platform::kErrorSemTimeout;
        }
        PendingRead done = head;
        queue_.pop_front();
        headWaitStart_ = now;
        idleSince_ = now;
        completeRead(done, status);
    }
}

void AcquisitionStream::cancel(const void* owner, Clock::time_point now)
{
    bool headGoes = !queue_.empty() && queue_.front().owner == owner;
    auto ours = std::stable_partition(
        queue_.begin(), queue_.end(), [owner](const PendingRead& read) { return read.owner != owner; });
    std::deque<PendingRead> cancelled(ours, queue_.end());
    queue_.erase(ours, queue_.end());
    if (headGoes)
        headWaitStart_ = now;
    if (queue_.empty())
        idleSince_ = now;
    for (const PendingRead& read : cancelled)
        completeRead(read, platform::kErrorOperationAborted);
}

void AcquisitionStream::cancelAll()
{
    std::deque<PendingRead> cancelled;
    cancelled.swap(queue_);
    for (const PendingRead& read : cancelled)
        completeRead(read, platform::kErrorOperationAborted);
}

std::optional<Clock::time_point> AcquisitionStream::nextDeadline() const
{
    if (queue_.empty())
        return std::nullopt;
    const PendingRead& head = queue_.front();
    if (producing_ && overrun_)
        return headWaitStart_; // at once
    if (producing_)
        return timeOfSample(static_cast<double>(delivered_) + (head.count - head.filled));
    if (head.timeoutMs == 0)
        return std::nullopt;
    return headWaitStart_ + std::chrono::milliseconds(head.timeoutMs);
}

} // namespace modlink_sim
