#include "platform/decimal_separator.h"

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

} // namespace platform
