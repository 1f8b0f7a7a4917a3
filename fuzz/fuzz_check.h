#pragma once
// A broken invariant in a fuzz target: say which and abort, so libFuzzer keeps
// the input that broke it.

#include <cstdio>
#include <cstdlib>

inline void fuzzCheck(bool holds, const char* invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
