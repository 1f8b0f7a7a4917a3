// The channel frame: its design, LED states, reset, enabling, and what
// pointing at a value selects.
#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "widgets/design_colours.h"
#include "widgets/hover_focus.h"
#include "widgets/led_shape.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kLime(0, 255, 0);

class ChannelFrame : public ::testing::Test {
protected:
    QWidget owner;
    TQ4705AdcChannelFrame frame { &owner, 2 };

    void pointAt(ValueEdit* edit)
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(edit, &enter);
    }
    void leave(ValueEdit* edit)
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(edit, &leave);
    }
};

TEST_F(ChannelFrame, IsBuiltFromTheDesignForItsChannel)
{
    EXPECT_EQ(frame.parentWidget(), &owner);
    EXPECT_EQ(frame.channelIndex(), 2);
    EXPECT_FALSE(frame.applicationActive());
    EXPECT_TRUE(frame.objectName().isEmpty()); // the window names it
    EXPECT_EQ(frame.size(), QSize(881, 40));
    EXPECT_EQ(frame.ChannelNumberLMDCheckBox->text(), QStringLiteral("Канал 3"));

    struct Part {
        QWidget* widget;
        const char* name;
        QRect geometry;
    };
    const Part parts[] = {
        { frame.Q4705AdcChannelLMDSimplePanel, "Q4705AdcChannelLMDSimplePanel", QRect(0, 0, 881, 40) },
        { frame.ChannelNumberLMDCheckBox, "ChannelNumberLMDCheckBox", QRect(4, 8, 100, 25) },
        { frame.InputRangeLMDComboBox, "InputRangeLMDComboBox", QRect(105, 7, 75, 27) },
        { frame.InputConnectionModeLMDComboBox, "InputConnectionModeLMDComboBox", QRect(187, 7, 176, 27) },
        { frame.ParTypeLMDComboBox, "ParTypeLMDComboBox", QRect(368, 7, 99, 27) },
        { frame.Value1LMDEdit, "Value1LMDEdit", QRect(475, 4, 152, 34) },
        { frame.Value1LabLMDLabel, "Value1LabLMDLabel", QRect(628, 11, 30, 19) },
        { frame.Value2LMDEdit, "Value2LMDEdit", QRect(662, 4, 153, 34) },
        { frame.Value2LabLMDLabel, "Value2LabLMDLabel", QRect(816, 11, 30, 19) },
        { frame.ChannelsOverflowLed, "ChannelsOverflowLed", QRect(851, 9, 22, 22) },
    };
    for (const Part& part : parts) {
        SCOPED_TRACE(part.name);
        ASSERT_NE(part.widget, nullptr);
        EXPECT_EQ(part.widget->objectName(), QLatin1String(part.name));
        EXPECT_EQ(part.widget->geometry(), part.geometry);
        EXPECT_EQ(frame.findChild<QWidget*>(QLatin1String(part.name)), part.widget);
        if (part.widget != frame.Q4705AdcChannelLMDSimplePanel) {
            EXPECT_EQ(part.widget->parentWidget(), frame.Q4705AdcChannelLMDSimplePanel);
        }
    }

    const std::pair<QComboBox*, QStringList> lists[] = {
        { frame.InputRangeLMDComboBox, { " 3.0 B ", " 1.0 B ", " 0.3 B" } },
        { frame.InputConnectionModeLMDComboBox, { "Cобственный нуль", "  С общей землей" } },
        { frame.ParTypeLMDComboBox, { "     DC", "     AC", "  AC+DC" } },
    };
    for (const auto& [combo, items] : lists) {
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        EXPECT_EQ(shown, items);
    }
    EXPECT_EQ(frame.InputRangeLMDComboBox->maxVisibleItems(), 3);
    EXPECT_EQ(frame.ParTypeLMDComboBox->maxVisibleItems(), 3);
    EXPECT_EQ(frame.ChannelsOverflowLed->toolTip(), QStringLiteral("Признак перегрузки канала"));
    EXPECT_EQ(frame.font().pixelSize(), 17);
    EXPECT_TRUE(frame.ChannelNumberLMDCheckBox->font().bold());
    EXPECT_EQ(frame.Value1LabLMDLabel->font().pixelSize(), 15);
}

