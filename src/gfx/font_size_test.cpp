// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/font_size.h"

#include <gtest/gtest.h>

#include <climits>

namespace gfx {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(10, 600, 72), 83); // 83.33
    EXPECT_EQ(MulDiv(3, 3, 2), 5);      // 4.5
    EXPECT_EQ(MulDiv(-3, 3, 2), -5);    // -4.5
    EXPECT_EQ(MulDiv(3, -3, -2), 5);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 1), INT_MAX);
}

TEST(FontSize, PointsAndHeightsRoundTripAsThePagesUseThem) {
    // The title numeral: Height -500 at 600 dpi is 60 points, which is a height of -500 again.
    EXPECT_EQ(PointsFromHeight(-500, 600), 60);
    EXPECT_EQ(HeightFromPoints(60, 600), -500);
    // Halves go to the even size: -25 px at 144 dpi is 12.5 points.
    EXPECT_EQ(PointsFromHeight(-25, 144), 12);
    EXPECT_EQ(PointsFromHeight(-27, 144), 14);
    EXPECT_EQ(HeightFromPoints(9, 96), -12);
    EXPECT_EQ(PointsFromHeight(-10, 0), 0);
}

} // namespace
} // namespace gfx
