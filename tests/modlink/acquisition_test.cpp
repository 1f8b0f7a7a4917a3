// Read requests, the sample stream and what the samples hold.
#include "sim_session.h"

#include "platform/events.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using modlink_sim::ChannelSignal;
using modlink_sim::Op;

namespace {

const double kPi = std::acos(-1.0);

double meanOf(const std::vector<int16_t>& samples, size_t first, size_t step)
{
    double sum = 0.0;
    size_t count = 0;
    for (size_t i = first; i < samples.size(); i += step, ++count)
        sum += samples[i];
    return count ? sum / count : 0.0;
}

void setQuietSignals(modlink_sim::SimControl* control, int slot, const ChannelSignal (&inputs)[4])
{
    for (int c = 0; c < 4; ++c)
        ASSERT_TRUE(control->setSignal(slot, c, inputs[c]));
}

} // namespace

TEST(ModlinkAcquisition, TwoRequestsInFlightCompleteInOrderWithInterleavedChannels)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    // A pure sine on channel 1, a steady level on channel 3.
    const double frequency = 1234.0;
    const double rate = 100000.0; // Hz, two channels: 50 000 frames a second
    setQuietSignals(s.control, 2, { { 0, 0, 0, 0 }, { 0.0, 1.0, frequency, 0 }, { 0, 0, 0, 0 }, { -0.2, 0, 0, 0 } });
    AdcParameters p = makeAdcParameters(s.api, { 1, 3 }, 1, rate / 1000.0);
    p.InputRange[1] = 0;
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    ASSERT_DOUBLE_EQ(double(p.KadrRate), 50.0);

    TestRead first(2000, 500);
    TestRead second(2000, 500);
    ASSERT_TRUE(first.submit(s.api));
    ASSERT_TRUE(second.submit(s.api));
    EXPECT_TRUE(first.pending());
    EXPECT_EQ(s.control->outstandingRequests(), 2);
    ASSERT_TRUE(s.api->START_ACQUISITION());
    ASSERT_TRUE(second.waitDone());
    ASSERT_FALSE(first.pending());
    EXPECT_EQ(first.status(), platform::kErrorSuccess);
    EXPECT_EQ(second.status(), platform::kErrorSuccess);
    EXPECT_EQ(second.bytes(), 4000u);
    uint32_t bytes = 0;
    EXPECT_TRUE(platform::GetOverlappedResult(s.handle(), &first.overlapped, &bytes, false));
    EXPECT_EQ(bytes, 4000u);
    EXPECT_TRUE(s.api->STOP_ACQUISITION());

    // Odd samples: channel 3 at -0.2 V on the 1 V range.
    std::vector<int16_t> stream(first.buffer);
    stream.insert(stream.end(), second.buffer.begin(), second.buffer.end());
    for (size_t i = 1; i < stream.size(); i += 2)
        ASSERT_NEAR(stream[i], -1600, 1) << i;
    // Even samples: one continuous sine across both requests, which a swap of
    // the two buffers would break (x[k+1] = 2 cos w x[k] − x[k−1]).
    const double codesPerVolt = 8000.0 / 3.0;
    const double twoCos = 2.0 * std::cos(2.0 * kPi * frequency / (rate / 2));
    double peak = 0.0;
    for (size_t i = 4; i < stream.size(); i += 2) {
        double predicted = twoCos * stream[i - 2] - stream[i - 4];
        ASSERT_NEAR(stream[i], predicted, 3.0) << i;
        peak = std::max(peak, std::abs(double(stream[i])));
    }
    EXPECT_NEAR(peak, codesPerVolt, 3.0);
}

