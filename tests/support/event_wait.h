#pragma once
// Waiting on the user-interface thread without blocking it: events keep being
// processed, so worker threads' synchronised calls are served meanwhile.

#include <functional>

// Processes events until `condition` holds or `timeoutMs` has passed.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Processes events for `milliseconds` (for checking that nothing happens).
void processEventsFor(int milliseconds);
