#pragma once
// The named colours of the window's design, as RGB values.

#include <QColor>

namespace design {

inline constexpr QRgb navy = 0x000080;
inline constexpr QRgb maroon = 0x800000;
inline constexpr QRgb green = 0x008000;
inline constexpr QRgb teal = 0x008080;
inline constexpr QRgb purple = 0x800080;
inline constexpr QRgb blue = 0x0000FF;
inline constexpr QRgb red = 0xFF0000;
inline constexpr QRgb lime = 0x00FF00;
inline constexpr QRgb black = 0x000000;
inline constexpr QRgb white = 0xFFFFFF;

// The system's button-face colour, the neutral colour of indicators.
QColor buttonFace();

} // namespace design
