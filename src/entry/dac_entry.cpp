#include "entry/dac_entry.h"

#include "entry/number_text.h"

#include <algorithm>
#include <cmath>

namespace entry {

namespace {

constexpr int kDacDecimals = 3;

bool caretBeforePoint(const QString& text, int caretPos)
{
    return caretPos >= 1 && caretPos <= text.size() && text[caretPos - 1] == u'.';
}

} // namespace

DacKeyAction dacTypedCharAction(QChar typed, const QString& text, int caretPos)
{
    const char16_t c = typed.unicode();
    if (c >= u'0' && c <= u'9')
        return DacKeyAction::Pass;
    if (c == kBackspace) {
        if (text.isEmpty())
            return DacKeyAction::FillZeroThenPass;
        return caretBeforePoint(text, caretPos) ? DacKeyAction::DiscardAndMoveCaretLeft : DacKeyAction::Pass;
    }
    if (c == u'-')
        return DacKeyAction::Pass;
    if (c == kEnter)
        return DacKeyAction::Apply;
    return DacKeyAction::Discard; // the point and everything else
}

bool dacDeleteKeyDiscarded(const QString& text, int caretPos)
{
    return caretBeforePoint(text, caretPos);
}

std::optional<int16_t> dacCodeFor(double volts, const coeffs::CoeffPair& dacRaw)
{
    double code = coeffs::DacCodesPerRange * volts / coeffs::DacRangeVolts;
    code = (code + dacRaw.Offset) * dacRaw.Scale;
    if (!std::isfinite(code))
        return std::nullopt;
    // std::round is half away from zero, without the error of adding 0.5 to
    // the largest double below 0.5.
    const double rounded = std::clamp(std::round(code), double(INT16_MIN), double(INT16_MAX));
    return static_cast<int16_t>(rounded);
}

DacApplyResult ApplyDacValue(const QString& fieldText, const coeffs::CoeffPair& dacRaw)
{
    DacApplyResult result;
    const std::optional<double> typed = textToNumber(fieldText);
    if (!typed)
        return result;
    result.volts = std::clamp(*typed, -coeffs::DacRangeVolts, coeffs::DacRangeVolts);
    result.text = formatFixed(result.volts, kDacDecimals);
    const std::optional<int16_t> code = dacCodeFor(result.volts, dacRaw);
    if (!code) {
        result.status = DacApplyStatus::Fault;
        return result;
    }
    result.code = *code;
    result.status = DacApplyStatus::Ok;
    return result;
}

} // namespace entry
