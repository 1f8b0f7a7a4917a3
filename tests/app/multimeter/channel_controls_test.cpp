// The group controls and the channel frames' controls: the group follows the
// channels, channels follow the group, the value fields follow the channel's
// state, and the rates follow the enabled channels.

#include "multimeter_window.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

namespace {

class ChannelControlsTest : public MultimeterWindowTest {
protected:
    void SetUp() override
    {
        MultimeterWindowTest::SetUp();
        applySettingsAsSearch();
    }

    void expectChannelOff(int channel)
    {
        SCOPED_TRACE(channel);
        TQ4705AdcChannelFrame* f = frame(channel);
        EXPECT_FALSE(f->InputRangeLMDComboBox->isEnabled());
        EXPECT_FALSE(f->Value1LMDEdit->isEnabled());
        EXPECT_EQ(f->Value1LMDEdit->text(), QStringLiteral("--------"));
        EXPECT_EQ(f->Value2LMDEdit->text(), QStringLiteral("--------"));
        EXPECT_TRUE(f->Value1LabLMDLabel->text().isEmpty());
        EXPECT_TRUE(f->Value2LabLMDLabel->text().isEmpty());
    }
};

TEST_F(ChannelControlsTest, TheDefaultFileGivesFourChannelsOnWithTheirControlsAndRates)
{
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::Checked);
    EXPECT_EQ(form->AllInputRangeLMDComboBox->currentIndex(), 0);
    EXPECT_EQ(form->CommonInputConnectionModeLMDComboBox->currentIndex(), 1);
    EXPECT_EQ(form->CommonMeasuringMethodLMDComboBox->currentIndex(), 2);
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(channelBox(c)->isChecked());
        EXPECT_TRUE(channelBox(c)->isEnabled());
        EXPECT_TRUE(frame(c)->ParTypeLMDComboBox->isEnabled());
        EXPECT_TRUE(frame(c)->Value2LMDEdit->isEnabled());
        EXPECT_EQ(frame(c)->Value1LabLMDLabel->text(), QStringLiteral("мВ"));
        EXPECT_EQ(frame(c)->Value2LabLMDLabel->text(), QStringLiteral("мВ"));
    }
    // The module's answer to 1000 kHz over four channels.
    AdcParameters sent {};
    ASSERT_TRUE(sim->lastAdcParameters(kSlot, &sent));
    EXPECT_EQ(form->AdcRateLMDEdit->text(), QString::number(sent.AdcRate, 'f', 1));
    EXPECT_EQ(form->KadrRateLMDLabel->text(), QString::number(sent.AdcRate / 4, 'f', 1));
    EXPECT_DOUBLE_EQ(form->AdcRateHz, sent.AdcRate * 1000);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

struct GroupCase {
    std::array<bool, 4> channels;
    Qt::CheckState group;
};

class AllChannelsFollowTest : public ChannelControlsTest, public ::testing::WithParamInterface<GroupCase> { };

TEST_P(AllChannelsFollowTest, TheGroupBoxShowsAStateOnlyWhileAllChannelsAgree)
{
    const GroupCase& row = GetParam();
    for (int c = 0; c < 4; ++c) {
        if (channelBox(c)->isChecked() != row.channels[c])
            channelBox(c)->click();
    }
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), row.group);
    int on = 0;
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(form->ChannelChecked[c].load(), row.channels[c]);
        if (row.channels[c])
            ++on;
        else
            expectChannelOff(c);
    }
    if (on == 0) {
        // No channel left: the module is not asked and nothing is reported.
        EXPECT_EQ(form->AdcRateLMDEdit->text(), QStringLiteral("------"));
        EXPECT_EQ(form->KadrRateLMDLabel->text(), QStringLiteral("------"));
    } else {
        EXPECT_EQ(form->KadrRateLMDLabel->text(), QString::number(form->AdcRateHz * 0.001 / on, 'f', 1));
    }
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(States, AllChannelsFollowTest,
    ::testing::Values(GroupCase { { true, true, true, true }, Qt::Checked },
        GroupCase { { true, false, true, true }, Qt::PartiallyChecked },
        GroupCase { { false, false, true, false }, Qt::PartiallyChecked },
        GroupCase { { false, false, false, false }, Qt::Unchecked }));

TEST_F(ChannelControlsTest, AChannelSwitchedOffHasAGreyLed)
{
    frame(1)->SetLedState(1);
    channelBox(1)->click();
    EXPECT_FALSE(frame(1)->ChannelsOverflowLed->isOn());
    EXPECT_EQ(frame(1)->ChannelsOverflowLed->shownColour(), design::buttonFace());
}

