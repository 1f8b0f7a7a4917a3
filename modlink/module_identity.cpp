#include "module_identity.h"

#include "bench_description.h"

#include <algorithm>
#include <cstring>

namespace modlink_sim {
namespace {

const double kInputRangeVolts[kInputRangeCount] = { 3.0, 1.0, 0.3 };
const char* const kModuleName = "Q47-05";
const double kMaxOffsetCodes = 6.0;
const double kMaxGainError = 0.009;

uint64_t fnv1a(const char* text, size_t length)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(text[i]);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// splitmix64: a tiny generator that spreads a seed well.
class SeededSequence {
public:
    explicit SeededSequence(uint64_t seed)
        : state_(seed)
    {
    }
    // Uniform in [-1, 1).
    double next()
    {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) / static_cast<double>(1ull << 52) - 1.0;
    }

private:
    uint64_t state_;
};

} // namespace

double inputRangeVolts(int range)
{
    return kInputRangeVolts[std::clamp(range, 0, kInputRangeCount - 1)];
}

ModuleImperfection imperfectionForSerial(const char* serial)
{
    SeededSequence sequence(fnv1a(serial, strnlen(serial, 16)));
    ModuleImperfection m {};
    for (int r = 0; r < kInputRangeCount; ++r) {
        for (int c = 0; c < kChannelCount; ++c) {
            m.adcOffset[r][c] = kMaxOffsetCodes * sequence.next();
            m.adcGain[r][c] = 1.0 + kMaxGainError * sequence.next();
        }
    }
    for (int k = 0; k < kDacOutputCount; ++k) {
        m.dacOffset[k] = kMaxOffsetCodes * sequence.next();
        m.dacScale[k] = 1.0 + kMaxGainError * sequence.next();
    }
    return m;
}

ModuleDescription makeDescription(const ModuleConfig& config, const ModuleImperfection& m)
{
    ModuleDescription d;
    std::memset(&d, 0, sizeof d);
    copyText(d.Name, sizeof d.Name, kModuleName);
    std::memcpy(d.SerialNumber, config.serial, strnlen(config.serial, sizeof d.SerialNumber));
    d.Revision = config.revision;
    d.Options = config.options;
    copyText(d.FirmwareVersion, sizeof d.FirmwareVersion, config.firmwareVersion);
    for (int r = 0; r < kInputRangeCount; ++r) {
        for (int c = 0; c < kChannelCount; ++c) {
            d.AdcOffsetCoefs[r * kChannelCount + c] = -m.adcOffset[r][c];
            d.AdcScaleCoefs[r * kChannelCount + c] = 1.0 / m.adcGain[r][c];
        }
    }
    d.DacPresent = config.hasDac ? 1 : 0;
    for (int k = 0; k < kDacOutputCount; ++k) {
        d.DacOffsetCoefs[k] = m.dacOffset[k];
        d.DacScaleCoefs[k] = m.dacScale[k];
    }
    return d;
}

double dacOutputVolts(const ModuleImperfection& m, int output, int16_t code)
{
    int held = std::clamp<int>(code, kDacCodeMin, kDacCodeMax);
    return (held / m.dacScale[output] - m.dacOffset[output]) * kDacRangeVolts / kDacCodesPerRange;
}

} // namespace modlink_sim
