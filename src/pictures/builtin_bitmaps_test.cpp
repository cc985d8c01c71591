// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/builtin_bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace pictures {
namespace {

int InkPixels(const Bitmap& b) {
    int n = 0;
    for (const std::uint32_t p : b.pixels)
        n += (p & 0xFFFFFF) != 0xFFFFFF;
    return n;
}

TEST(BuiltinBitmaps, DayNumbersAreOneBit36Square) {
    for (int day = 0; day <= 31; ++day) {
        const std::string name = DayNumberBitmapName(day);
        const Bitmap* b = BuiltinBitmap(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->width, 36);
        EXPECT_EQ(b->height, 36);
        EXPECT_TRUE(b->monochrome) << name;
        EXPECT_GT(InkPixels(*b), 20) << name;
    }
    EXPECT_EQ(DayNumberBitmapName(7), "K07");
    EXPECT_EQ(DayNumberBitmapName(99), "K31");
    // Different numerals are different pictures.
    EXPECT_NE(BuiltinBitmap("K11")->pixels, BuiltinBitmap("K12")->pixels);
}

TEST(BuiltinBitmaps, PageDayNumbersAreTheSameNumeralsEightTimesFiner) {
    for (int day = 0; day <= 31; ++day) {
        const std::string name = PageDayNumberBitmapName(day);
        const Bitmap* fine = BuiltinBitmap(name);
        const Bitmap* small = BuiltinBitmap(DayNumberBitmapName(day));
        ASSERT_NE(fine, nullptr) << name;
        EXPECT_EQ(fine->width, 288);
        EXPECT_EQ(fine->height, 288);
        EXPECT_TRUE(fine->monochrome) << name;
        // Each 8 × 8 block, inked when at least half of it is, matches the small picture
        // nearly everywhere: the same numeral in the same place.
        int differing = 0;
        for (int y = 0; y < 36; ++y) {
            for (int x = 0; x < 36; ++x) {
                int inked = 0;
                for (int dy = 0; dy < 8; ++dy)
                    for (int dx = 0; dx < 8; ++dx) inked += (fine->at(8 * x + dx, 8 * y + dy) & 0xFFFFFF) != 0xFFFFFF;
                differing += (inked >= 32) != ((small->at(x, y) & 0xFFFFFF) != 0xFFFFFF);
            }
        }
        EXPECT_LT(differing, 36 * 36 / 8) << name;
    }
    EXPECT_EQ(PageDayNumberBitmapName(21), "page/K21");
    EXPECT_EQ(PageDayNumberBitmapName(-3), "page/K00");
}

TEST(BuiltinBitmaps, WeekdayHeadsHaveTheirColours) {
    for (const char* name :
         {"SUNDAY", "MONDAY", "TUSDAY", "WESDAY", "THUDAY", "FRIDAY", "SATADAY", "SUNDAY_BLACK", "SATADAY_BLACK"}) {
        const Bitmap* b = BuiltinBitmap(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->width, 16);
        EXPECT_EQ(b->height, 16);
    }
    // The darkest pixel tells the ink: red for Sunday, blue for Saturday, grey for the others.
    auto ink = [](const char* name) {
        std::uint32_t best = 0xFFFFFFFF;
        int best_sum = 3 * 255;
        for (const std::uint32_t p : BuiltinBitmap(name)->pixels) {
            const int sum = static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF));
            if (sum < best_sum) best_sum = sum, best = p;
        }
        return best & 0xFFFFFF;
    };
    const std::uint32_t sun = ink("SUNDAY"), sat = ink("SATADAY"), mon = ink("MONDAY");
    EXPECT_GT(sun >> 16 & 0xFF, 0xC0u);
    EXPECT_LT(sun & 0xFF, 0x40u);
    EXPECT_GT(sat & 0xFF, 0xC0u);
    EXPECT_LT(sat >> 16 & 0xFF, 0x40u);
    EXPECT_LT(mon, 0x404040u);
    EXPECT_LT(ink("SUNDAY_BLACK") >> 16 & 0xFF, 0x40u);
}

TEST(BuiltinBitmaps, PageWeekdayHeadsAreTheSmallOnesEightTimesFiner) {
    for (const char* name : {"SUNDAY", "MONDAY", "TUSDAY", "WESDAY", "THUDAY", "FRIDAY", "SATADAY"}) {
        const InkBitmap* fine = BuiltinInkBitmap(std::string("page/") + name);
        const Bitmap* small = BuiltinBitmap(name);
        ASSERT_NE(fine, nullptr) << name;
        ASSERT_NE(small, nullptr) << name;
        EXPECT_EQ(fine->width, 128);
        EXPECT_EQ(fine->height, 128);
        // The small heads are smoothed colour pictures: a pixel is ink when it is nearer its
        // ink (the darkest pixel) than white. Each 8 × 8 block of the fine one, inked when at
        // least half of it is, agrees with that nearly everywhere: the same character in the
        // same place and weight.
        auto darkness = [](std::uint32_t p) {
            return 3 * 255 - static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF));
        };
        int ink = 0;
        for (const std::uint32_t p : small->pixels) ink = std::max(ink, darkness(p));
        int differing = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                int inked = 0;
                for (int dy = 0; dy < 8; ++dy)
                    for (int dx = 0; dx < 8; ++dx) inked += fine->ink(8 * x + dx, 8 * y + dy);
                differing += (inked >= 32) != (2 * darkness(small->at(x, y)) > ink);
            }
        }
        EXPECT_LT(differing, 16 * 16 / 8) << name;
    }
}

TEST(BuiltinBitmaps, GlyphsAndUnknownNames) {
    EXPECT_NE(BuiltinBitmap("SYSCLOSE"), nullptr);
    EXPECT_NE(BuiltinBitmap("PREVIEWGLYPH"), nullptr);
    EXPECT_EQ(BuiltinBitmap("K32"), nullptr);
    EXPECT_EQ(BuiltinBitmap(""), nullptr);
    EXPECT_TRUE(BuiltinBitmapBytes("NOPE").empty());
    EXPECT_EQ(BuiltinBitmap("K05"), BuiltinBitmap("K05")); // made once
}

} // namespace
} // namespace pictures
