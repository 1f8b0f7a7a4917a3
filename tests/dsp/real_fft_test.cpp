#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "dsp/real_fft.h"

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Expected result layout of RealFft for X_k = Σ x[n]·e^(+2πi·k·n/N), computed
// directly from the nonzero samples only (so sparse inputs stay cheap).
std::vector<double> directTransform(const std::vector<double>& x)
{
    const size_t n = x.size();
    std::vector<size_t> nonzero;
    for (size_t i = 0; i < n; ++i)
        if (x[i] != 0.0)
            nonzero.push_back(i);
    std::vector<long double> cosTable(n), sinTable(n);
    for (size_t i = 0; i < n; ++i) {
        cosTable[i] = std::cos(2 * kPi * i / n);
        sinTable[i] = std::sin(2 * kPi * i / n);
    }
    std::vector<double> f(n, 0.0);
    for (size_t k = 0; k <= n / 2; ++k) {
        long double re = 0, im = 0;
        for (size_t i : nonzero) {
            const size_t phase = (k * i) % n;
            re += x[i] * cosTable[phase];
            im += x[i] * sinTable[phase];
        }
        f[k] = static_cast<double>(re);
        if (k > 0 && k < n / 2)
            f[n / 2 + k] = static_cast<double>(im);
    }
    return f;
}

double maxAbs(const std::vector<double>& v)
{
    double m = 0;
    for (double e : v)
        m = std::max(m, std::fabs(e));
    return m;
}

void expectTransform(const std::vector<double>& x)
{
    const uint32_t n = static_cast<uint32_t>(x.size());
    dsp::RealFft fft(n);
    const std::vector<double> expected = directTransform(x);
    std::vector<double> out(n, -7.0);
    const std::vector<double> input = x;
    ASSERT_TRUE(fft.forward(out.data(), input.data()));
    EXPECT_EQ(input, x) << "the input must be left unchanged";
    const double tolerance = 1e-13 * (maxAbs(expected) + 1.0) * std::log2(2.0 * n);
    for (uint32_t k = 0; k < n; ++k)
        ASSERT_NEAR(out[k], expected[k], tolerance) << "N = " << n << ", element " << k;
}

TEST(RealFft, MatchesDirectDftForEveryPowerOfTwoUpTo8192)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> sample(-2.0, 2.0);
    for (uint32_t n = 1; n <= 8192; n *= 2) {
        std::vector<double> x(n);
        for (double& v : x)
            v = sample(random);
        expectTransform(x);
    }
}

// Large lengths: the lane path up to 2^19 with both last passes, then the
// cache-blocked stages with odd and even row counts; sparse inputs keep the
// direct transform cheap.
TEST(RealFft, MatchesDirectDftForLargeSparseInputs)
{
    std::mt19937_64 random(777);
    std::uniform_real_distribution<double> sample(-3.0, 3.0);
    for (uint32_t n = 1u << 14; n <= (1u << 21); n *= 2) {
        std::vector<double> x(n, 0.0);
        for (int i = 0; i < 6; ++i)
            x[random() % n] = sample(random);
        x[0] = 0.5;
        x[n - 1] = -1.25;
        expectTransform(x);
    }
}

struct LayoutCase {
    std::vector<double> input;
    std::vector<double> expected;
};

std::vector<double> cosineOnBinOne(int n)
{
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = std::cos(2 * kPi * i / n);
    return x;
}

TEST(RealFft, GivesTheListedLayouts)
{
    const LayoutCase cases[] = {
        { { 3.5 }, { 3.5 } },
        { { 1.0, 2.0 }, { 3.0, -1.0 } },
        // x0 + x1 + x2 + x3, x0 - x2, x0 - x1 + x2 - x3, x1 - x3
        { { 1.0, 2.0, 4.0, 8.0 }, { 15.0, -3.0, -5.0, -6.0 } },
        { std::vector<double>(8, 1.0), { 8, 0, 0, 0, 0, 0, 0, 0 } },
        { cosineOnBinOne(8), { 0, 4, 0, 0, 0, 0, 0, 0 } },
    };
    for (const LayoutCase& c : cases) {
        dsp::RealFft fft(static_cast<uint32_t>(c.input.size()));
        std::vector<double> out(c.input.size());
        ASSERT_TRUE(fft.forward(out.data(), c.input.data()));
        for (size_t k = 0; k < out.size(); ++k)
            EXPECT_NEAR(out[k], c.expected[k], 1e-14) << "N = " << c.input.size() << ", element " << k;
    }
}

TEST(RealFft, ServesManyCallsWithTheSameTables)
{
    const uint32_t n = 1u << 12;
    dsp::RealFft fft(n);
    std::vector<double> x(n), out(n);
    for (int shift = 0; shift < 3; ++shift) {
        for (uint32_t i = 0; i < n; ++i)
            x[i] = std::sin(2 * kPi * (37 + shift) * i / n);
        ASSERT_TRUE(fft.forward(out.data(), x.data()));
        // A sine on bin b shows only in the imaginary part of bin b, with magnitude N/2.
        EXPECT_NEAR(std::fabs(out[n / 2 + 37 + shift]), n / 2.0, 1e-9);
        EXPECT_NEAR(out[37 + shift], 0.0, 1e-9);
    }
}

TEST(RealFft, RefusesLengthsThatAreNotPowersOfTwoUpTo2To30)
{
    for (uint32_t bad : { 0u, 3u, 12u, 1000u, (1u << 30) + 1, 1u << 31, 0xFFFFFFFFu })
        EXPECT_THROW(dsp::RealFft { bad }, std::invalid_argument) << bad;
}

TEST(RealFft, RefusesTheSameArrayForInputAndOutput)
{
    dsp::RealFft fft(16);
    std::vector<double> x(16, 1.0);
    EXPECT_THROW(fft.forward(x.data(), x.data()), std::invalid_argument);
    EXPECT_THROW(fft.forward(nullptr, x.data()), std::invalid_argument);
}

// A raised flag abandons the transform after its first pass: it returns false
// and the result is incomplete. Lowering the flag makes the same engine work again.
TEST(RealFft, IsAbandonedAfterTheFirstPassWhenTheFlagIsRaised)
{
    for (uint32_t n : { 64u, 1u << 10, 1u << 13, 1u << 16, 1u << 20 }) {
        std::atomic<bool> abort { true };
        dsp::RealFft fft(n, &abort);
        std::vector<double> x(n, 1.0), out(n, 0.0);
        EXPECT_FALSE(fft.forward(out.data(), x.data())) << n;
        bool complete = out[0] == n;
        for (uint32_t k = 1; k < n && complete; ++k)
            complete = out[k] == 0.0;
        EXPECT_FALSE(complete) << n;

        abort = false;
        EXPECT_TRUE(fft.forward(out.data(), x.data()));
        EXPECT_DOUBLE_EQ(out[0], n);
    }
}

// The acquisition thread transforms while the window thread raises the stop
// request: the transform running at that moment, or the next, is abandoned.
TEST(RealFft, StopRequestFromAnotherThreadEndsTheTransforms)
{
    const uint32_t n = 1u << 20;
    std::atomic<bool> abort { false };
    std::atomic<bool> transforming { false };
    dsp::RealFft fft(n, &abort);
    std::vector<double> x(n, 0.5), out(n);
    std::thread stopper([&] {
        while (!transforming.load())
            std::this_thread::yield();
        abort = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool abandoned = false;
    while (!abandoned && std::chrono::steady_clock::now() < deadline) {
        transforming = true;
        abandoned = !fft.forward(out.data(), x.data());
    }
    stopper.join();
    EXPECT_TRUE(abandoned);
}

} // namespace
