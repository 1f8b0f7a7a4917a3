// The channel frames' controls and the group controls of all channels: a
// group control pushes its value into the four frames, and a change in one
// frame pulls the group control along; the group shows a value only while all
// four channels agree.

#include "mainform.h"

#include "dsp/par_type.h"
#include "entry/number_text.h"
#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "handler_scope.h"
#include "platform/message_seam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kNoValue = QStringLiteral("--------");
const QString kNoRate = QStringLiteral("------");
const QString kKiloHertz = QStringLiteral("кГц");
const QString kRatePattern = QStringLiteral("0.0");

using ComboOfFrame = QComboBox* TQ4705AdcChannelFrame::*;

// The index all four frames' boxes hold, or -1 when they differ.
int agreedIndex(const std::array<TQ4705AdcChannelFrame*, 4>& frames, ComboOfFrame box)
{
    const int first = (frames[0]->*box)->currentIndex();
    for (const TQ4705AdcChannelFrame* frame : frames) {
        if ((frame->*box)->currentIndex() != first)
            return -1;
    }
    return first;
}

void copyIndexToFrames(const std::array<TQ4705AdcChannelFrame*, 4>& frames, ComboOfFrame box, int index)
{
    for (TQ4705AdcChannelFrame* frame : frames)
        (frame->*box)->setCurrentIndex(index);
}

void setField(QLineEdit* field, bool enabled, const QString* text = nullptr)
{
    field->setEnabled(enabled);
    if (text)
        field->setText(*text);
}

void setUnit(QLabel* label, bool enabled, const QString& text)
{
    label->setEnabled(enabled);
    label->setText(text);
}

} // namespace

// The check box's own mirror comes first, so the handler and the job see
// the same state.
void TMainForm::ConnectChannelFrame(TQ4705AdcChannelFrame* frame)
{
    const int channel = frame->channelIndex();
    QCheckBox* box = frame->ChannelNumberLMDCheckBox;
    connect(box, &QCheckBox::toggled, this, [this, channel](bool checked) { ChannelChecked[channel].store(checked); });
    connect(box, &QCheckBox::toggled, this, [this, box] { EnaChannelLMDCheckBoxChange(box); });
    connect(
        frame->InputRangeLMDComboBox, &QComboBox::currentIndexChanged, this, [this] { InputRangeLMDComboBoxChange(); });
    connect(frame->InputConnectionModeLMDComboBox, &QComboBox::currentIndexChanged, this,
        [this] { InputConnectionModeLMDComboBoxChange(); });
    QComboBox* parType = frame->ParTypeLMDComboBox;
    connect(parType, &QComboBox::currentIndexChanged, this, [this, parType] { ParTypeLMDComboBoxChange(parType); });
}

void TMainForm::ConnectGroupChannelHandlers()
{
    connect(AllChannelsLMDCheckBox, &QCheckBox::stateChanged, this, [this] { AllChannelsLMDCheckBoxChange(); });
    connect(
        AllInputRangeLMDComboBox, &QComboBox::currentIndexChanged, this, [this] { AllInputRangeLMDComboBoxChange(); });
    connect(CommonInputConnectionModeLMDComboBox, &QComboBox::currentIndexChanged, this,
        [this] { CommonInputConnectionModeLMDComboBoxChange(); });
    connect(CommonMeasuringMethodLMDComboBox, &QComboBox::currentIndexChanged, this,
        [this] { CommonMeasuringMethodLMDComboBoxChange(); });
}

void TMainForm::SetValueUnitCaptions(TQ4705AdcChannelFrame* frame)
{
    const QString unit = AmplitudeKind == QLatin1String("volt") ? QStringLiteral("мВ") : QStringLiteral("код");
    switch (frame->ParTypeLMDComboBox->currentIndex()) {
    case dsp::kParDc:
        frame->Value1LabLMDLabel->setText(unit);
        frame->Value2LabLMDLabel->clear();
        break;
    case dsp::kParAc:
        frame->Value1LabLMDLabel->setText(unit);
        frame->Value2LabLMDLabel->setText(kKiloHertz);
        break;
    case dsp::kParAcDc:
        frame->Value1LabLMDLabel->setText(unit);
        frame->Value2LabLMDLabel->setText(unit);
        break;
    default:
        break;
    }
}

void TMainForm::UpdateChannelValueFields(TQ4705AdcChannelFrame* frame, bool methodAware)
{
    if (!frame->ChannelNumberLMDCheckBox->isChecked()) {
        setField(frame->Value1LMDEdit, false, &kNoValue);
        setUnit(frame->Value1LabLMDLabel, false, QString());
        setField(frame->Value2LMDEdit, false, &kNoValue);
        setUnit(frame->Value2LabLMDLabel, false, QString());
        return;
    }
    const int parType = frame->ParTypeLMDComboBox->currentIndex();
    if (!dsp::isKnownParType(parType))
        return;
    SetValueUnitCaptions(frame);
    setField(frame->Value1LMDEdit, true);
    frame->Value1LabLMDLabel->setEnabled(true);
    const bool frequencyShown = !methodAware || ComputationMethod == QLatin1String("fft");
    switch (parType) {
    case dsp::kParDc:
        setField(frame->Value2LMDEdit, false);
        setUnit(frame->Value2LabLMDLabel, false, QString());
        break;
    case dsp::kParAc:
        setField(frame->Value2LMDEdit, frequencyShown, methodAware ? &kNoValue : nullptr);
        setUnit(frame->Value2LabLMDLabel, frequencyShown, frequencyShown ? kKiloHertz : QString());
        break;
    case dsp::kParAcDc:
        setField(frame->Value2LMDEdit, true);
        frame->Value2LabLMDLabel->setEnabled(true);
        break;
    }
}

