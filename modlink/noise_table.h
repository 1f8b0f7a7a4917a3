#pragma once
// Normal deviates for the simulated input noise, drawn once with a fixed
// seed so that generating a sample costs one table look-up.

#include <cstdint>

namespace modlink_sim {

constexpr uint32_t kNoiseTableBits = 16;
constexpr uint32_t kNoiseTableSize = 1u << kNoiseTableBits;

// kNoiseTableSize values of mean 0 and standard deviation 1.
const float* normalDeviates();

// xorshift32: the next index source for the table; `state` must not be 0.
inline uint32_t nextNoiseState(uint32_t state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace modlink_sim
