// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_image.h"
#include "pictures/builtin_bitmaps.h"
#include "pictures/ink_bitmap.h"

#include <gtest/gtest.h>

#include <random>

namespace pictures {
namespace {

// The ink bits agree with the pixels the full decoder gives, pixel by pixel.
void ExpectSameInk(const InkBitmap& ink, const Bitmap& bitmap, const std::string& what) {
    ASSERT_EQ(ink.width, bitmap.width) << what;
    ASSERT_EQ(ink.height, bitmap.height) << what;
    int differing = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x)
            differing += ink.ink(x, y) != IsInk(bitmap.at(x, y));
    }
    EXPECT_EQ(differing, 0) << what;
}

TEST(InkBitmap, PageNumeralsAreTheirPicturesInk) {
    for (int day = 0; day <= 31; ++day) {
        const std::string name = PageDayNumberBitmapName(day);
        const InkBitmap* ink = BuiltinInkBitmap(name);
        ASSERT_NE(ink, nullptr) << name;
        EXPECT_TRUE(ink->permanent);
        ExpectSameInk(*ink, *DecodeBmpImage(BuiltinBitmapBytes(name)), name);
    }
    EXPECT_EQ(BuiltinInkBitmap("no such picture"), nullptr);
}

TEST(InkBitmap, EitherPaletteOrderAnyWidthEitherRowOrder) {
    std::mt19937 random(5);
    for (const bool dark_first : {true, false}) {
        for (const int width : {1, 7, 8, 9, 33}) {
            for (const int height : {3, -3}) {
                Bitmap bitmap{width, std::abs(height), {}, true};
                for (int i = 0; i < width * std::abs(height); ++i)
                    bitmap.pixels.push_back(random() % 2 ? 0xFF102030u : 0xFFF0E0D0u);
                // Written as a standard 1-bit image; its palette has the darker colour first.
                std::vector<std::uint8_t> file = EncodeBmpImage(bitmap);
                if (!dark_first) {
                    // Swap the palette entries and invert every pixel bit: the same picture.
                    std::swap_ranges(file.begin() + 54, file.begin() + 58, file.begin() + 58);
                    for (std::size_t i = 62; i < file.size(); ++i)
                        file[i] = static_cast<std::uint8_t>(~file[i]);
                }
                if (height < 0) {
                    // Top-down rows: negative height and the rows in the other order.
                    const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
                    std::vector<std::uint8_t> rows(file.begin() + 62, file.end());
                    for (int y = 0; y < 3; ++y)
                        std::copy_n(rows.begin() + (2 - y) * stride, stride, file.begin() + 62 + y * stride);
                    const std::uint32_t h = static_cast<std::uint32_t>(-3);
                    for (int b = 0; b < 4; ++b)
                        file[22 + b] = static_cast<std::uint8_t>(h >> (8 * b));
                }
                const auto ink = DecodeInkBmp(file);
                ASSERT_TRUE(ink);
                ExpectSameInk(*ink, bitmap, std::to_string(width) + (dark_first ? " dark first" : " light first"));
                // The bits past the width are clear.
                if (width % 8 != 0) {
                    for (int y = 0; y < ink->height; ++y)
                        EXPECT_EQ(ink->rows[static_cast<std::size_t>(y + 1) * ink->stride - 1] & (0xFF >> (width % 8)),
                                  0);
                }
            }
        }
    }
    Bitmap colour{2, 2, {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu}, false};
    EXPECT_FALSE(DecodeInkBmp(EncodeBmpImage(colour)));
}

} // namespace
} // namespace pictures