bool TMainForm::ApplyAdcRate()
{
    HandlerScope programmaticChange(HandlerBusy);
    const bool accepted = SetAdcPars();
    if (accepted) {
        AdcRateHz = AdcPars.AdcRate * 1000.0;
        KadrRateHz = AdcPars.KadrRate * 1000.0;
        AdcRateLMDEdit->setText(entry::formatByPattern(AdcRateHz * 0.001, kRatePattern));
        KadrRateLMDLabel->setText(entry::formatByPattern(KadrRateHz * 0.001, kRatePattern));
    } else {
        AdcRateLMDEdit->setText(kNoRate);
        KadrRateLMDLabel->setText(kNoRate);
    }
    return accepted;
}

void TMainForm::AllChannelsLMDCheckBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    const bool on = AllChannelsLMDCheckBox->checkState() == Qt::Checked;
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        frame->ChannelNumberLMDCheckBox->setChecked(on);
        if (on)
            frame->EnableChannelControls();
        else
            frame->DisableChannelControls();
        UpdateChannelValueFields(frame, false);
    }
    ApplyAdcRate();
}

void TMainForm::AllInputRangeLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    copyIndexToFrames(
        ChannelFrames, &TQ4705AdcChannelFrame::InputRangeLMDComboBox, AllInputRangeLMDComboBox->currentIndex());
}

void TMainForm::CommonInputConnectionModeLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    copyIndexToFrames(ChannelFrames, &TQ4705AdcChannelFrame::InputConnectionModeLMDComboBox,
        CommonInputConnectionModeLMDComboBox->currentIndex());
}

void TMainForm::CommonMeasuringMethodLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    const int index = CommonMeasuringMethodLMDComboBox->currentIndex();
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        frame->ParTypeLMDComboBox->setCurrentIndex(index);
        if (frame->ChannelNumberLMDCheckBox->isChecked())
            UpdateChannelValueFields(frame, true);
    }
}

void TMainForm::EnaChannelLMDCheckBoxChange(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    auto* box = qobject_cast<QCheckBox*>(sender);
    if (!box) {
        platform::showMessage(QStringLiteral("Не могу привести тип!"),
            QStringLiteral("Ошибка EnaChannelLMDCheckBoxChange()!!!"), platform::MessageIcon::Information);
        return;
    }
    TQ4705AdcChannelFrame* frame = nullptr;
    for (TQ4705AdcChannelFrame* candidate : ChannelFrames) {
        if (candidate->ChannelNumberLMDCheckBox == box)
            frame = candidate;
    }
    if (!frame) {
        platform::showMessage(QStringLiteral("Не могу опознать управляюшщий элемент типа TLMDCheckBox!"),
            QStringLiteral("Ошибка EnaChannelLMDCheckBoxChange()!"));
        return;
    }
    const bool on = box->isChecked();
    if (on)
        frame->EnableChannelControls();
    else
        frame->DisableChannelControls();

    int checkedCount = 0;
    for (const TQ4705AdcChannelFrame* each : ChannelFrames)
        checkedCount += each->ChannelNumberLMDCheckBox->isChecked() ? 1 : 0;
    const int all = static_cast<int>(ChannelFrames.size());
    AllChannelsLMDCheckBox->setCheckState(
        checkedCount == all ? Qt::Checked : (checkedCount == 0 ? Qt::Unchecked : Qt::PartiallyChecked));

    UpdateChannelValueFields(frame, false);
    if (!on)
        frame->SetLedState(kLedIdle);
    // The enabled channels make up the frame, and so the frame rate.
    ApplyAdcRate();
}

void TMainForm::InputRangeLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    AllInputRangeLMDComboBox->setCurrentIndex(
        agreedIndex(ChannelFrames, &TQ4705AdcChannelFrame::InputRangeLMDComboBox));
}

void TMainForm::InputConnectionModeLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    CommonInputConnectionModeLMDComboBox->setCurrentIndex(
        agreedIndex(ChannelFrames, &TQ4705AdcChannelFrame::InputConnectionModeLMDComboBox));
}

void TMainForm::ParTypeLMDComboBoxChange(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    CommonMeasuringMethodLMDComboBox->setCurrentIndex(
        agreedIndex(ChannelFrames, &TQ4705AdcChannelFrame::ParTypeLMDComboBox));
    auto* box = qobject_cast<QComboBox*>(sender);
    if (!box) {
        platform::showMessage(QStringLiteral("Не могу привести тип!"),
            QStringLiteral("Ошибка ParTypeLMDComboBoxChange()!!!"), platform::MessageIcon::Information);
        return;
    }
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        if (frame->ParTypeLMDComboBox != box)
            continue;
        if (frame->ChannelNumberLMDCheckBox->isChecked())
            UpdateChannelValueFields(frame, true);
        return;
    }
    platform::showMessage(QStringLiteral("Не могу опознать управляюшщий элемент типа TLMDComboBox!"),
        QStringLiteral("Ошибка ParTypeLMDComboBoxChange()!"));
}

// Once a module is ready every frame takes input again; the channels that
// are on get their controls and value fields.
void TMainForm::EnableChannelControlsForReadyModule()
{
    for (TQ4705AdcChannelFrame* frame : ChannelFrames) {
        frame->setEnabled(true);
        frame->Q4705AdcChannelLMDSimplePanel->setEnabled(true);
        frame->ChannelNumberLMDCheckBox->setEnabled(true);
        if (frame->ChannelNumberLMDCheckBox->isChecked()) {
            frame->EnableChannelControls();
            UpdateChannelValueFields(frame, false);
        } else {
            frame->DisableChannelControls();
        }
    }
}
