#pragma once
// Decimal places of the shown values and the number patterns built from them.

#include "settings/ini_file.h"
#include "settings/input_ranges.h"

#include <QString>
#include <array>
#include <cstdint>

namespace settings {

constexpr uint16_t kMaxPrecision = 10;

// The low 16 bits of the value read, taken as unsigned, at most 10: 11 and -1
// give 10, 65538 gives 2.
uint16_t clampPrecision(int valueRead);

// "0." followed by `decimals` zeros: 0 -> "0.", 2 -> "0.00".
QString precisionPattern(int decimals);

// Decimal places per input range, clamped.
struct PrecisionSettings {
    std::array<uint16_t, kInputRangeCount> DcPrecision {};
    std::array<uint16_t, kInputRangeCount> AcPrecision {};
    std::array<uint16_t, kInputRangeCount> FrPrecision {};
};

// Reads the nine precision keys (missing or unreadable ones give 2, 2, 5).
PrecisionSettings readPrecisionSettings(const IniFile& file);

// Element r: DC pattern of range r; 3 + r: AC pattern; 6 + r: frequency pattern.
constexpr int kPrecisionFormatCount = 3 * kInputRangeCount;
using PrecisionFormats = std::array<QString, kPrecisionFormatCount>;
PrecisionFormats buildPrecisionFormats(const PrecisionSettings& precisions);

constexpr int dcFormatIndex(int range)
{
    return range;
}
constexpr int acFormatIndex(int range)
{
    return kInputRangeCount + range;
}
constexpr int frFormatIndex(int range)
{
    return 2 * kInputRangeCount + range;
}

} // namespace settings