TEST_F(ChannelControlsTest, AClickOnTheGreyGroupBoxSwitchesEveryChannelOn)
{
    channelBox(0)->click();
    channelBox(2)->click();
    ASSERT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::PartiallyChecked);
    form->AllChannelsLMDCheckBox->click();
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::Checked);
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(channelBox(c)->isChecked());
        EXPECT_TRUE(frame(c)->InputRangeLMDComboBox->isEnabled());
        EXPECT_TRUE(frame(c)->Value1LMDEdit->isEnabled());
    }
    form->AllChannelsLMDCheckBox->click();
    for (int c = 0; c < 4; ++c)
        expectChannelOff(c);
    EXPECT_EQ(form->AdcRateLMDEdit->text(), QStringLiteral("------"));
}

using ComboOfFrame = QComboBox* TQ4705AdcChannelFrame::*;
struct ListCase {
    const char* name;
    QComboBox* TMainFormControls::*group;
    ComboOfFrame channel;
    int chosen;
    int other;
};

class GroupListTest : public ChannelControlsTest, public ::testing::WithParamInterface<ListCase> { };

TEST_P(GroupListTest, TheGroupListSetsEveryChannelAndShowsAValueOnlyWhileTheyAgree)
{
    const ListCase& row = GetParam();
    QComboBox* group = form.get()->*row.group;
    group->setCurrentIndex(row.chosen);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ((frame(c)->*row.channel)->currentIndex(), row.chosen);

    (frame(2)->*row.channel)->setCurrentIndex(row.other);
    EXPECT_EQ(group->currentIndex(), -1);
    (frame(2)->*row.channel)->setCurrentIndex(row.chosen);
    EXPECT_EQ(group->currentIndex(), row.chosen);
    EXPECT_TRUE(recorder.empty());
}

INSTANTIATE_TEST_SUITE_P(Lists, GroupListTest,
    ::testing::Values(ListCase { "range", &TMainFormControls::AllInputRangeLMDComboBox,
                          &TQ4705AdcChannelFrame::InputRangeLMDComboBox, 1, 2 },
        ListCase { "connection", &TMainFormControls::CommonInputConnectionModeLMDComboBox,
            &TQ4705AdcChannelFrame::InputConnectionModeLMDComboBox, 0, 1 },
        ListCase { "parameter", &TMainFormControls::CommonMeasuringMethodLMDComboBox,
            &TQ4705AdcChannelFrame::ParTypeLMDComboBox, 0, 1 }),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

// With "sum" there is no frequency to show for AC; the plain rule (used when
// the channels are switched on again) enables the field all the same.
TEST_F(ChannelControlsTest, TheSecondValueFieldOfAnAcChannelFollowsTheComputationMethod)
{
    for (const char* method : { "sum", "fft" }) {
        SCOPED_TRACE(method);
        form->ComputationMethod = QString::fromLatin1(method);
        const bool frequency = form->ComputationMethod == QLatin1String("fft");
        form->CommonMeasuringMethodLMDComboBox->setCurrentIndex(0);
        form->CommonMeasuringMethodLMDComboBox->setCurrentIndex(1);
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(frame(c)->Value2LMDEdit->isEnabled(), frequency);
            EXPECT_EQ(frame(c)->Value2LMDEdit->text(), QStringLiteral("--------"));
            EXPECT_EQ(frame(c)->Value2LabLMDLabel->text(), frequency ? QStringLiteral("кГц") : QString());
            EXPECT_EQ(frame(c)->Value1LabLMDLabel->text(), QStringLiteral("мВ"));
        }
        form->AllChannelsLMDCheckBox->click();
        form->AllChannelsLMDCheckBox->click();
        for (int c = 0; c < 4; ++c) {
            EXPECT_TRUE(frame(c)->Value2LMDEdit->isEnabled());
            EXPECT_EQ(frame(c)->Value2LabLMDLabel->text(), QStringLiteral("кГц"));
        }
    }
}

TEST_F(ChannelControlsTest, ADcChannelHasOneValueFieldAndCodesWhenTheKindIsNotVolt)
{
    form->AmplitudeKind = QStringLiteral("Volt");
    frame(3)->ParTypeLMDComboBox->setCurrentIndex(0);
    EXPECT_TRUE(frame(3)->Value1LMDEdit->isEnabled());
    EXPECT_EQ(frame(3)->Value1LabLMDLabel->text(), QStringLiteral("код"));
    EXPECT_FALSE(frame(3)->Value2LMDEdit->isEnabled());
    EXPECT_FALSE(frame(3)->Value2LabLMDLabel->isEnabled());
    EXPECT_TRUE(frame(3)->Value2LabLMDLabel->text().isEmpty());
}