TEST(ModlinkAcquisition, EachStartBeginsWithTheFirstChannelOfTheTable)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    setQuietSignals(s.control, 2, { { 0.3, 0, 0, 0 }, { 0, 0, 0, 0 }, { -0.9, 0, 0, 0 }, { 0, 0, 0, 0 } });
    AdcParameters p = makeAdcParameters(s.api, { 0, 2 }, 0, 1000.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    for (int block = 0; block < 3; ++block) {
        // An odd count leaves the stream mid-frame when it stops.
        TestRead read(1001, 500);
        ASSERT_TRUE(read.submit(s.api));
        ASSERT_TRUE(s.api->START_ACQUISITION());
        ASSERT_TRUE(read.waitDone());
        ASSERT_TRUE(s.api->STOP_ACQUISITION());
        EXPECT_NEAR(read.buffer[0], 800, 1);
        EXPECT_NEAR(read.buffer[1], -2400, 1);
        EXPECT_NEAR(read.buffer[1000], 800, 1);
    }
}

TEST(ModlinkAcquisition, RequestsArePacedByTheFrameRate)
{
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    // 1 channel at 50 kHz: 10 000 samples take 0.2 s.
    AdcParameters p = makeAdcParameters(s.api, { 0 }, 0, 50.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    TestRead first(10000, 500);
    TestRead second(10000, 500);
    ASSERT_TRUE(first.submit(s.api));
    ASSERT_TRUE(second.submit(s.api));
    using namespace std::chrono;
    auto start = steady_clock::now();
    ASSERT_TRUE(s.api->START_ACQUISITION());
    ASSERT_TRUE(first.waitDone(5000));
    double firstSeconds = duration<double>(steady_clock::now() - start).count();
    EXPECT_TRUE(second.pending());
    ASSERT_TRUE(second.waitDone(5000));
    double secondSeconds = duration<double>(steady_clock::now() - start).count();
    EXPECT_TRUE(s.api->STOP_ACQUISITION());

    // Never early; late by at most a scheduling delay.
    EXPECT_GE(firstSeconds, 0.2 - 0.002);
    EXPECT_LE(firstSeconds, 0.2 + 0.15);
    EXPECT_GE(secondSeconds, 0.4 - 0.002);
    EXPECT_LE(secondSeconds, 0.4 + 0.15);
}

TEST(ModlinkAcquisition, CancelIoCompletesEveryReadOfTheInterfaceAtOnce)
{
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    ModuleApi* other = s.library->GetModuleInterface(kModuleName);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(other->OPEN_SLOT(2));
    AdcParameters p = makeAdcParameters(s.api, { 0, 1, 2, 3 }, 0, 1.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));

    TestRead first(1000);
    TestRead second(1000);
    TestRead foreign(1000);
    ASSERT_TRUE(first.submit(s.api));
    ASSERT_TRUE(foreign.submit(other));
    ASSERT_TRUE(second.submit(s.api));
    ASSERT_TRUE(s.api->START_ACQUISITION());

    // An injected failure cancels nothing.
    s.control->failOnce(Op::CancelIo);
    EXPECT_FALSE(platform::CancelIo(s.handle()));
    EXPECT_TRUE(first.pending());

    ASSERT_TRUE(platform::CancelIo(s.handle()));
    EXPECT_EQ(first.status(), platform::kErrorOperationAborted);
    EXPECT_EQ(second.status(), platform::kErrorOperationAborted);
    EXPECT_EQ(platform::WaitForSingleObject(first.overlapped.hEvent, 0), platform::kWaitObject0);
    uint32_t bytes = 0;
    EXPECT_FALSE(platform::GetOverlappedResult(s.handle(), &second.overlapped, &bytes, false));
    EXPECT_EQ(platform::GetLastError(), platform::kErrorOperationAborted);
    EXPECT_TRUE(foreign.pending());
    EXPECT_EQ(s.control->outstandingRequests(), 1);

    // Releasing the other interface ends its read too.
    EXPECT_TRUE(other->RELEASE_INTERFACE());
    EXPECT_EQ(foreign.status(), platform::kErrorOperationAborted);
    EXPECT_EQ(s.control->outstandingRequests(), 0);
}

