// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_common.h"

#include <gtest/gtest.h>

namespace pages {
namespace {

TEST(PageCommon, EraYears) {
    EXPECT_EQ("一", EraYearText(1));
    EXPECT_EQ("廿", EraYearText(20));
    EXPECT_EQ("卅一", EraYearText(31));
    EXPECT_EQ("三十二", EraYearText(32));
    EXPECT_EQ("三十五", EraYearText(35));
    EXPECT_EQ("四十", EraYearText(40));
    EXPECT_EQ("六十四", EraYearText(64));
    EXPECT_EQ("百十二", EraYearText(112));
    EXPECT_EQ("二百", EraYearText(200));
}

TEST(PageCommon, UnitsAndFaces) {
    EXPECT_EQ(236, MmToPixels(10, 600));
    EXPECT_EQ(39, MmToPixels(10, 100));
    EXPECT_EQ(600, DesignToDevice(96, 600));
    EXPECT_EQ("ＭＳ ゴシック", HorizontalFace("@ＭＳ ゴシック"));
    EXPECT_EQ("IPAGothic", HorizontalFace("IPAGothic"));
}

TEST(PageCommon, RoundingAndPointSizes) {
    EXPECT_EQ(2, RoundHalfEven(2.5));
    EXPECT_EQ(4, RoundHalfEven(3.5));
    EXPECT_EQ(-2, RoundHalfEven(-2.5));
    EXPECT_DOUBLE_EQ(6.25, DesignScale(600));
    // 160 px at 600 dpi is 19.2 pt, set as 19 pt: 158 px; a positive (cell) height stays positive.
    EXPECT_EQ(-158, PointRoundedHeight(-160, 600));
    EXPECT_EQ(158, PointRoundedHeight(160, 600));
}

} // namespace
} // namespace pages
