#include "coeffs/user_flash_record.h"

#include "coeffs/crc16.h"

#include <cstring>

namespace coeffs {

static_assert(sizeof(CorrectionCoeffs) <= sizeof(UserFlashBlock), "the record fits the user-flash block");

uint16_t recordCrc(const CorrectionCoeffs& record)
{
    return crc16CcittFalse(reinterpret_cast<const uint8_t*>(&record), kCrcCoveredBytes);
}

void stampCrc(CorrectionCoeffs& record)
{
    record.Crc = recordCrc(record);
}

UserFlashBlock packUserFlashBlock(CorrectionCoeffs& record)
{
    stampCrc(record);
    UserFlashBlock block {};
    std::memcpy(block.Bytes, &record, sizeof record);
    return block;
}

UserFlashContent checkUserFlashBlock(const UserFlashBlock& block)
{
    UserFlashContent content { UserFlashStatus::CrcMismatch, {} };
    const uint16_t stored
        = static_cast<uint16_t>(block.Bytes[kCrcCoveredBytes] | (block.Bytes[kCrcCoveredBytes + 1] << 8));
    if (crc16CcittFalse(block.Bytes, kCrcCoveredBytes) != stored)
        return content;
    content.status = UserFlashStatus::Ok;
    std::memcpy(&content.record, block.Bytes, sizeof content.record);
    return content;
}

} // namespace coeffs
