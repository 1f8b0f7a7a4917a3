// Rates the module accepts and the records it refuses.
#include "adc_parameters.h"
#include "sim_session.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using modlink_sim::nearestAdcRate;

TEST(ModlinkRates, NearestRateTheClockCanDivide)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double requestedKHz;
        bool highSpeed;
        bool accepted;
        double expectedKHz;
    };
    const Case cases[] = {
        { 10000.0, true, true, 10000.0 }, // divisor 3
        { 20000.0, true, true, 10000.0 }, // above the top: clamped
        { 7000.0, true, true, 7500.0 }, // 7500 (÷4) is nearer than 6000 (÷5)
        { 333.0, true, true, 30000.0 / 90 },
        { 1.0, true, true, 1.0 },
        { 0.5, true, true, 1.0 }, // below the bottom: clamped
        { 0.0011, true, true, 1.0 },
        { 500.0, false, true, 500.0 }, // full speed tops out at 500 kHz
        { 10000.0, false, true, 500.0 },
        { 250.0, false, true, 250.0 },
        { 0.0, true, false, 0.0 },
        { -100.0, true, false, 0.0 },
        { std::nan(""), true, false, 0.0 },
        { inf, true, false, 0.0 },
        { -inf, false, false, 0.0 },
    };
    for (const Case& c : cases) {
        double accepted = -1.0;
        EXPECT_EQ(nearestAdcRate(c.requestedKHz, c.highSpeed, &accepted), c.accepted) << c.requestedKHz;
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(accepted, c.expectedKHz) << c.requestedKHz;
        }
    }
    // Every accepted rate is the clock divided by a whole number.
    for (int step = 0; step < 30; ++step) {
        double requested = 1.0 * std::pow(1.37, step);
        double accepted = 0.0;
        ASSERT_TRUE(nearestAdcRate(requested, true, &accepted));
        double divisor = modlink_sim::kAdcClockKHz / accepted;
        EXPECT_NEAR(divisor, std::round(divisor), 1e-9) << requested;
    }
}

TEST(ModlinkRates, InvalidRecordsAreRefusedAndLeftUnchanged)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    struct Case {
        const char* what;
        void (*spoil)(AdcParameters&);
    };
    const Case cases[] = {
        { "no channel", [](AdcParameters& p) { p.ChannelCount = 0; } },
        { "five channels", [](AdcParameters& p) { p.ChannelCount = 5; } },
        { "channel number 4", [](AdcParameters& p) { p.ChannelTable[1] = 4; } },
        { "range 3", [](AdcParameters& p) { p.InputRange[3] = 3; } },
        { "range of an unused channel", [](AdcParameters& p) { p.InputRange[0] = 0xFFFF; } },
        { "mode 2", [](AdcParameters& p) { p.InputConnectionMode[2] = 2; } },
        { "zero rate", [](AdcParameters& p) { p.AdcRate = 0.0; } },
        { "negative rate", [](AdcParameters& p) { p.AdcRate = -5.0; } },
        { "NaN rate", [](AdcParameters& p) { p.AdcRate = std::nan(""); } },
        { "NaN offset", [](AdcParameters& p) { p.AdcOffsetCoefs[2][3] = std::nan(""); } },
        { "infinite scale", [](AdcParameters& p) { p.AdcScaleCoefs[0][0] = 1.0 / 0.0; } },
    };
    for (const Case& c : cases) {
        AdcParameters p = makeAdcParameters(s.api, { 1, 2 }, 0, 100.0);
        c.spoil(p);
        AdcParameters before = p;
        EXPECT_FALSE(s.api->WRITE_ADC_PARAMETERS(&p)) << c.what;
        EXPECT_TRUE(sameBytes(&before, &p, sizeof p)) << c.what;
    }
    AdcParameters kept;
    EXPECT_FALSE(s.control->lastAdcParameters(2, &kept));
}

TEST(ModlinkRates, FullSpeedModuleAndFrameRate)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    modlink_sim::ModuleConfig slow;
    slow.usbSpeed = 0;
    ASSERT_TRUE(s.control->setModule(2, slow));
    ASSERT_TRUE(s.api->OPEN_SLOT(2));
    ASSERT_TRUE(s.api->LOAD_MODULE(nullptr));
    uint8_t speed = 1;
    ASSERT_TRUE(s.api->QUERY_USB_SPEED(&speed));
    EXPECT_EQ(speed, 0);
    AdcParameters p = makeAdcParameters(s.api, { 0, 1, 2 }, 0, 4000.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    EXPECT_DOUBLE_EQ(double(p.AdcRate), 500.0);
    EXPECT_DOUBLE_EQ(double(p.KadrRate), 500.0 / 3);

    // The parameters of a running stream stay until it stops.
    TestRead read(100000);
    ASSERT_TRUE(read.submit(s.api));
    ASSERT_TRUE(s.api->START_ACQUISITION());
    EXPECT_FALSE(s.api->WRITE_ADC_PARAMETERS(&p));
    ASSERT_TRUE(s.api->STOP_ACQUISITION());
    EXPECT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    ASSERT_TRUE(platform::CancelIo(s.handle()));
}
