#include "entry/number_text.h"

#include "entry/decimal_digits.h"
#include "settings/decimal_number.h"

#include <cmath>

namespace entry {

std::optional<double> textToNumber(const QString& text)
{
    return settings::parseDecimalNumber(text);
}

QString formatFixed(double value, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return QString::fromStdString(fixedPointText(shortestDecimalDigits(value), decimals));
}

int patternDecimals(const QString& pattern)
{
    const qsizetype point = pattern.indexOf(u'.');
    return point < 0 ? 0 : int(pattern.size() - point - 1);
}

QString formatByPattern(double value, const QString& pattern)
{
    return formatFixed(value, patternDecimals(pattern));
}

QString frequencyPattern(double frequencyKHz, const QString& rangePattern)
{
    const QString twoDecimals = QStringLiteral("0.00");
    const QString threeDecimals = QStringLiteral("0.000");
    if (frequencyKHz > 1000.0 && twoDecimals.size() < rangePattern.size())
        return twoDecimals;
    if (frequencyKHz > 100.0 && threeDecimals.size() < rangePattern.size())
        return threeDecimals;
    return rangePattern;
}

} // namespace entry
