// NormalizeDacText: the rewrite of a DAC field after every change of its text.
// Positions are 1-based as in dac_entry.h; s[i] below means the i-th character.

#include "entry/dac_entry.h"

#include "entry/decimal_digits.h"
#include "entry/number_text.h"

#include <cmath>

namespace entry {

namespace {

constexpr double kUpperLimitVolts = coeffs::DacRangeVolts;
// Above this a two-digit integer part is cut to one digit before limiting.
constexpr double kSingleDigitLimitVolts = 9.0;
constexpr double kSmallestShownVolts = 0.0001;
constexpr int kShownSignificantDigits = 4;

void removeCharAt(QString& s, int position)
{
    s.remove(position - 1, 1);
}

bool startsWithMinus(const QString& s)
{
    return s.startsWith(u'-');
}

// Rounded to four significant digits, shown with three decimals. A negative
// value keeps its sign even where the digits round to zero, as the small
// values do below.
QString shownDacNumber(double v)
{
    DecimalDigits digits = shortestDecimalDigits(v);
    roundToSignificantDigits(digits, kShownSignificantDigits);
    QString text = QString::fromStdString(fixedPointText(digits, 3));
    if (v < 0 && !text.startsWith(u'-'))
        text.prepend(u'-');
    return text;
}

} // namespace

std::optional<DacTextEdit> NormalizeDacText(const QString& fieldText, int caretPos)
{
    // 1. Blanks out; p is the position of the point, 0 when there is none.
    QString s = fieldText;
    s.remove(u' ');
    int p = int(s.indexOf(u'.')) + 1;

    // 2. No point: put one after a single character, make an empty text
    //    zero, or turn the second character into the point (Backspace after
    //    the point removed it). p keeps its value of 0 in the last two cases.
    // 3. With a point, a digit typed in front of the integer digit replaces it.
    if (p == 0) {
        if (s.size() == 1) {
            s += u'.';
            p = 2;
        } else if (s.isEmpty()) {
            s = QStringLiteral("0.000");
        } else {
            s[1] = u'.';
        }
    } else if ((!startsWithMinus(s) && p == 3) || (startsWithMinus(s) && p == 4)) {
        removeCharAt(s, p - 1);
        --p;
    }

    // 4. The text as a number; an empty field counts as zero.
    double v = 0.0;
    if (!fieldText.isEmpty()) {
        const std::optional<double> number = textToNumber(s);
        if (!number)
            return std::nullopt;
        v = *number;
    }
    const auto convertAgain = [&]() {
        const std::optional<double> number = textToNumber(s);
        if (number)
            v = *number;
        return number.has_value();
    };

    // 5. The upper limit; surplus integer digits are dropped. The lower limit
    //    waits for Enter.
    if (v > kUpperLimitVolts) {
        if (p < 2 || v <= kSingleDigitLimitVolts) {
            v = kUpperLimitVolts;
        } else {
            removeCharAt(s, 2);
            --p;
            if (!convertAgain())
                return std::nullopt;
            v = std::fmin(v, kUpperLimitVolts);
        }
    } else if (!startsWithMinus(s) && p > 2) {
        removeCharAt(s, caretPos == 1 ? 2 : 1);
        --p;
        if (!convertAgain())
            return std::nullopt;
    } else if (startsWithMinus(s) && p == 2) {
        --p;
    } else if (startsWithMinus(s) && p > 3) {
        removeCharAt(s, caretPos == 1 ? 3 : 1);
        --p;
        if (!convertAgain())
            return std::nullopt;
    }
    // A character dropped above may have been the minus sign, and the digits
    // left may stand for more than the upper limit.
    v = std::fmin(v, kUpperLimitVolts);

    // 6, 7. The new text.
    const int o = caretPos;
    const int oldLength = int(fieldText.size());
    const bool minus = startsWithMinus(s);
    QString text;
    if (std::fabs(v) >= kSmallestShownVolts)
        text = shownDacNumber(v);
    else
        text = minus ? QStringLiteral("-0.000") : QStringLiteral("0.000");
    const int newLength = int(text.size());

    // 8. The caret follows the digit typed.
    int c = o;
    if (newLength == oldLength) {
        c = o + (minus ? 1 : 0);
    } else if (newLength < oldLength) {
        if (o == 0)
            c = 0;
        else if (o + 1 == p)
            c = o + 2;
        else
            c = o + 1;
    } else if (minus) {
        c = o == p ? p + 1 : o;
    } else {
        c = o + 1 == p ? p + 1 : o;
    }
    return DacTextEdit { text, c };
}

} // namespace entry
