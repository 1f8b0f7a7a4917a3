#include "window_placement.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct PlacementCase {
    const char* name;
    int top;
    int left;
    QPoint expected;
};

void PrintTo(const PlacementCase& placement, std::ostream* out)
{
    *out << placement.name;
}

// Two screens side by side: 1920 x 1040 available (a task bar below it) and,
// to its left, 1280 x 1024. The window's frame is 1090 x 620 and it opens
// centred at (415, 210).
const QList<QRect> kScreens { QRect(0, 0, 1920, 1040), QRect(-1280, 0, 1280, 1024) };
const QSize kFrame(1090, 620);
const QPoint kOpening(415, 210);

class WindowPlacement : public ::testing::TestWithParam<PlacementCase> { };

TEST_P(WindowPlacement, UsesAStoredPositionOnlyWhereTheWholeWindowFitsOnAScreen)
{
    const PlacementCase& placement = GetParam();
    EXPECT_EQ(
        window_placement::startPosition(placement.top, placement.left, kOpening, kFrame, kScreens), placement.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, WindowPlacement,
    ::testing::Values(PlacementCase { "NothingStored", -1, -1, kOpening },
        PlacementCase { "TopOnly", 120, -1, QPoint(415, 120) }, PlacementCase { "LeftOnly", -1, 40, QPoint(40, 210) },
        PlacementCase { "BothOnTheFirstScreen", 300, 40, QPoint(40, 300) },
        PlacementCase { "TouchingTheBottomRightCorner", 420, 830, QPoint(830, 420) },
        PlacementCase { "OnePixelPastTheTaskBar", 421, 830, kOpening },
        PlacementCase { "OnTheScreenToTheLeft", 100, -1200, QPoint(-1200, 100) },
        PlacementCase { "AcrossBothScreens", 100, -500, kOpening },
        PlacementCase { "FarAway", 100000, -50000, kOpening }, PlacementCase { "AboveTheScreens", -300, 40, kOpening },
        PlacementCase { "IntegerExtremes", 2147483647, -2147483647, kOpening }),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(WindowPlacementWithoutScreens, KeepsTheOpeningPosition)
{
    EXPECT_EQ(window_placement::startPosition(100, 100, kOpening, kFrame, {}), kOpening);
}

} // namespace
