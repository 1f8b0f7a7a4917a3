#pragma once
// The process-wide decimal separator that number texts are read and written
// with. The program forces it to '.' at start, on activation, at every job
// start and before typed numbers are interpreted; a conversion that meets text
// it cannot read throws ConversionError.

#include <QString>
#include <stdexcept>

namespace platform {

char decimalSeparator();
void setDecimalSeparator(char separator);

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);
    // The text that could not be converted.
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace platform
