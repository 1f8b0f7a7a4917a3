// The whole path from a module's description to a reading, checked against
// what the module itself holds and what its DAC outputs drive: the search
// sends the description's ADC coefficients, and with the DAC outputs wired
// back to ADC channels 1 and 2 a level typed into a DAC field is read back
// in millivolts on its channel.

#include "search_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <set>

namespace {

constexpr int kSlot = 4;

class LoopbackTest : public SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        placeOnly(kSlot, moduleWith("470500417"));
        sim->setLoopback(true);
        sim->setTimeScale(20);
    }

    // Presses the start button and waits for a reading of channel
    // `channel`'s level; the default settings measure AC+DC, whose second
    // field holds the level in millivolts.
    double readLevelMillivolts(int channel)
    {
        QToolButton* start = form->StartMultimeterLMDSpeedButton;
        EXPECT_TRUE(start->isEnabled());
        start->click();
        ValueEdit* level = form->ChannelFrames[channel]->Value2LMDEdit;
        bool number = false;
        const bool shown = waitUntil(
            [&] {
                level->text().trimmed().toDouble(&number);
                return number;
            },
            20000);
        // Later blocks too, so the reading is one taken with the DAC settled.
        processEventsFor(500);
        const QString text = level->text();
        start->click();
        EXPECT_TRUE(shown) << text.toStdString();
        const double value = text.trimmed().toDouble(&number);
        EXPECT_TRUE(number) << text.toStdString();
        return value;
    }

    // The level DAC output `output` drives, in millivolts: the code the module
    // holds through the module's DAC pair, millivolts = (code / scale -
    // offset) * 5000 / 2047.
    double dacOutputMillivolts(int output) const
    {
        ModuleDescription description {};
        int16_t code = 0;
        EXPECT_TRUE(sim->moduleDescription(kSlot, &description));
        EXPECT_TRUE(sim->dacCode(kSlot, output, &code));
        return (code / description.DacScaleCoefs[output] - description.DacOffsetCoefs[output]) * 5000.0 / 2047.0;
    }
};

// One DAC code is 5000 / 2047 mV, so the nearest code the DAC can hold lies
// within half of that of the level asked for.
constexpr double kHalfDacStepMillivolts = 0.5 * 5000.0 / 2047.0;
// The channel reads the level it is given to half a millivolt.
constexpr double kReadingToleranceMillivolts = 0.5;

TEST_F(LoopbackTest, TheSearchSendsTheDescriptionsAdcCoefficientsAndTheDacLevelReadsBack)
{
    ModuleDescription description {};
    ASSERT_TRUE(sim->moduleDescription(kSlot, &description));
    // The module's factory coefficients are its own: no two alike, none the
    // identity, so a pair sent to the wrong place cannot pass.
    std::set<double> offsets, scales;
    for (int i = 0; i < 12; ++i) {
        // Copies: the packed record's fields cannot be bound to references.
        const double offset = description.AdcOffsetCoefs[i];
        const double scale = description.AdcScaleCoefs[i];
        offsets.insert(offset);
        scales.insert(scale);
        ASSERT_NE(offset, 0.0);
        ASSERT_NE(scale, 1.0);
    }
    ASSERT_EQ(offsets.size(), 12u);
    ASSERT_EQ(scales.size(), 12u);

    runSearch();
    ASSERT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    ASSERT_EQ(form->ModuleState, kModuleReady);

    AdcParameters sent {};
    ASSERT_TRUE(sim->lastAdcParameters(kSlot, &sent));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const double sentOffset = sent.AdcOffsetCoefs[r][c];
            const double sentScale = sent.AdcScaleCoefs[r][c];
            const double offset = description.AdcOffsetCoefs[r * 4 + c];
            const double scale = description.AdcScaleCoefs[r * 4 + c];
            EXPECT_EQ(sentOffset, offset) << r << ' ' << c;
            EXPECT_EQ(sentScale, scale) << r << ' ' << c;
        }
    }

    // The default settings put 1.000 V on both DAC outputs.
    ASSERT_EQ(form->Dac1ValueLMDEdit->text(), QStringLiteral("1.000"));
    const double driven = dacOutputMillivolts(0);
    EXPECT_NEAR(driven, 1000.0, kHalfDacStepMillivolts);
    EXPECT_NEAR(readLevelMillivolts(0), driven, kReadingToleranceMillivolts);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

TEST_F(LoopbackTest, AVoltageTypedIntoADacFieldIsReadOnItsChannel)
{
    runSearch();
    ASSERT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    QLineEdit* dac = form->Dac2ValueLMDEdit;
    ASSERT_EQ(dac->text(), QStringLiteral("1.000"));
    dac->setFocus();
    dac->setCursorPosition(0);
    const auto typeText = [dac](const QString& text) {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, dac, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    };
    typeText(QStringLiteral("-"));
    // The user puts the caret after the sign, in front of the integer digit.
    dac->setCursorPosition(1);
    typeText(QStringLiteral("25"));
    ASSERT_EQ(dac->text(), QStringLiteral("-2.500"));
    QTest::keyClick(dac, Qt::Key_Return);
    ASSERT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();

    const double driven = dacOutputMillivolts(1);
    EXPECT_NEAR(driven, -2500.0, kHalfDacStepMillivolts);
    EXPECT_NEAR(readLevelMillivolts(1), driven, kReadingToleranceMillivolts);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

} // namespace
