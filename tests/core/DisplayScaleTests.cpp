#include <gtest/gtest.h>

#include "common/DisplayScale.h"

namespace purimo {
namespace {

TEST(DisplayScaleTest, EdgesRoundAndNeighboursStayFlush) {
    DisplayScale s150(144);
    EXPECT_EQ(s150.Edge(1002), 1503);
    EXPECT_EQ(s150.Edge(585), 878); // 877.5 rounds away from zero
    // Two spans side by side share their scaled edge, whatever the rounding of each.
    EXPECT_EQ(s150.Size(8, 29) + s150.Size(37, 1), s150.Size(8, 30));
    DisplayScale s125(120);
    EXPECT_EQ(s125.Size(0, 29), 36);
    EXPECT_EQ(s125.Size(29, 29), 37); // the same width, other edges
    EXPECT_EQ(s125.FontHeight(-12), -15);
    EXPECT_EQ(s125.Line(1), 1);
    EXPECT_EQ(s125.Line(2), 3); // 2.5 away from zero
    EXPECT_EQ(DisplayScale(72).Dpi(), 96);
}

TEST(DisplayScaleTest, FittingDpiIsTheLargestThatFitsNotBelowDesign) {
    auto fitsBelow = [](int limit) { return [limit](int dpi) { return dpi <= limit; }; };
    EXPECT_EQ(FittingDpi(144, fitsBelow(1000)), 144);
    EXPECT_EQ(FittingDpi(168, fitsBelow(131)), 131);
    EXPECT_EQ(FittingDpi(144, fitsBelow(50)), 96);
    EXPECT_EQ(FittingDpi(96, fitsBelow(50)), 96);
}

} // namespace
} // namespace purimo
