// SetAdcPars: what the window's ADC parameter record tells the module.
#include "acquisition_fixture.h"

namespace {

using SetAdcParsTest = AcquisitionTest;

template <typename T> T copyOf(T value)
{
    return value;
}

struct LinkCase {
    uint8_t usbSpeed;
    char revision;
    double linkSpeedParameter;
    uint32_t revisionFlag;
};

TEST_F(SetAdcParsTest, RecordCarriesTheChannelsRangesModesRateAndCoefficients)
{
    // A full-speed link gets 0.01, a high-speed one 0.0; revision 'A' gets 0.
    const LinkCase cases[] = { { 0, 'A', 0.01, 0 }, { 1, 'B', 0.0, 1 } };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.revision);
        form->UsbSpeed = c.usbSpeed;
        form->Description.Revision = c.revision;
        setChannel(0, false, 2, 1);
        setChannel(1, true, 1, 0);
        setChannel(2, false, 0, 1);
        setChannel(3, true, 2, 0);
        form->AdcRateHz = 200000.0;
        form->WorkingCoeffs.AdcRaw[1][3] = { 12.5, 1.0625 };

        ASSERT_TRUE(form->SetAdcPars());
        AdcParameters sent {};
        ASSERT_TRUE(sim->lastAdcParameters(kSlot, &sent));
        EXPECT_EQ(copyOf(sent.RevisionFlag), c.revisionFlag);
        EXPECT_EQ(copyOf(sent.ChannelCount), 2);
        EXPECT_EQ(copyOf(sent.ChannelTable[0]), 1);
        EXPECT_EQ(copyOf(sent.ChannelTable[1]), 3);
        const uint16_t ranges[] = { 2, 1, 0, 2 };
        const uint16_t modes[] = { 1, 0, 1, 0 };
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(copyOf(sent.InputRange[ch]), ranges[ch]) << ch;
            EXPECT_EQ(copyOf(sent.InputConnectionMode[ch]), modes[ch]) << ch;
        }
        EXPECT_EQ(copyOf(sent.AdcRate), 200.0);
        EXPECT_EQ(copyOf(sent.LinkSpeedParameter), c.linkSpeedParameter);
        for (int r = 0; r < 3; ++r) {
            for (int ch = 0; ch < 4; ++ch) {
                EXPECT_EQ(copyOf(sent.AdcOffsetCoefs[r][ch]), copyOf(form->WorkingCoeffs.AdcRaw[r][ch].Offset));
                EXPECT_EQ(copyOf(sent.AdcScaleCoefs[r][ch]), copyOf(form->WorkingCoeffs.AdcRaw[r][ch].Scale));
            }
        }
        // The window keeps what the module accepted: rate and frame rate.
        EXPECT_EQ(copyOf(form->AdcPars.AdcRate), 200.0);
        EXPECT_EQ(copyOf(form->AdcPars.KadrRate), 100.0);
    }
    EXPECT_TRUE(recorder.empty());
}

TEST_F(SetAdcParsTest, NoCheckedChannelCallsNothing)
{
    setChannel(2, false, 1, 1);
    EXPECT_FALSE(form->SetAdcPars());
    EXPECT_EQ(sim->callCount(modlink_sim::Op::WriteAdcParameters), 0);
    EXPECT_TRUE(recorder.empty());
}

TEST_F(SetAdcParsTest, RefusedParametersGiveTheirMessage)
{
    setChannel(0, true);
    sim->failOnce(modlink_sim::Op::WriteAdcParameters);
    EXPECT_FALSE(form->SetAdcPars());
    ASSERT_EQ(recorder.messages().size(), 1u);
    const platform::MessageRequest& message = recorder.messages()[0];
    EXPECT_EQ(message.text, QStringLiteral("Не могу установить параметры сбора данных!"));
    EXPECT_EQ(message.caption, QStringLiteral("Ошибка SetAdcPars()!"));
    EXPECT_EQ(message.icon, platform::MessageIcon::Information);
    EXPECT_EQ(message.buttons, platform::MessageButtons::Ok);
}

} // namespace
