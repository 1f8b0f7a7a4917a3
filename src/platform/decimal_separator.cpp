#include "platform/decimal_separator.h"

#include <QLocale>
#include <atomic>

namespace platform {
namespace {
std::atomic<char> separator { '.' };
}

char decimalSeparator()
{
    return separator.load(std::memory_order_relaxed);
}

void setDecimalSeparator(char newSeparator)
{
    separator.store(newSeparator, std::memory_order_relaxed);
}

ConversionError::ConversionError(const QString& text)
    : std::runtime_error("'" + text.toStdString() + "' is not a valid number")
    , text_(text)
{
}

double StrToFloat(const QString& text)
{
    QString number = text.trimmed();
    const QChar current = QLatin1Char(decimalSeparator());
    // Only the current separator may stand for the decimal point.
    if (current != QLatin1Char('.')) {
        if (number.contains(QLatin1Char('.')))
            throw ConversionError(text);
        number.replace(current, QLatin1Char('.'));
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || number.isEmpty())
        throw ConversionError(text);
    return value;
}

int StrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw ConversionError(text);
    return value;
}

} // namespace platform
