#include "frames/q4705_adc_channel_frame.h"
#include "widgets/hover_focus.h"
#include "widgets/led_shape.h"
#include "widgets/radio_group.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolTip>

namespace {

using PanelsTest = WindowTest;

TEST_F(PanelsTest, VoltmeterModeStopsTheJobAndEnablesItsDisplays)
{
    struct Case {
        int mode;
        bool valueEnabled;
        bool filterEnabled;
    };
    for (const Case& c : { Case { 2, false, false }, Case { 1, true, true }, Case { 0, true, false },
             Case { 2, false, false }, Case { -1, true, false } }) {
        SCOPED_TRACE(c.mode);
        form->job = loopUntilTerminated;
        startJob();
        form->AcDcVoltmeterModeLMDRadioGroup->setItemIndex(c.mode);
        EXPECT_EQ(form->MainThread, nullptr);
        EXPECT_EQ(form->VoltmeterValueLMDLabel->isEnabled(), c.valueEnabled);
        EXPECT_EQ(form->VoltmeterValueUnitLMDLabel->isEnabled(), c.valueEnabled);
        EXPECT_EQ(form->AcFilterVoltmeterLMDComboBox->isEnabled(), c.filterEnabled);
    }
    EXPECT_TRUE(recorder.empty());
}

TEST_F(PanelsTest, VoltmeterModeFromAnotherKindOfControlIsRefused)
{
    form->job = loopUntilTerminated;
    startJob();
    form->AcDcVoltmeterModeLMDRadioGroupChange(form->AcFilterVoltmeterLMDComboBox);
    EXPECT_EQ(form->MainThread, nullptr);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу привести тип!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка AcDcVoltmeterModeLMDRadioGroupChange()!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
}

TEST_F(PanelsTest, VoltmeterFilterOnlyStopsTheJob)
{
    form->job = loopUntilTerminated;
    startJob();
    QComboBox* filter = form->AcFilterVoltmeterLMDComboBox;
    filter->setCurrentIndex(filter->currentIndex() == 1 ? 2 : 1);
    EXPECT_EQ(form->MainThread, nullptr);
}

TEST_F(PanelsTest, SettingsFileNameShowsInItsHintAndItsEndAfterASplitterMove)
{
    const QString path = QStringLiteral("/home/lab/verification/settings/q4705/very/long/path/config.xml");
    form->CfgFileNameEdit->setText(path);
    EXPECT_EQ(form->CfgFileNameEdit->toolTip(), path);

    form->CfgFileNameEdit->setCursorPosition(3);
    form->CfgFileNameEdit->setSelection(0, 5);
    emit form->VerifySplitter->splitterMoved(200, 1);
    EXPECT_EQ(form->CfgFileNameEdit->cursorPosition(), path.size());
    EXPECT_FALSE(form->CfgFileNameEdit->hasSelectedText());
}

TEST_F(PanelsTest, ActivationLetTheValueEditsTakeTheFocusUnderTheMouse)
{
    QEvent activate(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(qApp, &activate);
    for (TQ4705AdcChannelFrame* frame : form->ChannelFrames)
        EXPECT_TRUE(frame->applicationActive());
    EXPECT_TRUE(focusOnHover(form->AdcRateLMDEdit));

    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    for (TQ4705AdcChannelFrame* frame : form->ChannelFrames)
        EXPECT_FALSE(frame->applicationActive());
    EXPECT_FALSE(focusOnHover(form->AdcRateLMDEdit));
}

} // namespace

namespace {

QWidget* visibleToolTip()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

using HintTest = WindowTest;

TEST_F(HintTest, AHintNearTheScreenCornerStandsAboveAndLeftOfThePointerInsideTheWorkArea)
{
    form->show();
    QWidget* led = form->ModuleStatusLed;
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner = workArea.bottomRight() - QPoint(2, 2);
    QHelpEvent help(QEvent::ToolTip, led->mapFromGlobal(corner), corner);
    QApplication::sendEvent(led, &help);
    QWidget* tip = visibleToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->frameGeometry().right() + 1, workArea.right() + 1 - 10);
    EXPECT_LE(tip->frameGeometry().bottom() + 1, workArea.bottom() + 1 - 10);
    EXPECT_EQ(tip->frameGeometry().right() + 1, corner.x() - 10);
    EXPECT_EQ(tip->frameGeometry().bottom() + 1, corner.y() - 10);
    EXPECT_EQ(tip->palette().color(QPalette::ToolTipBase), QColor(255, 255, 164));
    EXPECT_TRUE(tip->font().bold());
    QToolTip::hideText();
}

} // namespace
