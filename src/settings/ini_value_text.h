#pragma once
// How typed values are written into and read from the settings file.

#include <QString>
#include <cstdint>
#include <optional>

namespace settings {

// A signed decimal number, or hexadecimal after "0x", "0X" or "$" (a sign may
// precede the prefix). The value must fit a 32-bit signed integer; hexadecimal
// is read as a number, not as a bit pattern, so "0xFFFFFFFF" is out of range.
std::optional<int32_t> parseIniInteger(const QString& text);

// General decimal form with up to 15 significant digits and "." (1000 -> "1000",
// 0.5 -> "0.5", 1e-5 -> "1e-05"). Only finite values have a text.
std::optional<QString> formatIniFloat(double value);

} // namespace settings
