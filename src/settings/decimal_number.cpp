#include "settings/decimal_number.h"

#include <QByteArray>
#include <charconv>

namespace settings {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Index just past a run of digits starting at `i`.
int skipDigits(const QByteArray& s, int i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

} // namespace

std::optional<double> parseDecimalNumber(const QString& text)
{
    // Characters outside Latin-1 turn into '?', which the syntax rejects.
    const QByteArray s = text.trimmed().toLatin1();
    int i = 0;
    int numberStart = 0; // from_chars takes no '+'
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        numberStart = s[i] == '+' ? 1 : 0;
        ++i;
    }

    const int integerEnd = skipDigits(s, i);
    int mantissaDigits = integerEnd - i;
    i = integerEnd;
    if (i < s.size() && s[i] == '.') {
        const int fractionEnd = skipDigits(s, i + 1);
        mantissaDigits += fractionEnd - (i + 1);
        i = fractionEnd;
    }
    if (mantissaDigits == 0)
        return std::nullopt;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        int j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const int exponentEnd = skipDigits(s, j);
        if (exponentEnd == j)
            return std::nullopt;
        i = exponentEnd;
    }
    if (i != s.size())
        return std::nullopt;

    double value = 0.0;
    const char* first = s.constData() + numberStart;
    const char* last = s.constData() + s.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

} // namespace settings