TEST(ModlinkAcquisition, ReadsWithoutAStreamTimeOutOneAfterAnother)
{
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    AdcParameters p = makeAdcParameters(s.api, { 0 }, 0, 100.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    TestRead first(100, 60);
    TestRead second(100, 60);
    TestRead patient(100, 0);
    using namespace std::chrono;
    auto start = steady_clock::now();
    ASSERT_TRUE(first.submit(s.api));
    ASSERT_TRUE(second.submit(s.api));
    ASSERT_TRUE(patient.submit(s.api));
    ASSERT_TRUE(first.waitDone(5000));
    EXPECT_GE(steady_clock::now() - start, milliseconds(59));
    EXPECT_EQ(first.status(), platform::kErrorSemTimeout);
    EXPECT_TRUE(second.pending());
    ASSERT_TRUE(second.waitDone(5000));
    EXPECT_GE(steady_clock::now() - start, milliseconds(119));
    EXPECT_EQ(second.status(), platform::kErrorSemTimeout);
    uint32_t bytes = 1;
    EXPECT_FALSE(platform::GetOverlappedResult(s.handle(), &second.overlapped, &bytes, false));
    EXPECT_EQ(platform::GetLastError(), platform::kErrorSemTimeout);

    // A time-out of 0 waits for the stream however long it takes.
    EXPECT_FALSE(patient.waitDone(150));
    ASSERT_TRUE(s.api->START_ACQUISITION());
    ASSERT_TRUE(patient.waitDone());
    EXPECT_EQ(patient.status(), platform::kErrorSuccess);
    EXPECT_TRUE(s.api->STOP_ACQUISITION());
}

TEST(ModlinkAcquisition, SubmitRefusesBadRequests)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    TestRead read(100);
    ReadRequest r = read.request;
    r.Buffer = nullptr;
    EXPECT_FALSE(s.api->SUBMIT_READ_REQUEST(&r));
    r = read.request;
    r.Overlapped = nullptr;
    EXPECT_FALSE(s.api->SUBMIT_READ_REQUEST(&r));
    r = read.request;
    r.SampleCount = 0;
    EXPECT_FALSE(s.api->SUBMIT_READ_REQUEST(&r));
    ASSERT_TRUE(read.submit(s.api));
    EXPECT_FALSE(read.submit(s.api)) << "the same OVERLAPPED record twice";
    EXPECT_EQ(s.control->outstandingRequests(), 1);
    ASSERT_TRUE(platform::CancelIo(s.handle()));

    // Without accepted parameters there is no stream to start.
    EXPECT_FALSE(s.api->START_ACQUISITION());
}

TEST(ModlinkSignals, FactoryCoefficientsGiveAccurateCodesAndIdentityShowsTheModuleError)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    setQuietSignals(s.control, 2, { { 1.234, 0, 0, 0 }, { -0.456, 0, 0, 0 }, { 0.0456, 0, 0, 0 }, { -2.5, 0, 0, 0 } });
    ModuleDescription d;
    ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&d));
    const double volts[4] = { 1.234, -0.456, 0.0456, -2.5 };
    const int ranges[4] = { 0, 1, 2, 0 };
    for (bool factory : { true, false }) {
        AdcParameters p = makeAdcParameters(s.api, { 0, 1, 2, 3 }, 0, 1000.0);
        for (int c = 0; c < 4; ++c) {
            p.InputRange[c] = static_cast<uint16_t>(ranges[c]);
            if (!factory) {
                for (int r = 0; r < 3; ++r) {
                    p.AdcOffsetCoefs[r][c] = 0.0;
                    p.AdcScaleCoefs[r][c] = 1.0;
                }
            }
        }
        ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
        TestRead read(4000, 500);
        ASSERT_TRUE(read.submit(s.api));
        ASSERT_TRUE(s.api->START_ACQUISITION());
        ASSERT_TRUE(read.waitDone());
        ASSERT_TRUE(s.api->STOP_ACQUISITION());
        for (int c = 0; c < 4; ++c) {
            double ideal = volts[c] / (ranges[c] == 0 ? 3.0 : ranges[c] == 1 ? 1.0 : 0.3) * 8000.0;
            int index = ranges[c] * 4 + c;
            // The converter's raw code is ideal · gain + offset, which the factory coefficients undo.
            double expected = factory ? ideal : ideal / d.AdcScaleCoefs[index] - d.AdcOffsetCoefs[index];
            EXPECT_NEAR(meanOf(read.buffer, c, 4), expected, 0.51)
                << "channel " << c << (factory ? " factory" : " identity");
        }
    }
}

