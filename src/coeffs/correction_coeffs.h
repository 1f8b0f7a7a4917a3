#pragma once
// The correction coefficient record: the content of the module's user-flash
// block byte for byte, and the layout of the three sets the window keeps
// (working, factory, user flash).

#include <cstddef>
#include <cstdint>

namespace coeffs {

constexpr int kAdcChannelCount = 4;
constexpr int kAdcRangeCount = 3;
constexpr int kDacOutputCount = 2;

constexpr double AdcCodesPerRange = 8000.0; // ADC codes for the full input range
constexpr double DacCodesPerRange = 2047.0; // DAC codes for the DAC output range
constexpr double DacRangeVolts = 5.0;

#pragma pack(push, 1)

struct CoeffPair {
    double Offset;
    double Scale;
};

struct CorrectionCoeffs {
    CoeffPair AdcRaw[kAdcRangeCount][kAdcChannelCount]; // offset in ADC codes
    CoeffPair AdcShown[kAdcRangeCount][kAdcChannelCount]; // offset in millivolts, same scale
    CoeffPair DacRaw[kDacOutputCount]; // offset in DAC codes
    CoeffPair DacShown[kDacOutputCount]; // offset in millivolts, same scale
    uint16_t Crc; // CRC-16 of bytes 0..447
};

#pragma pack(pop)

static_assert(sizeof(CoeffPair) == 16, "CoeffPair is 16 bytes");
static_assert(sizeof(CorrectionCoeffs) == 450, "CorrectionCoeffs is 450 bytes");
static_assert(offsetof(CorrectionCoeffs, AdcRaw) == 0);
static_assert(offsetof(CorrectionCoeffs, AdcShown) == 192);
static_assert(offsetof(CorrectionCoeffs, DacRaw) == 384);
static_assert(offsetof(CorrectionCoeffs, DacShown) == 416);
static_assert(offsetof(CorrectionCoeffs, Crc) == 448);

// Bytes covered by the CRC: everything before the Crc field.
constexpr std::size_t kCrcCoveredBytes = offsetof(CorrectionCoeffs, Crc);

} // namespace coeffs
