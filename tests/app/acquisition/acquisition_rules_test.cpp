// Block sizing and the channel part of the ADC parameters, without a window.
#include "threads/acquisition_sizing.h"
#include "threads/adc_parameters_fill.h"

#include <gtest/gtest.h>

namespace {

using acquisition::BlockProblem;
using acquisition::Method;

struct SizingCase {
    const char* name;
    Method method;
    double seconds;
    double kadrRateHz;
    uint32_t n;
    uint32_t requestSamples;
    uint64_t samplesPerChannel;
    uint64_t blockSamples;
    BlockProblem problem;
};

TEST(BlockSizing, FollowsTheMethodTheTimeAndTheCap)
{
    const SizingCase cases[] = {
        // 256 samples would cover only 0.256 s.
        { "fft 1000 Hz 0.5 s", Method::Fft, 0.5, 1000.0, 1, 100, 512, 512, BlockProblem::None },
        { "sum 1000 Hz 0.5 s 3 channels", Method::Sum, 0.5, 1000.0, 3, 300, 500, 1500, BlockProblem::None },
        { "sum rounds the block down to whole frames", Method::Sum, 0.5, 999.0, 3, 299, 499, 1497, BlockProblem::None },
        { "fft exact power of two", Method::Fft, 1.024, 1000.0, 2, 200, 1024, 2048, BlockProblem::None },
        // The cap is tested before each doubling.
        { "fft cap 1 channel", Method::Fft, 1e9, 1000.0, 1, 100, 16777216, 16777216, BlockProblem::None },
        { "fft cap 2 channels", Method::Fft, 1e9, 1000.0, 2, 200, 8388608, 16777216, BlockProblem::None },
        { "fft cap 3 channels", Method::Fft, 1e9, 1000.0, 3, 300, 8388608, 25165824, BlockProblem::None },
        { "fft cap 4 channels", Method::Fft, 1e9, 1000.0, 4, 400, 4194304, 16777216, BlockProblem::None },
        { "fft time shorter than a frame", Method::Fft, 0.0, 1000.0, 1, 100, 1, 1, BlockProblem::None },
        // A frame rate below 10 / n Hz: a request would ask for nothing.
        { "request of 0.8 samples", Method::Sum, 10.0, 4.0, 2, 0, 40, 80, BlockProblem::EmptyRequest },
        { "no frame rate", Method::Fft, 1.0, 0.0, 1, 0, 1, 1, BlockProblem::EmptyRequest },
        { "sum time shorter than a frame", Method::Sum, 0.0005, 1000.0, 1, 100, 0, 0, BlockProblem::EmptyBlock },
        { "sum negative time", Method::Sum, -1.0, 1000.0, 1, 100, 0, 0, BlockProblem::EmptyBlock },
        { "sum block beyond any count", Method::Sum, 1e6, 5e6, 1, 500000, 5000000000000ull, 5000000000000ull,
            BlockProblem::TooLarge },
    };
    for (const SizingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const acquisition::BlockSize size = acquisition::SizeBlock(c.method, c.seconds, c.kadrRateHz, c.n);
        EXPECT_EQ(size.requestSamples, c.requestSamples);
        EXPECT_EQ(size.samplesPerChannel, c.samplesPerChannel);
        EXPECT_EQ(size.blockSamples, c.blockSamples);
        EXPECT_EQ(acquisition::CheckBlock(size), c.problem);
    }
}

TEST(BlockSizing, AcquisitionTimeIsTheBlockLengthInSeconds)
{
    const acquisition::BlockSize size = acquisition::SizeBlock(Method::Fft, 0.5, 1000.0, 1);
    EXPECT_DOUBLE_EQ(acquisition::BlockSeconds(size, 1000.0), 0.512);
}

TEST(BlockSizing, OnlyFftSelectsTheSpectralMethod)
{
    EXPECT_EQ(acquisition::MethodFor("fft"), Method::Fft);
    for (const char* other : { "sum", "FFT", "", "fft " })
        EXPECT_EQ(acquisition::MethodFor(other), Method::Sum) << other;
}

struct PlacementCase {
    const char* name;
    std::array<bool, 4> checked;
    uint16_t count;
    std::array<uint16_t, 4> table; // first `count` entries compared
    std::array<int16_t, 4> positions;
};

TEST(ChannelChoices, CheckedChannelsFillTheTableInAscendingOrder)
{
    const PlacementCase cases[] = {
        { "only channel 2", { false, false, true, false }, 1, { 2 }, { -1, -1, 0, -1 } },
        { "channels 1 and 3", { false, true, false, true }, 2, { 1, 3 }, { -1, 0, -1, 1 } },
        { "all", { true, true, true, true }, 4, { 0, 1, 2, 3 }, { 0, 1, 2, 3 } },
        { "none", { false, false, false, false }, 0, {}, { -1, -1, -1, -1 } },
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        AdcParameters parameters {};
        parameters.ChannelTable[3] = 77; // entries past the count are left alone
        acquisition::ChannelChoices choices;
        for (int ch = 0; ch < 4; ++ch)
            choices[ch] = { c.checked[ch], 2 - ch % 3, ch % 2 };
        std::array<int16_t, 4> positions {};
        EXPECT_EQ(acquisition::FillChannelChoices(parameters, choices, &positions), c.count);
        EXPECT_EQ(uint16_t(parameters.ChannelCount), c.count);
        for (int k = 0; k < c.count; ++k)
            EXPECT_EQ(uint16_t(parameters.ChannelTable[k]), c.table[k]) << k;
        if (c.count < 4) {
            EXPECT_EQ(uint16_t(parameters.ChannelTable[3]), 77);
        }
        EXPECT_EQ(positions, c.positions);
        for (int ch = 0; ch < 4; ++ch) {
            // Ranges and modes are passed for every channel, checked or not.
            EXPECT_EQ(uint16_t(parameters.InputRange[ch]), 2 - ch % 3) << ch;
            EXPECT_EQ(uint16_t(parameters.InputConnectionMode[ch]), ch % 2) << ch;
        }
    }
}

TEST(ChannelChoices, AnUnselectedComboBoxGivesTheFirstItem)
{
    AdcParameters parameters {};
    acquisition::ChannelChoices choices;
    choices[0] = { true, -1, -1 };
    choices[1] = { false, 3, 2 };
    acquisition::FillChannelChoices(parameters, choices);
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(uint16_t(parameters.InputRange[ch]), 0) << ch;
        EXPECT_EQ(uint16_t(parameters.InputConnectionMode[ch]), 0) << ch;
    }
}

TEST(ChannelChoices, RevisionAndLinkSpeed)
{
    EXPECT_EQ(acquisition::RevisionFlagFor('A'), 0u);
    EXPECT_EQ(acquisition::RevisionFlagFor('B'), 1u);
    EXPECT_EQ(acquisition::LinkSpeedParameter(0), 0.01);
    EXPECT_EQ(acquisition::LinkSpeedParameter(1), 0.0);
}

} // namespace
