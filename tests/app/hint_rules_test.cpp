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

struct PlaceCase {
    const char* name;
    QPoint pointer;
    QPoint expected;
};

class HintPlace : public ::testing::TestWithParam<PlaceCase> { };

// Work area 0,0 1920 x 1040 (a task bar below it); hint 200 x 50. The
// mouse arrow covers about 16 x 16 pixels below and right of the pointer.
TEST_P(HintPlace, StaysOnTheWorkAreaAndOffThePointer)
{
    const QRect workArea(0, 0, 1920, 1040);
    const QSize hintSize(200, 50);
    const QPoint placed = hints::placeHint(GetParam().pointer, hintSize, workArea);
    EXPECT_EQ(placed, GetParam().expected);
    const QRect hint(placed, hintSize);
    EXPECT_TRUE(workArea.contains(hint));
    EXPECT_FALSE(hint.intersects(QRect(GetParam().pointer, QSize(16, 16))));
}

INSTANTIATE_TEST_SUITE_P(Edges, HintPlace,
    ::testing::Values(PlaceCase { "Inside", { 100, 100 }, { 102, 116 } },
        PlaceCase { "TouchingBothEdges", { 1718, 974 }, { 1720, 990 } },
        PlaceCase { "AtTheLeftEdge", { 0, 500 }, { 2, 516 } }, PlaceCase { "AtTheTopEdge", { 500, 0 }, { 502, 16 } },
        PlaceCase { "OnePixelBeyondTheRightEdge", { 1719, 100 }, { 1509, 116 } },
        PlaceCase { "AtTheRightEdge", { 1915, 500 }, { 1705, 516 } },
        PlaceCase { "OnePixelBelowTheBottom", { 100, 975 }, { 102, 915 } },
        PlaceCase { "AtTheBottom", { 100, 1035 }, { 102, 975 } },
        PlaceCase { "InTheBottomRightCorner", { 1915, 1035 }, { 1705, 975 } },
        PlaceCase { "InTheTopRightCorner", { 1919, 0 }, { 1709, 16 } },
        PlaceCase { "InTheBottomLeftCorner", { 0, 1039 }, { 2, 979 } }),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST(HintPlace, FollowsAWorkAreaThatDoesNotStartAtZero)
{
    const QRect workArea(1920, 40, 1280, 984);
    EXPECT_EQ(hints::placeHint({ 3190, 1020 }, QSize(300, 40), workArea), QPoint(2880, 970));
    EXPECT_EQ(hints::placeHint({ 1920, 40 }, QSize(300, 40), workArea), QPoint(1922, 56));
}

TEST(HintPlace, AHintTooLargeForTheRoomBesideThePointerStillLeavesItFree)
{
    const QRect workArea(0, 0, 1920, 1040);
    struct Case {
        QPoint pointer;
        QSize hintSize;
    };
    const Case cases[] = {
        { { 1000, 500 }, { 1900, 50 } }, // wider than the room left of the pointer
        { { 100, 1000 }, { 200, 1030 } }, // taller than the room above it
        { { 1900, 1000 }, { 200, 1030 } }, // both, near the right edge
    };
    for (const Case& row : cases) {
        const QRect hint(hints::placeHint(row.pointer, row.hintSize, workArea), row.hintSize);
        SCOPED_TRACE(testing::Message() << row.pointer.x() << "," << row.pointer.y());
        EXPECT_GE(hint.left(), workArea.left());
        EXPECT_GE(hint.top(), workArea.top());
        EXPECT_FALSE(hint.intersects(QRect(row.pointer, QSize(16, 16))));
    }
}

} // namespace
