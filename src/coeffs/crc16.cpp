#include "coeffs/crc16.h"

#include <array>

namespace coeffs {

namespace {

constexpr uint16_t kPolynomial = 0x1021;

// Entry i is the register after shifting i * 256 through the polynomial eight times.
std::array<uint16_t, 256> buildTable()
{
    std::array<uint16_t, 256> table {};
    for (unsigned i = 0; i < table.size(); ++i) {
        auto reg = static_cast<uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            reg = static_cast<uint16_t>((reg & 0x8000u) ? (reg << 1) ^ kPolynomial : reg << 1);
        table[i] = reg;
    }
    return table;
}

} // namespace

uint16_t crc16CcittFalse(const uint8_t* data, std::size_t size)
{
    static const std::array<uint16_t, 256> table = buildTable();
    uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<uint16_t>(table[((crc >> 8) ^ data[i]) & 0xFFu] ^ (crc << 8));
    return crc;
}

} // namespace coeffs
