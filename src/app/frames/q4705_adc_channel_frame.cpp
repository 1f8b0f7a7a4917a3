#include "frames/q4705_adc_channel_frame.h"

#include "frames/value_edit.h"
#include "widgets/design_colours.h"
#include "widgets/hover_focus.h"
#include "widgets/led_shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

const char* const kNoValue = "--------";

QFont arialPixels(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <class Widget> Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QRect& geometry, const QStringList& items)
{
    auto* combo = place(new QComboBox(parent), name, geometry.x(), geometry.y(), geometry.width(), geometry.height());
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QLabel* unitLabel(QWidget* parent, const char* name, int left)
{
    auto* label = place(new QLabel(QStringLiteral("кГц"), parent), name, left, 11, 30, 19);
    label->setFont(arialPixels(15));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TQ4705AdcChannelFrame::TQ4705AdcChannelFrame(QWidget* owner, uint16_t channelIndex)
    : QFrame(owner)
    , ChannelIndex(channelIndex)
{
    setFont(arialPixels(17));

    auto* panel = place(new QFrame(this), "Q4705AdcChannelLMDSimplePanel", 0, 0, 881, 40);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Q4705AdcChannelLMDSimplePanel = panel;

    ChannelNumberLMDCheckBox = place(new QCheckBox(QStringLiteral("Канал ") + QString::number(channelIndex + 1), panel),
        "ChannelNumberLMDCheckBox", 4, 8, 100, 25);
    ChannelNumberLMDCheckBox->setFont(arialPixels(17, true));

    InputRangeLMDComboBox = dropDownList(panel, "InputRangeLMDComboBox", QRect(105, 7, 75, 27),
        { QStringLiteral(" 3.0 B "), QStringLiteral(" 1.0 B "), QStringLiteral(" 0.3 B") });
    InputRangeLMDComboBox->setMaxVisibleItems(3);
    InputConnectionModeLMDComboBox = dropDownList(panel, "InputConnectionModeLMDComboBox", QRect(187, 7, 176, 27),
        { QStringLiteral("Cобственный нуль"), QStringLiteral("  С общей землей") });
    ParTypeLMDComboBox = dropDownList(panel, "ParTypeLMDComboBox", QRect(368, 7, 99, 27),
        { QStringLiteral("     DC"), QStringLiteral("     AC"), QStringLiteral("  AC+DC") });
    ParTypeLMDComboBox->setMaxVisibleItems(3);

    Value1LMDEdit = place(new ValueEdit(panel), "Value1LMDEdit", 475, 4, 152, 34);
    Value1LabLMDLabel = unitLabel(panel, "Value1LabLMDLabel", 628);
    Value2LMDEdit = place(new ValueEdit(panel), "Value2LMDEdit", 662, 4, 153, 34);
    Value2LabLMDLabel = unitLabel(panel, "Value2LabLMDLabel", 816);

    ChannelsOverflowLed = place(new LedShape(panel), "ChannelsOverflowLed", 851, 9, 22, 22);
    ChannelsOverflowLed->setToolTip(QStringLiteral("Признак перегрузки канала"));

    setTabOrder(ChannelNumberLMDCheckBox, InputRangeLMDComboBox);
    setTabOrder(InputRangeLMDComboBox, InputConnectionModeLMDComboBox);
    setTabOrder(InputConnectionModeLMDComboBox, ParTypeLMDComboBox);
    setTabOrder(ParTypeLMDComboBox, Value1LMDEdit);
    setTabOrder(Value1LMDEdit, Value2LMDEdit);

    for (ValueEdit* edit : { Value1LMDEdit, Value2LMDEdit }) {
        setFocusOnHover(edit, true);
        connect(edit, &ValueEdit::refreshed, this, [this, edit] { ValueLMDEditChange(edit); });
        connect(edit, &ValueEdit::mouseEntered, this, [this, edit] { ValueLMDEditMouseEnter(edit); });
        connect(edit, &ValueEdit::mouseLeft, this, [this, edit] { ValueLMDEditMouseExit(edit); });
    }

    SetLedState(kLedIdle);
    resize(panel->x() + panel->width(), panel->y() + panel->height());
}

void TQ4705AdcChannelFrame::setApplicationActive(bool active)
{
    ApplicationActive = active;
    setFocusOnHover(Value1LMDEdit, active);
    setFocusOnHover(Value2LMDEdit, active);
}

void TQ4705AdcChannelFrame::SetLedState(int state)
{
    switch (state) {
    case kLedNoOverload:
    case kLedOverload:
        ChannelsOverflowLed->setLitColour(QColor(design::red));
        ChannelsOverflowLed->setUnlitColour(QColor(design::green));
        ChannelsOverflowLed->setOn(state == kLedOverload);
        break;
    case kLedIdle:
        ChannelsOverflowLed->setLitColour(design::buttonFace());
        ChannelsOverflowLed->setUnlitColour(design::buttonFace());
        ChannelsOverflowLed->setOn(false);
        break;
    default:
        break;
    }
}

void TQ4705AdcChannelFrame::EnableChannelControls()
{
    setChannelControlsEnabled(true);
}

void TQ4705AdcChannelFrame::DisableChannelControls()
{
    setChannelControlsEnabled(false);
}

void TQ4705AdcChannelFrame::setChannelControlsEnabled(bool enabled)
{
    for (QWidget* control :
        std::initializer_list<QWidget*> { InputRangeLMDComboBox, InputConnectionModeLMDComboBox, ParTypeLMDComboBox,
            Value1LMDEdit, Value1LabLMDLabel, Value2LMDEdit, Value2LabLMDLabel, ChannelsOverflowLed })
        control->setEnabled(enabled);
}

void TQ4705AdcChannelFrame::DisableFramePanel()
{
    // Each control is disabled on its own, not only through the panel, so it
    // stays disabled when the panel is enabled again until it is enabled
    // itself. Only the panel's own controls: the combo boxes' pop-ups are
    // their internal children and must stay enabled.
    Q4705AdcChannelLMDSimplePanel->setEnabled(false);
    for (QWidget* control :
        Q4705AdcChannelLMDSimplePanel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        control->setEnabled(false);
}

void TQ4705AdcChannelFrame::Reset()
{
    ChannelNumberLMDCheckBox->setChecked(false);
    InputRangeLMDComboBox->setCurrentIndex(-1);
    InputConnectionModeLMDComboBox->setCurrentIndex(-1);
    ParTypeLMDComboBox->setCurrentIndex(-1);
    Value1LMDEdit->setValueText(QLatin1String(kNoValue));
    Value2LMDEdit->setValueText(QLatin1String(kNoValue));
    Value1LabLMDLabel->clear();
    Value2LabLMDLabel->clear();
    SetLedState(kLedIdle);
}

ValueEdit* TQ4705AdcChannelFrame::displayEdit(int display) const
{
    return display == 1 ? Value1LMDEdit : Value2LMDEdit;
}

QLabel* TQ4705AdcChannelFrame::displayUnit(int display) const
{
    return display == 1 ? Value1LabLMDLabel : Value2LabLMDLabel;
}

void TQ4705AdcChannelFrame::ShowValue(int display, const QString& text, const QColor& colour, const QString& unit)
{
    ValueEdit* edit = displayEdit(display);
    edit->setEnabled(true);
    edit->setTextColour(colour);
    edit->setValueText(text);
    displayUnit(display)->setText(unit);
}

void TQ4705AdcChannelFrame::DisableValue(int display)
{
    ValueEdit* edit = displayEdit(display);
    edit->setEnabled(false);
    edit->setValueText(QLatin1String(kNoValue));
    displayUnit(display)->clear();
}

void TQ4705AdcChannelFrame::ShowNoValues()
{
    for (int display : { 1, 2 }) {
        displayEdit(display)->setValueText(QLatin1String(kNoValue));
        displayUnit(display)->clear();
    }
}

void TQ4705AdcChannelFrame::ValueLMDEditChange(ValueEdit* edit)
{
    // A value refreshed under the pointer stays selected, also when the new
    // text equals the old one.
    if (ApplicationActive && edit->isMouseAbove())
        edit->selectAllFromStart();
}

void TQ4705AdcChannelFrame::ValueLMDEditMouseEnter(ValueEdit* edit)
{
    if (ApplicationActive && !edit->text().contains(QLatin1String("--")))
        edit->selectAllFromStart();
}

void TQ4705AdcChannelFrame::ValueLMDEditMouseExit(ValueEdit* edit)
{
    if (ApplicationActive)
        edit->deselect();
}