TEST(ModlinkSignals, OverloadSetsTheChannelBitUntilChecked)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    setQuietSignals(s.control, 2, { { 0.5, 0, 0, 0 }, { 1.5, 0, 0, 0 }, { 0, 0, 0, 0.01 }, { -0.2, 0, 0, 0 } });
    struct Case {
        int range;
        uint8_t bits;
        int16_t channel2Code;
    };
    for (const Case& c : { Case { 0, 0x00, 4000 }, Case { 1, 0x02, 8191 }, Case { 2, 0x03, 8191 } }) {
        AdcParameters p = makeAdcParameters(s.api, { 0, 1, 2, 3 }, c.range, 1000.0);
        ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
        DataStatus status;
        ASSERT_TRUE(s.api->CHECK_DATA_ERRORS(&status));
        TestRead read(4000, 500);
        ASSERT_TRUE(read.submit(s.api));
        ASSERT_TRUE(s.api->START_ACQUISITION());
        ASSERT_TRUE(read.waitDone());
        ASSERT_TRUE(s.api->STOP_ACQUISITION());
        EXPECT_NEAR(read.buffer[1], c.channel2Code, 3) << "range " << c.range;
        std::memset(&status, 0xEE, sizeof status);
        ASSERT_TRUE(s.api->CHECK_DATA_ERRORS(&status));
        EXPECT_EQ(status.OverloadBits, c.bits) << "range " << c.range;
        EXPECT_EQ(status.Reserved[28], 0);
        ASSERT_TRUE(s.api->CHECK_DATA_ERRORS(&status));
        EXPECT_EQ(status.OverloadBits, 0);
    }
}

TEST(ModlinkSignals, DacOutputsHoldTheirCodesAndLoopBackToTheFirstTwoChannels)
{
    SimSession s;
    ASSERT_TRUE(s.ok());
    ModuleDescription d;
    ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&d));
    // The program's own conversion: code = (2047 v / 5 + offset) · scale, rounded.
    auto dacCodeFor = [&d](int k, double volts) {
        double code = (2047.0 * volts / 5.0 + d.DacOffsetCoefs[k]) * d.DacScaleCoefs[k];
        return static_cast<int16_t>(std::lround(code));
    };
    int16_t code0 = dacCodeFor(0, 1.0);
    int16_t code1 = dacCodeFor(1, -2.0);
    EXPECT_TRUE(s.api->WRITE_DAC_SAMPLE(&code0, 0));
    EXPECT_TRUE(s.api->WRITE_DAC_SAMPLE(&code1, 1));
    EXPECT_FALSE(s.api->WRITE_DAC_SAMPLE(&code1, 2));
    int16_t held = 0;
    ASSERT_TRUE(s.control->dacCode(2, 1, &held));
    EXPECT_EQ(held, code1);

    s.control->setLoopback(true);
    AdcParameters p = makeAdcParameters(s.api, { 0, 1 }, 0, 1000.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    TestRead read(2000, 500);
    ASSERT_TRUE(read.submit(s.api));
    ASSERT_TRUE(s.api->START_ACQUISITION());
    ASSERT_TRUE(read.waitDone());
    ASSERT_TRUE(s.api->STOP_ACQUISITION());
    // Within the DAC's step (2.4 mV) and the ADC's (0.4 mV).
    EXPECT_NEAR(meanOf(read.buffer, 0, 2) * 3.0 / 8000.0, 1.0, 0.003);
    EXPECT_NEAR(meanOf(read.buffer, 1, 2) * 3.0 / 8000.0, -2.0, 0.003);

    modlink_sim::ModuleConfig noDac;
    noDac.hasDac = false;
    ASSERT_TRUE(s.control->setModule(2, noDac));
    ASSERT_TRUE(s.api->OPEN_SLOT(2));
    ASSERT_TRUE(s.api->LOAD_MODULE(nullptr));
    EXPECT_FALSE(s.api->WRITE_DAC_SAMPLE(&code0, 0));
}
