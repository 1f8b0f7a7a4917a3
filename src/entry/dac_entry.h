#pragma once
// Typing rules of the two DAC entry fields and the conversion of the typed
// voltage into a DAC code.
//
// Caret positions are 1-based character indices: the index of the character
// right after the caret (1 = before the first character, length + 1 = at the
// end); a QLineEdit cursorPosition() is one less.
//
// The field keeps its text in one shape: one integer digit, the point and
// three decimals, with an optional minus sign ("1.000", "-2.500", "5.000").

#include "coeffs/correction_coeffs.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace entry {

constexpr char16_t kBackspace = 0x08;
constexpr char16_t kEnter = 0x0D;

// What a typed character does in a DAC field.
enum class DacKeyAction {
    Pass, // the character goes into the text
    Discard, // the character is dropped
    DiscardAndMoveCaretLeft, // Backspace before the point: the caret steps over it
    FillZeroThenPass, // Backspace in an empty field: the text becomes "0.000" first
    Apply, // Enter: ApplyDacValue
};

// Digits and the minus sign pass, the point is always dropped (the text keeps
// its own), Enter applies, every other character is dropped.
DacKeyAction dacTypedCharAction(QChar typed, const QString& text, int caretPos);

// Delete with the caret right before the point is discarded, so the point
// cannot be deleted.
bool dacDeleteKeyDiscarded(const QString& text, int caretPos);

// The text and caret after a change of the field's text.
struct DacTextEdit {
    QString text;
    int caretPos; // SavedCursorPos: may lie outside 1..length + 1; limit it when applying
};

// Brings a changed text back into shape: a digit typed in front of the integer
// digit replaces it, a value above 5 V becomes 5.000, a removed point is put
// back after the first digit, an empty text becomes "0.000". Values below
// -5 V are limited only by ApplyDacValue. nullopt when the text does not
// convert to a number: the window reports "Обнаружена неустранимая ошибка!".
std::optional<DacTextEdit> NormalizeDacText(const QString& fieldText, int caretPos);

enum class DacApplyStatus {
    Ok,
    NotANumber, // "Обнаружена ошибка преобразования строки в число."; nothing is sent
    Fault, // the coefficients give no code (NaN or infinite): "Обнаружена неустранимая ошибка!"
};

struct DacApplyResult {
    DacApplyStatus status = DacApplyStatus::NotANumber;
    double volts = 0.0; // the value limited to ±5 V
    QString text; // the limited value with three decimals, for the field
    int16_t code = 0; // the code to send
};

// The Enter step: the field's number limited to ±5 V, then
// code = (2047 * v / 5 + offset) * scale with the output's code-side pair,
// rounded half away from zero and limited to the signed 16-bit range (a code
// beyond it is sent as the nearest end, never wrapped).
DacApplyResult ApplyDacValue(const QString& fieldText, const coeffs::CoeffPair& dacRaw);

// The DAC code for a voltage; nullopt when it is not a finite number.
std::optional<int16_t> dacCodeFor(double volts, const coeffs::CoeffPair& dacRaw);

} // namespace entry
