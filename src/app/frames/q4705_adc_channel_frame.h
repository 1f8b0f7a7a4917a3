#pragma once
// One ADC channel's strip on the multimeter page: on/off, input range,
// connection mode and measured parameter, two value displays with their
// units, and the overload LED. The window connects the controls' change
// signals and writes the values; the frame keeps its small behaviours:
// LED states, enabling, reset, and selecting a value under the mouse.

#include <QFrame>
#include <cstdint>

class QCheckBox;
class QColor;
class QComboBox;
class QLabel;
class LedShape;
class ValueEdit;

// The states of a channel's overload LED, as SetLedState takes them.
enum OverloadLedState : int {
    kLedNoOverload = 0, // green
    kLedOverload = 1, // red
    kLedIdle = 2, // grey: idle or channel off
};

class TQ4705AdcChannelFrame : public QFrame {
    Q_OBJECT
public:
    // Builds the frame for channel `channelIndex` (0..3) with `owner` as its
    // parent; the caller names and places it.
    TQ4705AdcChannelFrame(QWidget* owner, uint16_t channelIndex);

    QFrame* Q4705AdcChannelLMDSimplePanel = nullptr;
    QCheckBox* ChannelNumberLMDCheckBox = nullptr;
    QComboBox* InputRangeLMDComboBox = nullptr;
    QComboBox* InputConnectionModeLMDComboBox = nullptr;
    QComboBox* ParTypeLMDComboBox = nullptr;
    ValueEdit* Value1LMDEdit = nullptr;
    QLabel* Value1LabLMDLabel = nullptr;
    ValueEdit* Value2LMDEdit = nullptr;
    QLabel* Value2LabLMDLabel = nullptr;
    LedShape* ChannelsOverflowLed = nullptr;

    uint16_t channelIndex() const { return ChannelIndex; }
    bool applicationActive() const { return ApplicationActive; }
    // Follows the application's activation: while active, pointing at a value
    // selects it and the value displays take the focus under the mouse.
    void setApplicationActive(bool active);

    // An OverloadLedState; any other value changes nothing.
    void SetLedState(int state);
    // Enable or disable the channel's settings, values, units and LED; the
    // on/off check box is left as it is.
    void EnableChannelControls();
    void DisableChannelControls();
    // Disables the panel and every control on it.
    void DisableFramePanel();
    // Check box off, no selections, "--------" values, no units, grey LED.
    void Reset();

    // Value display 1 or 2 enabled, showing `text` in `colour` with `unit`.
    void ShowValue(int display, const QString& text, const QColor& colour, const QString& unit);
    // Value display 1 or 2 disabled with "--------" and no unit.
    void DisableValue(int display);
    // Both displays "--------" without units, as for a channel that is off.
    void ShowNoValues();

private:
    void setChannelControlsEnabled(bool enabled);
    ValueEdit* displayEdit(int display) const;
    QLabel* displayUnit(int display) const;
    void ValueLMDEditChange(ValueEdit* edit);
    void ValueLMDEditMouseEnter(ValueEdit* edit);
    void ValueLMDEditMouseExit(ValueEdit* edit);

    uint16_t ChannelIndex;
    bool ApplicationActive = false;
};
