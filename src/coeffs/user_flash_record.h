#pragma once
// The coefficient record in the module's 512-byte user-flash block: bytes
// 0..449 hold the record, 450..511 are written as zeros and ignored on
// reading. The block has no marker or version; the CRC alone tells a valid
// record from an invalid one.

#include "coeffs/correction_coeffs.h"
#include "device/records.h"

#include <cstdint>

namespace coeffs {

// CRC-16/CCITT-FALSE of the record's bytes 0..447.
uint16_t recordCrc(const CorrectionCoeffs& record);
void stampCrc(CorrectionCoeffs& record);

// Stamps the record's CRC (in the caller's record too, as the working set
// keeps the CRC it was last written with) and returns the block to write.
UserFlashBlock packUserFlashBlock(CorrectionCoeffs& record);

enum class UserFlashStatus { Ok, CrcMismatch };

struct UserFlashContent {
    UserFlashStatus status;
    CorrectionCoeffs record; // bytes 0..449 of the block when Ok, all zero otherwise
};

// Checks the CRC over bytes 0..447 against the little-endian word at 448.
// The values themselves are not range-checked.
UserFlashContent checkUserFlashBlock(const UserFlashBlock& block);

} // namespace coeffs