struct ChangeCase {
    const char* name;
    std::function<void(MultimeterWindowTest&, TMainForm&)> change;
};

class StopsTheJobTest : public ChannelControlsTest, public ::testing::WithParamInterface<ChangeCase> { };

TEST_P(StopsTheJobTest, AChangeWhileAcquiringStopsTheJobFirst)
{
    form->job = [this](TMainThread& thread) {
        form->AcquisitionIdle = false;
        loopUntilTerminated(thread);
        form->AcquisitionIdle = true;
    };
    form->StartThread();
    ASSERT_TRUE(form->MainThread);
    ASSERT_TRUE(waitUntil([&] { return !form->AcquisitionIdle; }));
    GetParam().change(*this, *form);
    EXPECT_FALSE(form->MainThread);
    EXPECT_FALSE(form->MainThreadRunning);
    EXPECT_TRUE(form->AcquisitionIdle);
}

INSTANTIATE_TEST_SUITE_P(Controls, StopsTheJobTest,
    ::testing::Values(ChangeCase { "AllChannels", [](auto&, TMainForm& f) { f.AllChannelsLMDCheckBox->click(); } },
        ChangeCase { "GroupRange", [](auto&, TMainForm& f) { f.AllInputRangeLMDComboBox->setCurrentIndex(2); } },
        ChangeCase { "GroupConnection",
            [](auto&, TMainForm& f) { f.CommonInputConnectionModeLMDComboBox->setCurrentIndex(0); } },
        ChangeCase {
            "GroupParameter", [](auto&, TMainForm& f) { f.CommonMeasuringMethodLMDComboBox->setCurrentIndex(1); } },
        ChangeCase { "Channel", [](auto&, TMainForm& f) { f.ChannelFrames[1]->ChannelNumberLMDCheckBox->click(); } },
        ChangeCase { "ChannelRange",
            [](auto&, TMainForm& f) { f.ChannelFrames[1]->InputRangeLMDComboBox->setCurrentIndex(1); } },
        ChangeCase { "ChannelConnection",
            [](auto&, TMainForm& f) { f.ChannelFrames[1]->InputConnectionModeLMDComboBox->setCurrentIndex(0); } },
        ChangeCase { "ChannelParameter",
            [](auto&, TMainForm& f) { f.ChannelFrames[1]->ParTypeLMDComboBox->setCurrentIndex(0); } }),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

TEST_F(ChannelControlsTest, AModuleThatRefusesTheChannelsShowsNoRatesAndSaysSo)
{
    sim->failOnce(modlink_sim::Op::WriteAdcParameters);
    channelBox(0)->click();
    EXPECT_EQ(form->AdcRateLMDEdit->text(), QStringLiteral("------"));
    EXPECT_EQ(form->KadrRateLMDLabel->text(), QStringLiteral("------"));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу установить параметры сбора данных!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка SetAdcPars()!"));
}

TEST_F(ChannelControlsTest, AHandlerRaisedByAStrangeControlSaysSoAndChangesNothing)
{
    QLineEdit notABox;
    QCheckBox foreignBox;
    QComboBox foreignList;
    form->EnaChannelLMDCheckBoxChange(&notABox);
    form->EnaChannelLMDCheckBoxChange(&foreignBox);
    form->ParTypeLMDComboBoxChange(&notABox);
    form->ParTypeLMDComboBoxChange(&foreignList);
    ASSERT_EQ(recorder.messages().size(), 4u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу привести тип!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка EnaChannelLMDCheckBoxChange()!!!"));
    EXPECT_EQ(recorder.messages()[1].text, QStringLiteral("Не могу опознать управляюшщий элемент типа TLMDCheckBox!"));
    EXPECT_EQ(recorder.messages()[1].caption, QStringLiteral("Ошибка EnaChannelLMDCheckBoxChange()!"));
    EXPECT_EQ(recorder.messages()[2].caption, QStringLiteral("Ошибка ParTypeLMDComboBoxChange()!!!"));
    EXPECT_EQ(recorder.messages()[3].caption, QStringLiteral("Ошибка ParTypeLMDComboBoxChange()!"));
    EXPECT_EQ(form->AllChannelsLMDCheckBox->checkState(), Qt::Checked);
    EXPECT_FALSE(form->HandlerBusy);
}

} // namespace
