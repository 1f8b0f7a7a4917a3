#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "dsp/window.h"

namespace {

const double kTerms[9] = { 0.2384331152777942, -0.400554534864382, 0.2358242530472107, -0.09527918858383112,
    0.02537395516617152, -0.004152432907505835, 0.000368560416329818, -1.38435559391703e-05, 1.161808358932861e-07 };

double directWindow(uint32_t n, uint32_t N)
{
    double w = 0;
    for (int k = 0; k < 9; ++k)
        w += kTerms[k] * std::cos(2 * M_PI * k * double(n) / N);
    return w;
}

// Lengths on both sides of one generation chunk (0x40000 samples).
TEST(MakeWindow, FollowsTheCosineSumAcrossChunks)
{
    for (uint32_t N : { 16u, 4096u, 0x40000u + 1024u }) {
        std::vector<double> w(N + 16, 0.0);
        dsp::WindowTerms terms;
        ASSERT_TRUE(dsp::MakeWindow(w.data(), N, 8, terms, nullptr));
        ASSERT_EQ(terms.count, 9);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(terms.terms[k], kTerms[k]);
        for (uint32_t n = 0; n < N; ++n)
            ASSERT_NEAR(w[n], directWindow(n, N), 1e-12) << "N = " << N << ", n = " << n;
        EXPECT_NEAR(w[N / 2], 1.0, 1e-9);
        EXPECT_NEAR(w[0], 0.0, 1e-9);
        EXPECT_EQ(w[N], 0.0) << "nothing is written past N";
    }
}

TEST(MakeWindow, StopsBeforeTheNextChunkWhenTheFlagIsRaised)
{
    std::atomic<bool> abort { true };
    std::vector<double> w(4096, -1.0);
    dsp::WindowTerms terms;
    EXPECT_FALSE(dsp::MakeWindow(w.data(), 4096, 8, terms, &abort));
    EXPECT_EQ(w[100], -1.0);
}

TEST(MakeWindow, RefusesOtherWindowTypes)
{
    std::vector<double> w(16);
    dsp::WindowTerms terms;
    EXPECT_THROW(dsp::MakeWindow(w.data(), 16, 3, terms, nullptr), std::invalid_argument);
}

TEST(WindowPowerGain, IsThatOfTheNineTermWindow)
{
    std::vector<double> w(16);
    dsp::WindowTerms terms;
    dsp::MakeWindow(w.data(), 16, 8, terms, nullptr);
    EXPECT_NEAR(dsp::WindowPowerGain(terms), 0.16974852737665078, 1e-16);
}

} // namespace