TEST_F(ChannelFrame, ValueEditsAreLimeOnBlackReadOnlyAndCentred)
{
    for (ValueEdit* edit : { frame.Value1LMDEdit, frame.Value2LMDEdit }) {
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->alignment(), Qt::AlignCenter);
        EXPECT_EQ(edit->contextMenuPolicy(), Qt::NoContextMenu);
        EXPECT_EQ(edit->font().family(), QStringLiteral("Courier New"));
        EXPECT_EQ(edit->font().pixelSize(), 27);
        EXPECT_TRUE(edit->font().bold());
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0, 0, 0));
        EXPECT_EQ(edit->palette().color(QPalette::Text), kLime);
        EXPECT_TRUE(focusOnHover(edit));
    }
    frame.Value1LMDEdit->setTextColour(kRed);
    EXPECT_EQ(frame.Value1LMDEdit->textColour(), kRed);
    EXPECT_EQ(frame.Value1LMDEdit->palette().color(QPalette::Text), kRed);
    EXPECT_EQ(frame.Value2LMDEdit->palette().color(QPalette::Text), kLime);
}

TEST_F(ChannelFrame, LedStatesShowGreenRedOrGrey)
{
    struct Case {
        int state;
        QColor lit;
        QColor unlit;
        bool on;
        QColor shown;
    };
    const Case cases[] = {
        { 0, kRed, kGreen, false, kGreen },
        { 1, kRed, kGreen, true, kRed },
        { 2, design::buttonFace(), design::buttonFace(), false, design::buttonFace() },
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.state);
        frame.SetLedState(expected.state);
        const LedShape* led = frame.ChannelsOverflowLed;
        EXPECT_EQ(led->litColour(), expected.lit);
        EXPECT_EQ(led->unlitColour(), expected.unlit);
        EXPECT_EQ(led->isOn(), expected.on);
        EXPECT_EQ(led->shownColour(), expected.shown);
    }
}

TEST_F(ChannelFrame, AnyOtherLedStateChangesNothing)
{
    frame.SetLedState(1);
    for (int state : { -1, 3, 255 }) {
        frame.SetLedState(state);
        EXPECT_TRUE(frame.ChannelsOverflowLed->isOn());
        EXPECT_EQ(frame.ChannelsOverflowLed->shownColour(), kRed);
        EXPECT_EQ(frame.ChannelsOverflowLed->unlitColour(), kGreen);
    }
}

