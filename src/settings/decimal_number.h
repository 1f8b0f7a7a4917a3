#pragma once
// Text to number the way the program reads numbers everywhere (settings file,
// entry fields, coefficient cells): "." is the only decimal separator.

#include <QString>
#include <optional>

namespace settings {

// Accepts an optional sign, digits with at most one ".", at least one digit,
// and an optional exponent ("1e3", "-2.5E-2", ".5", "5."), with blanks around
// the whole. Everything else fails: "", "-", ".", ",", "1,5", "1.2.3", "inf",
// "nan", hexadecimal, and values beyond the range of a double.
std::optional<double> parseDecimalNumber(const QString& text);

} // namespace settings
