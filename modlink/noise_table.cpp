#include "noise_table.h"

#include <cmath>
#include <vector>

namespace modlink_sim {
namespace {

void fillDeviates(float* deviates)
{
    // Box–Muller over a fixed splitmix64 sequence, then rescaled so the table
    // has exactly mean 0 and standard deviation 1.
    uint64_t state = 0x4705u;
    auto uniform = [&state] {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return (static_cast<double>(z >> 11) + 0.5) / static_cast<double>(1ull << 53);
    };
    const double twoPi = 2.0 * std::acos(-1.0);
    std::vector<double> values(kNoiseTableSize);
    for (uint32_t i = 0; i < kNoiseTableSize; i += 2) {
        double radius = std::sqrt(-2.0 * std::log(uniform()));
        double angle = twoPi * uniform();
        values[i] = radius * std::cos(angle);
        values[i + 1] = radius * std::sin(angle);
    }
    double mean = 0.0;
    for (double v : values)
        mean += v;
    mean /= kNoiseTableSize;
    double power = 0.0;
    for (double v : values)
        power += (v - mean) * (v - mean);
    double deviation = std::sqrt(power / kNoiseTableSize);
    for (uint32_t i = 0; i < kNoiseTableSize; ++i)
        deviates[i] = static_cast<float>((values[i] - mean) / deviation);
}

} // namespace

const float* normalDeviates()
{
    // A plain array: it is never destroyed, so the service thread may still
    // read it while the process exits.
    static float deviates[kNoiseTableSize];
    static const bool filled = (fillDeviates(deviates), true);
    (void)filled;
    return deviates;
}

} // namespace modlink_sim
