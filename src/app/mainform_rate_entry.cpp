// Numeric entry of the multimeter page: the ADC rate and the two fields of
// the outside generator. A typed value is red until Enter confirms it, and
// the start button stays disabled while any of the three is unconfirmed.

#include "mainform.h"

#include "entry/generator_entry.h"
#include "entry/number_text.h"
#include "entry_key_router.h"
#include "handler_scope.h"
#include "platform/decimal_separator.h"
#include "platform/message_seam.h"
#include "widgets/pending_entry.h"
#include "widgets/typed_key.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>
#include <stdexcept>

namespace {

const char* const kEnterCaption = "Ошибка AdcRateLMDEditKeyPress()!!!";

// Thrown when a field's text is not a number; the handler reports it.
struct NotANumber : std::runtime_error {
    NotANumber()
        : std::runtime_error("not a number")
    {
    }
};

double numberIn(const QLineEdit* field)
{
    const std::optional<double> value = entry::textToNumber(field->text());
    if (!value)
        throw NotANumber();
    return *value;
}

bool isDigit(QChar key)
{
    return key >= u'0' && key <= u'9';
}

} // namespace

void TMainForm::ConnectEntryHandlers()
{
    for (QLineEdit* field : { AdcRateLMDEdit, SignalFrequencyGeneratorLMDEdit, SignalAmpltudeGeneratorLMDEdit }) {
        connect(field, &QLineEdit::textChanged, this, [this, field] { CommonLMDEditChange(field); });
        new EntryKeyRouter(field, nullptr, [this](QObject* sender, QChar& key) { CommonLMDEditKeyPress(sender, key); });
    }
}

void TMainForm::CommonLMDEditChange(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!field || pending_entry::isPending(field))
        return;
    pending_entry::markPending(field);
    StartMultimeterLMDSpeedButton->setEnabled(false);
}

void TMainForm::CommonLMDEditKeyPress(QObject* sender, QChar& key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered() || isDigit(key))
        return;
    platform::setDecimalSeparator('.');
    if (key == u'-' || key == u'.' || key == typed_key::kBackspace)
        return;
    if (key != typed_key::kEnter) {
        key = QChar();
        return;
    }
    StopThread();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!field)
        return;
    try {
        if (field == AdcRateLMDEdit) {
            const double rateHz = numberIn(field) * 1000.0;
            // A number too large for the rate in Hz is not a rate.
            if (!std::isfinite(rateHz))
                throw NotANumber();
            AdcRateHz = rateHz;
            ApplyAdcRate();
        } else if (field == SignalFrequencyGeneratorLMDEdit) {
            const entry::GeneratorFrequencyEntry entered = entry::applyGeneratorFrequencyEntry(
                field->text(), SignalAmpltudeGeneratorLMDEdit->text(), Description.Options & 0x03);
            if (!entered.converted)
                throw NotANumber();
            field->setText(entered.frequencyText);
            SignalAmpltudeGeneratorLabLMDLabel->setText(entered.amplitudeLabel);
            if (entered.amplitudeText)
                SignalAmpltudeGeneratorLMDEdit->setText(*entered.amplitudeText);
        } else if (field == SignalAmpltudeGeneratorLMDEdit) {
            const entry::GeneratorAmplitudeEntry entered
                = entry::applyGeneratorAmplitudeEntry(SignalFrequencyGeneratorLMDEdit->text(), field->text());
            if (!entered.converted)
                throw NotANumber();
            field->setText(entered.amplitudeText);
        }
    } catch (const NotANumber&) {
        platform::showMessage(QStringLiteral("Обнаружена ошибка преобразования строки в число."),
            QString::fromUtf8(kEnterCaption), platform::MessageIcon::Information);
        return;
    } catch (const std::exception&) {
        platform::showMessage(QStringLiteral("Обнаружена неустранимая ошибка!"), QString::fromUtf8(kEnterCaption),
            platform::MessageIcon::Information);
        return;
    }
    pending_entry::markConfirmed(field);
    StartMultimeterLMDSpeedButton->setEnabled(!pending_entry::isPending(AdcRateLMDEdit)
        && !pending_entry::isPending(SignalFrequencyGeneratorLMDEdit)
        && !pending_entry::isPending(SignalAmpltudeGeneratorLMDEdit));
}
