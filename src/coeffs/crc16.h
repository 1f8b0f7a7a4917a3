#pragma once
// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF, no reflection,
// no final XOR. The check value over "123456789" is 0x29B1.

#include <cstddef>
#include <cstdint>

namespace coeffs {

uint16_t crc16CcittFalse(const uint8_t* data, std::size_t size);

} // namespace coeffs
