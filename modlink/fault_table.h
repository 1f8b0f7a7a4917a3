#pragma once
// Injected failures and call counts of the library's operations, for tests.
// Not thread-safe by itself: the bus lock guards it.

#include "sim_control.h"

namespace modlink_sim {

class FaultTable {
public:
    // Counts a call of `op`; true when this call must fail.
    bool failsNow(Op op);
    void failOnce(Op op, int skip);
    void failAlways(Op op, bool enabled);
    void stallOnce(Op op, int milliseconds);
    // The stall armed for the next call of `op` (0 for none), disarmed.
    int takeStall(Op op);
    void clearFailures();
    int callCount(Op op) const;
    void resetCallCounts();

private:
    static bool isOp(Op op) { return static_cast<int>(op) >= 0 && op < Op::Count; }
    struct Entry {
        int countdown = -1; // calls to let pass before the one that fails; -1 = none armed
        bool always = false;
        int calls = 0;
        int stallMs = 0;
    };
    Entry entries_[static_cast<int>(Op::Count)];
};

} // namespace modlink_sim
