// The display step of a block: numbers by the precision patterns of the
// channel's range, units, the frequency format, and red for overload.
#include "acquisition_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "threads/main_thread.h"
#include "widgets/design_colours.h"
#include "widgets/led_shape.h"

#include <QLabel>

namespace {

class ChannelDisplayTest : public AcquisitionTest {
protected:
    void SetUp() override
    {
        AcquisitionTest::SetUp();
        thread = std::make_unique<TMainThread>(form.get(), 0, true);
        thread->AmplitudeKind = QStringLiteral("volt");
        thread->ComputationMethod = QStringLiteral("fft");
    }

    // Channel 0 checked with `parType` on range 1 and these results.
    void show(int parType, double dc, double ac, double frequencyHz)
    {
        setChannel(0, true, 1, 0, parType);
        thread->ParType[0] = parType;
        thread->InputRangeIndex[0] = 1;
        thread->DcValue[0] = dc;
        thread->AcValue[0] = ac;
        thread->Frequency[0] = frequencyHz;
        form->ShowChannelValues(*thread);
    }

    QString text(int display) const
    {
        const TQ4705AdcChannelFrame* frame = form->ChannelFrames[0];
        return (display == 1 ? frame->Value1LMDEdit : frame->Value2LMDEdit)->text();
    }

    std::unique_ptr<TMainThread> thread;
};

struct FrequencyCase {
    const char* pattern; // frequency pattern of the range
    double frequencyHz;
    const char* shown;
};

TEST_F(ChannelDisplayTest, FrequencyIsShownInKilohertzWithTheShorterOfTheTwoCaps)
{
    const FrequencyCase cases[] = {
        { "0.00000", 12345.6789, "12.34568" }, { "0.00000", 250000.0, "250.000" }, { "0.00000", 1500000.0, "1500.00" },
        { "0.0", 1500000.0, "1500.0" }, { "0.000", 250000.0, "250.000" }, // a tie keeps the range's pattern
    };
    for (const FrequencyCase& c : cases) {
        SCOPED_TRACE(c.shown);
        form->PrecisionFormats[7] = QString::fromLatin1(c.pattern);
        show(1, 0.0, 0.5, c.frequencyHz);
        EXPECT_EQ(text(2), QString::fromLatin1(c.shown));
        EXPECT_EQ(form->ChannelFrames[0]->Value2LabLMDLabel->text(), QStringLiteral("кГц"));
    }
}

TEST_F(ChannelDisplayTest, ValuesFollowTheUnitAndThePatternsOfTheRange)
{
    form->PrecisionFormats[1] = QStringLiteral("0.00"); // DC, range 1
    form->PrecisionFormats[4] = QStringLiteral("0."); // AC, range 1
    show(2, 0.12345, 0.5, 0.0);
    EXPECT_EQ(text(1), QStringLiteral("500"));
    EXPECT_EQ(text(2), QStringLiteral("123.45"));
    EXPECT_EQ(form->ChannelFrames[0]->Value1LabLMDLabel->text(), QStringLiteral("мВ"));

    thread->AmplitudeKind = QStringLiteral("Volt");
    show(0, 123.4, 0.0, 0.0);
    EXPECT_EQ(text(1), QStringLiteral("123.40"));
    EXPECT_EQ(form->ChannelFrames[0]->Value1LabLMDLabel->text(), QStringLiteral("код"));
    EXPECT_EQ(text(2), QStringLiteral("--------"));
    EXPECT_FALSE(form->ChannelFrames[0]->Value2LMDEdit->isEnabled());
}

TEST_F(ChannelDisplayTest, AnOverloadedChannelIsRedAndItsLedAfterThePause)
{
    thread->OverloadBits[0] = 0x1;
    show(0, 0.1, 0.0, 0.0);
    const TQ4705AdcChannelFrame* frame = form->ChannelFrames[0];
    EXPECT_EQ(frame->Value1LMDEdit->textColour(), QColor(design::red));
    // Grey until the LEDs are shown after the pause.
    EXPECT_EQ(frame->ChannelsOverflowLed->shownColour(), design::buttonFace());
    form->ShowOverloadLeds(*thread);
    EXPECT_EQ(frame->ChannelsOverflowLed->shownColour(), QColor(design::red));
    EXPECT_EQ(form->ChannelFrames[1]->ChannelsOverflowLed->shownColour(), design::buttonFace());
}

} // namespace
