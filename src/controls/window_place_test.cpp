// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/window_place.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

TEST(FitIntoArea, StoredPlacesComeBackOntoTheMonitor) {
    const Gdk::Rectangle screen(0, 0, 1280, 1024);
    // "BMP X/Y" of 5000, 3000: the window's far corner at the work area's.
    EXPECT_EQ(1280 - 506, FitIntoArea(5000, 3000, 506, 442, screen).x);
    EXPECT_EQ(1024 - 442, FitIntoArea(5000, 3000, 506, 442, screen).y);
    // Left of or above the screen: at its edge.
    EXPECT_EQ(0, FitIntoArea(-300, -40, 506, 442, screen).x);
    EXPECT_EQ(0, FitIntoArea(-300, -40, 506, 442, screen).y);
    // A place inside stays where it was.
    EXPECT_EQ(40, FitIntoArea(40, 30, 600, 500, screen).x);
    EXPECT_EQ(30, FitIntoArea(40, 30, 600, 500, screen).y);
}

TEST(FitIntoArea, LargerThanTheAreaIsCutAndNoPlaceIsCentred) {
    // A monitor to the right of another, with a panel along its top.
    const Gdk::Rectangle area(1280, 32, 1024, 736);
    const WindowPlace cut = FitIntoArea(2000, 0, 1308, 822, area);
    EXPECT_EQ(1024, cut.width);
    EXPECT_EQ(736, cut.height);
    EXPECT_EQ(1280, cut.x);
    EXPECT_EQ(32, cut.y);
    const WindowPlace centred = FitIntoArea(std::nullopt, std::nullopt, 500, 400, area);
    EXPECT_EQ(1280 + 262, centred.x);
    EXPECT_EQ(32 + 168, centred.y);
}

} // namespace
} // namespace controls
