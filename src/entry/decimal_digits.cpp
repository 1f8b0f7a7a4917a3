#include "entry/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace entry {

namespace {

void setZero(DecimalDigits& number)
{
    number.digits = "0";
    number.pointPosition = 1;
}

// Keeps the first `keep` digits, rounding on the first digit dropped.
void roundAtDigit(DecimalDigits& number, int keep)
{
    if (keep >= int(number.digits.size()))
        return;
    if (keep < 0) {
        setZero(number);
        return;
    }
    const bool up = number.digits[keep] >= '5';
    number.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && number.digits[i] == '9')
            number.digits[i--] = '0';
        if (i >= 0) {
            ++number.digits[i];
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.pointPosition;
        }
    }
    if (number.digits.empty())
        setZero(number);
}

} // namespace

DecimalDigits shortestDecimalDigits(double value)
{
    DecimalDigits number;
    number.negative = std::signbit(value);
    if (!std::isfinite(value)) {
        setZero(number);
        return number;
    }
    char text[64];
    // Scientific form "d.ddde+xx" with the fewest digits that round-trip.
    const auto result = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific);
    const std::string scientific(text, result.ptr);
    const std::size_t e = scientific.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (scientific[i] != '.')
            number.digits += scientific[i];
    }
    number.pointPosition = std::atoi(scientific.c_str() + e + 1) + 1;
    if (number.digits == "0")
        setZero(number);
    return number;
}

void roundToDecimals(DecimalDigits& number, int decimals)
{
    roundAtDigit(number, number.pointPosition + decimals);
}

void roundToSignificantDigits(DecimalDigits& number, int significant)
{
    if (!isZero(number))
        roundAtDigit(number, significant);
}

bool isZero(const DecimalDigits& number)
{
    return number.digits.find_first_not_of('0') == std::string::npos;
}

std::string fixedPointText(const DecimalDigits& number, int decimals)
{
    DecimalDigits rounded = number;
    roundToDecimals(rounded, decimals);
    const auto digitAt
        = [&](int index) { return index >= 0 && index < int(rounded.digits.size()) ? rounded.digits[index] : '0'; };
    std::string text;
    if (rounded.negative && !isZero(rounded))
        text += '-';
    if (rounded.pointPosition <= 0)
        text += '0';
    for (int i = 0; i < rounded.pointPosition; ++i)
        text += digitAt(i);
    if (decimals > 0) {
        text += '.';
        for (int i = 0; i < decimals; ++i)
            text += digitAt(rounded.pointPosition + i);
    }
    return text;
}

} // namespace entry
