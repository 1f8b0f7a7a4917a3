#include "fault_table.h"

#include <algorithm>

namespace {
// A stall stands for a slow caller, not a hung one.
const int kLongestStallMs = 10000;
} // namespace

namespace modlink_sim {

bool FaultTable::failsNow(Op op)
{
    if (!isOp(op))
        return false;
    Entry& e = entries_[static_cast<int>(op)];
    ++e.calls;
    if (e.always)
        return true;
    if (e.countdown < 0)
        return false;
    return e.countdown-- == 0;
}

void FaultTable::failOnce(Op op, int skip)
{
    if (isOp(op))
        entries_[static_cast<int>(op)].countdown = skip < 0 ? 0 : skip;
}

void FaultTable::failAlways(Op op, bool enabled)
{
    if (isOp(op))
        entries_[static_cast<int>(op)].always = enabled;
}

void FaultTable::stallOnce(Op op, int milliseconds)
{
    if (isOp(op))
        entries_[static_cast<int>(op)].stallMs = std::clamp(milliseconds, 0, kLongestStallMs);
}

int FaultTable::takeStall(Op op)
{
    if (!isOp(op))
        return 0;
    int stallMs = entries_[static_cast<int>(op)].stallMs;
    entries_[static_cast<int>(op)].stallMs = 0;
    return stallMs;
}

void FaultTable::clearFailures()
{
    for (Entry& e : entries_) {
        e.countdown = -1;
        e.always = false;
        e.stallMs = 0;
    }
}

int FaultTable::callCount(Op op) const
{
    return isOp(op) ? entries_[static_cast<int>(op)].calls : 0;
}

void FaultTable::resetCallCounts()
{
    for (Entry& e : entries_)
        e.calls = 0;
}

} // namespace modlink_sim
