// The two DAC outputs: typing keeps each field in its numeric shape
// (one integer digit, three decimals), Enter sends the value to the module.
// A field's text is black only while the module holds the value it shows;
// every other way out of these handlers leaves it red.
// These handlers do not stop a running acquisition: the library takes a DAC
// code from this thread while the job thread reads samples.

#include "mainform.h"

#include "entry/dac_entry.h"
#include "entry_key_router.h"
#include "handler_scope.h"
#include "platform/decimal_separator.h"
#include "platform/message_seam.h"
#include "widgets/pending_entry.h"

#include <QEvent>
#include <QLineEdit>
#include <algorithm>
#include <exception>

namespace {

const char* const kKeyPressCaption = "Ошибка DacValueLMDEditKeyPress()!!!";
const QString kCannotCast = QStringLiteral("Не могу привести тип!");
const QString kFatal = QStringLiteral("Обнаружена неустранимая ошибка!");
// A text such as "-" alone, which is no number yet.
const QString kIncompleteNumber = QStringLiteral("Не могу преобразовать строку в число: число не дописано!");

QLineEdit* lineEditOrReport(QObject* sender, const QString& caption)
{
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit)
        platform::showMessage(kCannotCast, caption, platform::MessageIcon::Information);
    return edit;
}

// The caret as a 1-based character index: 1 is before the first character.
int caretOf(const QLineEdit* edit)
{
    return edit->cursorPosition() + 1;
}

// Every module search disables the fields, and the module it opens may not
// hold their levels (another module chosen, none found, one without DAC
// outputs): a disabled field turns red until its level is sent again.
class UnsentWhileDisabled : public QObject {
public:
    explicit UnsentWhileDisabled(QLineEdit* edit)
        : QObject(edit)
    {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::EnabledChange && !edit->isEnabled())
            pending_entry::markPending(edit);
        return false;
    }
};

} // namespace

void TMainForm::ConnectDacHandlers()
{
    for (QLineEdit* edit : DacEdits) {
        new UnsentWhileDisabled(edit);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { DacValueLMDEditChange(edit); });
        connect(edit, &QLineEdit::cursorPositionChanged, this, [this, edit] { DacValueLMDEditCursorPosChanged(edit); });
        new EntryKeyRouter(
            edit, [this](QObject* sender, int& key) { DacValueLMDEditKeyDown(sender, key); },
            [this](QObject* sender, QChar& key) { DacValueLMDEditKeyPress(sender, key); });
    }
}

void TMainForm::DacValueLMDEditKeyPress(QObject* sender, QChar& key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QLineEdit* edit = lineEditOrReport(sender, QString::fromUtf8(kKeyPressCaption));
    if (!edit)
        return;
    switch (entry::dacTypedCharAction(key, edit->text(), caretOf(edit))) {
    case entry::DacKeyAction::Pass:
        break;
    case entry::DacKeyAction::Discard:
        key = QChar();
        break;
    case entry::DacKeyAction::DiscardAndMoveCaretLeft:
        key = QChar();
        edit->setCursorPosition(std::max(0, edit->cursorPosition() - 1));
        break;
    case entry::DacKeyAction::FillZeroThenPass:
        // The caret stays at the start, where Backspace has nothing to remove.
        edit->setText(QStringLiteral("0.000"));
        edit->setCursorPosition(0);
        pending_entry::markPending(edit);
        break;
    case entry::DacKeyAction::Apply:
        ApplyDacValue(edit);
        break;
    }
}

void TMainForm::DacValueLMDEditKeyDown(QObject* sender, int& key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QLineEdit* edit = lineEditOrReport(sender, QStringLiteral("Ошибка DacValueLMDEditKeyDown()!!!"));
    if (!edit)
        return;
    if (key == Qt::Key_Delete && !edit->hasSelectedText() && entry::dacDeleteKeyDiscarded(edit->text(), caretOf(edit)))
        key = 0;
}

void TMainForm::DacValueLMDEditChange(QObject* sender)
{
    {
        HandlerScope scope(HandlerBusy);
        if (!scope.entered())
            return;
        QLineEdit* edit = lineEditOrReport(sender, QStringLiteral("ОШИБКА!!!"));
        if (!edit)
            return;
        CursorPosPending = true;
        // Whatever happens below, the text is no longer what the module holds.
        pending_entry::markPending(edit);
        const QString caption = QStringLiteral("Ошибка DacValueLMDEditChange()!!!");
        std::optional<entry::DacTextEdit> normalized;
        try {
            normalized = entry::NormalizeDacText(edit->text(), caretOf(edit));
        } catch (const std::exception&) {
            platform::showMessage(kFatal, caption, platform::MessageIcon::Information);
            return;
        }
        if (!normalized) {
            platform::showMessage(kIncompleteNumber, caption, platform::MessageIcon::Information);
            return;
        }
        edit->setText(normalized->text);
        SavedCursorPos = normalized->caretPos;
    }
    // The edit reports its caret while this handler still rewrites the text,
    // when the notification cannot run; the caret is placed once it is done.
    DacValueLMDEditCursorPosChanged(sender);
}

void TMainForm::DacValueLMDEditCursorPosChanged(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QLineEdit* edit = lineEditOrReport(sender, QString::fromUtf8(kKeyPressCaption));
    if (!edit)
        return;
    if (CursorPosPending) {
        const int caret = std::clamp(SavedCursorPos, 1, static_cast<int>(edit->text().size()) + 1);
        edit->setCursorPosition(caret - 1);
    }
    CursorPosPending = false;
    SavedCursorPos = 1;
}

// Runs with HandlerBusy set, so the text written here raises no change.
void TMainForm::ApplyDacValue(QObject* field)
{
    platform::setDecimalSeparator('.');
    const QString caption = QString::fromUtf8(kKeyPressCaption);
    const auto found = std::find(DacEdits.begin(), DacEdits.end(), field);
    if (found == DacEdits.end()) {
        platform::showMessage(QStringLiteral("Не могу опознать управляюшщий элемент типа TLMDEdit!"),
            QStringLiteral("Ошибка DacValueLMDEditKeyPress()!"));
        return;
    }
    QLineEdit* edit = *found;
    const auto output = static_cast<uint16_t>(found - DacEdits.begin());
    // Red until the module has taken the value: a text that does not convert,
    // a refused code or a fault leaves it so.
    pending_entry::markPending(edit);
    try {
        const coeffs::CoeffPair coefficients = WorkingCoeffs.DacRaw[output];
        const entry::DacApplyResult result = entry::ApplyDacValue(edit->text(), coefficients);
        if (result.status == entry::DacApplyStatus::NotANumber) {
            platform::showMessage(QStringLiteral("Обнаружена ошибка преобразования строки в число."), caption,
                platform::MessageIcon::Information);
            return;
        }
        edit->setText(result.text);
        if (result.status != entry::DacApplyStatus::Ok) {
            platform::showMessage(kFatal, caption, platform::MessageIcon::Information);
            return;
        }
        int16_t code = result.code;
        if (Module && Module->WRITE_DAC_SAMPLE(&code, output))
            pending_entry::markConfirmed(edit);
        else
            platform::showMessage(
                QStringLiteral("Не могу установить ЦАП!"), caption, platform::MessageIcon::Information);
    } catch (const std::exception&) {
        platform::showMessage(kFatal, caption, platform::MessageIcon::Information);
    }
}