TEST_F(ChannelFrame, StartsGreyAndResetClearsEverything)
{
    EXPECT_EQ(frame.ChannelsOverflowLed->shownColour(), design::buttonFace());
    EXPECT_FALSE(frame.ChannelsOverflowLed->isOn());

    frame.ChannelNumberLMDCheckBox->setChecked(true);
    frame.InputRangeLMDComboBox->setCurrentIndex(1);
    frame.InputConnectionModeLMDComboBox->setCurrentIndex(0);
    frame.ParTypeLMDComboBox->setCurrentIndex(2);
    frame.Value1LMDEdit->setText(QStringLiteral("12.345"));
    frame.Value2LMDEdit->setText(QStringLiteral("0.5"));
    frame.Value1LabLMDLabel->setText(QStringLiteral("мВ"));
    frame.Value2LabLMDLabel->setText(QStringLiteral("кГц"));
    frame.SetLedState(1);

    frame.Reset();
    EXPECT_FALSE(frame.ChannelNumberLMDCheckBox->isChecked());
    EXPECT_EQ(frame.InputRangeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(frame.InputConnectionModeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(frame.ParTypeLMDComboBox->currentIndex(), -1);
    EXPECT_EQ(frame.Value1LMDEdit->text(), QStringLiteral("--------"));
    EXPECT_EQ(frame.Value2LMDEdit->text(), QStringLiteral("--------"));
    EXPECT_TRUE(frame.Value1LabLMDLabel->text().isEmpty());
    EXPECT_TRUE(frame.Value2LabLMDLabel->text().isEmpty());
    EXPECT_FALSE(frame.ChannelsOverflowLed->isOn());
    EXPECT_EQ(frame.ChannelsOverflowLed->shownColour(), design::buttonFace());
}

TEST_F(ChannelFrame, EnablingTouchesEverythingButTheCheckBox)
{
    const std::vector<QWidget*> channelControls = { frame.InputRangeLMDComboBox, frame.InputConnectionModeLMDComboBox,
        frame.ParTypeLMDComboBox, frame.Value1LMDEdit, frame.Value1LabLMDLabel, frame.Value2LMDEdit,
        frame.Value2LabLMDLabel, frame.ChannelsOverflowLed };

    frame.DisableChannelControls();
    for (QWidget* control : channelControls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(frame.ChannelNumberLMDCheckBox->isEnabled());

    frame.ChannelNumberLMDCheckBox->setEnabled(false);
    frame.EnableChannelControls();
    for (QWidget* control : channelControls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(frame.ChannelNumberLMDCheckBox->isEnabled());
}

TEST_F(ChannelFrame, DisabledPanelKeepsItsControlsDisabledWhenEnabledAgain)
{
    frame.DisableFramePanel();
    EXPECT_FALSE(frame.Q4705AdcChannelLMDSimplePanel->isEnabled());

    // Enabling the panel alone brings back no control: each is enabled on its
    // own (the check box first, then the channel controls).
    frame.Q4705AdcChannelLMDSimplePanel->setEnabled(true);
    for (QWidget* control :
        frame.Q4705AdcChannelLMDSimplePanel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    frame.ChannelNumberLMDCheckBox->setEnabled(true);
    frame.EnableChannelControls();
    EXPECT_TRUE(frame.Value2LMDEdit->isEnabled());
    EXPECT_TRUE(frame.ChannelsOverflowLed->isEnabled());
}

TEST_F(ChannelFrame, PointingAtAValueSelectsItWhileTheApplicationIsActive)
{
    struct Case {
        bool active;
        const char* text;
        bool selectedOnEnter;
    };
    const Case cases[] = {
        { true, "123.45", true },
        { true, "--------", false },
        { true, "-12.5", true }, // one minus sign is a value, not a placeholder
        { false, "123.45", false },
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.text);
        frame.setApplicationActive(expected.active);
        ValueEdit* edit = frame.Value2LMDEdit;
        edit->setText(QString::fromLatin1(expected.text));
        pointAt(edit);
        EXPECT_EQ(edit->hasSelectedText(), expected.selectedOnEnter);
        if (expected.selectedOnEnter) {
            EXPECT_EQ(edit->selectedText(), edit->text());
        }
        leave(edit);
        EXPECT_FALSE(edit->hasSelectedText());
    }
}

TEST_F(ChannelFrame, AValueRefreshedUnderThePointerStaysSelected)
{
    frame.setApplicationActive(true);
    ValueEdit* edit = frame.Value1LMDEdit;
    edit->setText(QStringLiteral("1.000"));
    pointAt(edit);
    edit->setText(QStringLiteral("1.250"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("1.250"));

    leave(edit);
    edit->setText(QStringLiteral("1.500"));
    EXPECT_FALSE(edit->hasSelectedText());
}

// The first and the last character position visible in `edit` as it is drawn
// now: the positions nearest the left and right ends of the text area.
std::pair<int, int> visibleSpan(ValueEdit* edit)
{
    edit->grab(); // the line edit settles its scrolling when it paints
    const QRect inside = edit->contentsRect().adjusted(3, 0, -3, 0);
    const int middle = inside.center().y();
    return { edit->cursorPositionAt(QPoint(inside.left(), middle)),
        edit->cursorPositionAt(QPoint(inside.right(), middle)) };
}

struct ShownCase {
    int width;
    const char* text;
    bool tailCut; // the text is far wider than the field in any monospaced 27 px font
};

class ValueShown : public ChannelFrame, public ::testing::WithParamInterface<ShownCase> { };

// Negative values at 0 to 10 decimals, in the two design widths and in
// narrower fields: the sign and the leading digits are always in view.
TEST_P(ValueShown, TheHeadOfTheNumberIsAlwaysInView)
{
    const ShownCase& row = GetParam();
    const QString text = QString::fromLatin1(row.text);
    for (ValueEdit* edit : { frame.Value1LMDEdit, frame.Value2LMDEdit }) {
        edit->resize(row.width, edit->height());
        for (bool pointedAt : { false, true }) {
            SCOPED_TRACE(pointedAt ? "under the pointer" : "not pointed at");
            frame.setApplicationActive(pointedAt);
            if (pointedAt)
                pointAt(edit);
            frame.ShowValue(edit == frame.Value1LMDEdit ? 1 : 2, text, kLime, QStringLiteral("мВ"));
            auto [first, last] = visibleSpan(edit);
            EXPECT_EQ(first, 0);
            if (row.tailCut) {
                EXPECT_LT(last, text.size());
            }
            // Shown again unchanged, as a steady value is at every block.
            frame.ShowValue(edit == frame.Value1LMDEdit ? 1 : 2, text, kLime, QStringLiteral("мВ"));
            std::tie(first, last) = visibleSpan(edit);
            EXPECT_EQ(first, 0);
            EXPECT_EQ(edit->selectedText(), pointedAt ? text : QString());
            leave(edit);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsAndDecimals, ValueShown,
    ::testing::Values(ShownCase { 152, "-2899.", false }, ShownCase { 152, "-2899.8750", false },
        ShownCase { 153, "-289.98750", false }, ShownCase { 152, "-2899.8750000000", true },
        ShownCase { 153, "-289.9875000000", true }, ShownCase { 152, "-7999.0000000000", true },
        ShownCase { 100, "-2899.875", true }, ShownCase { 100, "-2.900", false }, ShownCase { 60, "-2.900", true },
        ShownCase { 60, "-0.3", false }),
    [](const ::testing::TestParamInfo<ShownCase>& info) {
        std::string name = "Width" + std::to_string(info.param.width) + "_";
        for (const char* c = info.param.text; *c; ++c)
            name += *c == '-' ? std::string("Minus") : *c == '.' ? std::string("_") : std::string(1, *c);
        return name;
    });

TEST_F(ChannelFrame, NothingIsSelectedOrClearedWhileTheApplicationIsInactive)
{
    frame.setApplicationActive(false);
    ValueEdit* edit = frame.Value1LMDEdit;
    edit->setText(QStringLiteral("7.5"));
    edit->selectAll();
    leave(edit);
    EXPECT_TRUE(edit->hasSelectedText()); // the exit rule is off too

    edit->deselect();
    pointAt(edit);
    edit->setText(QStringLiteral("7.6"));
    EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(ChannelFrame, ActivationSwitchesFocusOnHover)
{
    frame.setApplicationActive(false);
    EXPECT_FALSE(focusOnHover(frame.Value1LMDEdit));
    EXPECT_FALSE(focusOnHover(frame.Value2LMDEdit));
    frame.setApplicationActive(true);
    EXPECT_TRUE(frame.applicationActive());
    EXPECT_TRUE(focusOnHover(frame.Value1LMDEdit));
    EXPECT_TRUE(focusOnHover(frame.Value2LMDEdit));
}

} // namespace
