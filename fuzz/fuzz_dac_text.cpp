// Any text and caret in a DAC field: the rewrite after a change never fails
// badly and its text is a number no greater than 5 V that Enter can apply.
// Within the output range (the lower limit waits for Enter) the text has the
// field's shape, one digit, the point and three decimals, and rewriting it
// again, with the caret anywhere, leaves it as it is.

#include "entry/dac_entry.h"
#include "entry/number_text.h"
#include "fuzz_check.h"

#include <QRegularExpression>
#include <cstddef>
#include <cstdint>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte places the caret, the rest is the field's text.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const int caret = static_cast<int>(data[0] % (text.size() + 3)); // 0 .. length + 2
    const std::optional<entry::DacTextEdit> edit = entry::NormalizeDacText(text, caret);
    if (!edit)
        return 0;

    const std::optional<double> value = entry::textToNumber(edit->text);
    fuzzCheck(value.has_value(), "the rewritten text is a number");
    fuzzCheck(*value <= 5.0, "the rewritten text is at most 5 V");
    if (*value < -5.0)
        return 0;
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]\\.[0-9]{3}$"));
    fuzzCheck(shape.match(edit->text).hasMatch(), "the rewritten text has the field's shape");
    for (int again = 1; again <= edit->text.size() + 1; ++again) {
        const std::optional<entry::DacTextEdit> second = entry::NormalizeDacText(edit->text, again);
        fuzzCheck(second && second->text == edit->text, "a rewritten text stays as it is");
    }
    return 0;
}
