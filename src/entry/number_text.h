#pragma once
// Numbers as the entry fields, tables and value displays read and show them:
// "." is the decimal separator, there are no thousands separators.

#include <QString>
#include <optional>

namespace entry {

// Optional sign, digits with at most one ".", optional exponent, blanks
// around the whole allowed: "1e3" and " 2.5 " convert; "", "-", ",", "1,5"
// and "1.2.3" do not.
std::optional<double> textToNumber(const QString& text);

// Fixed decimals, rounded half away from zero on the value's shortest decimal
// text (2.675 with two decimals is 2.68). A value that rounds to zero shows
// no minus sign. NaN and infinities show as "NAN", "INF" and "-INF".
QString formatFixed(double value, int decimals);

// Decimals of a pattern: the characters after its "." ("0.000" -> 3, "0." -> 0).
int patternDecimals(const QString& pattern);
// formatFixed with the pattern's decimals; "0." gives a whole number without separator.
QString formatByPattern(double value, const QString& pattern);

// The pattern a frequency in kHz is shown with: above 1000 kHz "0.00" and
// above 100 kHz "0.000", each only when shorter than the frequency pattern of
// the range; otherwise, and on a tie, the frequency pattern itself.
QString frequencyPattern(double frequencyKHz, const QString& rangePattern);

} // namespace entry
