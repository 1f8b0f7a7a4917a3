#include "settings/ini_value_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace settings {

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<int32_t> parseIniInteger(const QString& text)
{
    const QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    int base = 10;
    if (s.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < s.size() && s[i] == u'$') {
        base = 16;
        i += 1;
    }
    if (i == s.size())
        return std::nullopt;

    // One past the largest magnitude (that of INT32_MIN) is enough to know
    // the value is out of range, so the sum never overflows.
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 2;
    int64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = digitValue(s[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = std::min(magnitude * base + digit, kLimit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(value);
}

std::optional<QString> formatIniFloat(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return QString::number(value, 'g', 15);
}

} // namespace settings
