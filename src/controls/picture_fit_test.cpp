// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/picture_fit.h"

#include <gdkmm/wrap_init.h>
#include <glibmm/init.h>

#include <gtest/gtest.h>

namespace controls {
namespace {

class PictureFitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Glib::init();
        Gdk::wrap_init();
    }
};

pictures::Bitmap Filled(int w, int h, std::uint32_t colour) {
    pictures::Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), colour);
    return b;
}

std::uint32_t PixelAt(const Glib::RefPtr<Gdk::Pixbuf>& pixbuf, int x, int y) {
    const guint8* p = pixbuf->get_pixels() + static_cast<std::ptrdiff_t>(y) * pixbuf->get_rowstride() + 3 * x;
    return 0xFF000000u | static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

TEST_F(PictureFitTest, APictureKeepsItsSizeWhenItFitsAndIsReducedInProportionWhenNot) {
    EXPECT_EQ(FittedSize(200, 100, 200, 100), (ShownSize{200, 100}));
    EXPECT_EQ(FittedSize(400, 100, 200, 220), (ShownSize{200, 50}));
    EXPECT_EQ(FittedSize(100, 400, 200, 220), (ShownSize{55, 220}));
    // Far wider or taller than any room: one pixel on the short side, never more than the room.
    EXPECT_EQ(FittedSize(48'000'000, 1, 200, 220), (ShownSize{200, 1}));
    EXPECT_EQ(FittedSize(1, 48'000'000, 200, 220), (ShownSize{1, 220}));
    EXPECT_EQ(FittedSize(40'000, 100, 1200, 900), (ShownSize{1200, 3}));
    EXPECT_EQ(FittedSize(0, 10, 200, 200), ShownSize{});
    EXPECT_EQ(FittedSize(10, 10, 0, 200), ShownSize{});
}

TEST_F(PictureFitTest, TheSurfaceIsTheSizeShownAndEachPixelTheMeanOfWhatItCovers) {
    // Left half black, right half white, one row of red at the top.
    pictures::Bitmap b = Filled(8, 4, 0xFFFFFFFF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            b.pixels[static_cast<std::size_t>(y * 8 + x)] = 0xFF000000;
    auto same = FitPicture(b, 100, 100);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->get_width(), 8);
    EXPECT_EQ(same->get_height(), 4);
    EXPECT_EQ(PixelAt(same, 3, 2), 0xFF000000u);
    EXPECT_EQ(PixelAt(same, 4, 2), 0xFFFFFFFFu);

    auto halved = FitPicture(b, 4, 2);
    ASSERT_TRUE(halved);
    EXPECT_EQ(halved->get_width(), 4);
    EXPECT_EQ(halved->get_height(), 2);
    EXPECT_EQ(PixelAt(halved, 1, 1), 0xFF000000u);
    EXPECT_EQ(PixelAt(halved, 2, 1), 0xFFFFFFFFu);
    auto one = FitPicture(b, 1, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->get_width(), 1);
    EXPECT_EQ(PixelAt(one, 0, 0), 0xFF808080u); // the mean of black and white

    // Rows apart by a stride larger than the width (a Cairo image's rows).
    std::vector<std::uint32_t> rows = {0xFF102030, 0xFF102030, 0xDEADBEEF, 0xFF102030, 0xFF102030, 0xDEADBEEF};
    auto strided = FitPicture(PixelView{rows.data(), 2, 2, 3}, 1, 1);
    ASSERT_TRUE(strided);
    EXPECT_EQ(PixelAt(strided, 0, 0), 0xFF102030u);
}

TEST_F(PictureFitTest, PicturesFarLargerThanTheRoomCostOnlyTheRoom) {
    const pictures::Bitmap line = Filled(48'000'000, 1, 0xFF3366CC);
    auto pane = FitPicture(line, 200, 220);
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->get_width(), 200);
    EXPECT_EQ(pane->get_height(), 1);
    EXPECT_EQ(PixelAt(pane, 199, 0), 0xFF3366CCu);
    const pictures::Bitmap wide = Filled(40'000, 100, 0xFF3366CC);
    auto screen = FitPicture(wide, 1200, 900);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->get_width(), 1200);
    EXPECT_EQ(screen->get_height(), 3);
}

TEST_F(PictureFitTest, WhatCannotBeShownIsRefused) {
    EXPECT_FALSE(FitPicture(pictures::Bitmap{}, 100, 100));
    pictures::Bitmap short_of_pixels = Filled(10, 10, 0xFF000000);
    short_of_pixels.pixels.resize(99);
    EXPECT_FALSE(FitPicture(short_of_pixels, 100, 100));
    EXPECT_FALSE(FitPicture(Filled(10, 10, 0xFF000000), 0, 100));
    EXPECT_FALSE(FitPicture(PixelView{nullptr, 10, 10, 10}, 100, 100));
}

} // namespace
} // namespace controls
