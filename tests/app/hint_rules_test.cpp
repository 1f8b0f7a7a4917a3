#include "hint_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(HintDuration, StatusLedKeepsItsFullSpeedWarningLongest)
{
    EXPECT_EQ(hints::hintDurationMs(QStringLiteral("ModuleStatusLed"), QColor(255, 150, 0)), 10000);
    EXPECT_EQ(hints::hintDurationMs(QStringLiteral("ModuleStatusLed"), QColor(0, 255, 0)), 5000);
    EXPECT_EQ(hints::hintDurationMs(QStringLiteral("ModuleStatusLed"), QColor()), 5000);
    EXPECT_EQ(hints::hintDurationMs(QStringLiteral("FindDeviceLMDButton"), QColor(255, 150, 0)), 2000);
    EXPECT_EQ(hints::hintDurationMs(QStringLiteral("ChannelsOverflowLed"), QColor(255, 150, 0)), 2000);
}

struct ClampCase {
    QPoint position;
    QPoint expected;
};

class HintClamp : public ::testing::TestWithParam<ClampCase> { };

// Work area 0,0 1920 x 1040 (a task bar below it); hint 200 x 50.
TEST_P(HintClamp, KeepsTheEdgesTenPixelsInsideTheWorkArea)
{
    const QRect workArea(0, 0, 1920, 1040);
    EXPECT_EQ(hints::clampHintPosition(GetParam().position, QSize(200, 50), workArea), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, HintClamp,
    ::testing::Values(ClampCase { { 100, 100 }, { 100, 100 } }, // inside: unchanged
        ClampCase { { 1720, 990 }, { 1720, 990 } }, // touching both edges: unchanged
        ClampCase { { 1721, 100 }, { 1710, 100 } }, // one pixel beyond the right edge
        ClampCase { { 100, 991 }, { 100, 980 } }, // one pixel below the bottom
        ClampCase { { 1900, 1030 }, { 1710, 980 } })); // beyond both

TEST(HintClamp, FollowsAWorkAreaThatDoesNotStartAtZero)
{
    const QRect workArea(1920, 40, 1280, 984);
    EXPECT_EQ(hints::clampHintPosition({ 3100, 1000 }, QSize(300, 40), workArea), QPoint(2890, 974));
}

} // namespace
