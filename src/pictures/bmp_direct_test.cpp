// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_direct.h"
#include "pictures/bmp_file_for_tests.h"
#include "pictures/bmp_image.h"
#include "pictures/pixbuf_image.h"

#include <gtest/gtest.h>

#include <random>

namespace pictures {
namespace {

using testing::Bytes;

struct Shape {
    int width, height, bits;
    unsigned colors_used; // 0: the depth's full palette
    unsigned gap;         // bytes between the palette and the pixels
    bool cut_last_padding;
    bool index_past_palette;
};

// A random uncompressed .bmp of the shape, as a Windows bitmap object or another writer
// might lay it out.
Bytes RandomBmp(const Shape& s, std::mt19937& random) {
    const unsigned palette_size = s.bits <= 8 ? (s.colors_used ? s.colors_used : 1u << s.bits) : 0;
    const std::size_t stride = (static_cast<std::size_t>(s.width) * s.bits + 31) / 32 * 4;
    const int rows = std::abs(s.height);
    Bytes pixels(stride * rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < s.width; ++x) {
            if (s.bits <= 8) {
                unsigned index = random() % palette_size;
                if (s.index_past_palette && x == 0 && y == rows - 1) index = palette_size;
                const unsigned per_byte = 8 / s.bits;
                pixels[y * stride + x / per_byte] |=
                    static_cast<std::uint8_t>(index << (8 - s.bits * (x % per_byte + 1)));
            } else {
                for (int c = 0; c < s.bits / 8; ++c)
                    pixels[y * stride + x * (s.bits / 8) + c] = static_cast<std::uint8_t>(random());
            }
        }
    }
    if (s.cut_last_padding) pixels.resize(stride * (rows - 1) + (static_cast<std::size_t>(s.width) * s.bits + 7) / 8);
    std::vector<std::uint32_t> palette;
    for (unsigned i = 0; i < palette_size; ++i)
        palette.push_back(random() & 0xFFFFFF);
    return testing::BmpFile(s.width, s.height, s.bits, 0, palette, s.colors_used, pixels, s.gap);
}

// The direct reader gives exactly the general loader's pixels for every depth, width
// (each row padding), row order and short palette. It also honours the header's offset of
// the pixels and reads a last row stored without its padding, where gdk-pixbuf reads the
// gap as pixels and leaves that row black: those files give the pixels of the plain file.
TEST(BmpDirect, SameAsTheGeneralLoader) {
    int compared = 0;
    unsigned seed = 20261208;
    for (const int bits : {1, 4, 8, 24, 32}) {
        for (int width = 1; width <= 37; width += 3) {
            for (const int height : {1, 5, -4}) {
                const unsigned short_palette = bits == 1 ? 0 : bits == 4 ? 11 : bits == 8 ? 200 : 0;
                for (const unsigned colors : {0u, short_palette}) {
                    ++seed;
                    std::mt19937 plain_random(seed);
                    const Bytes plain = RandomBmp({width, height, bits, colors, 0, false, false}, plain_random);
                    const auto general = DecodeWithPixbuf(plain, "bmp");
                    ASSERT_TRUE(general) << bits << " bits, " << width << " x " << height;
                    for (const unsigned gap : {0u, 6u}) {
                        for (const bool cut : {false, true}) {
                            std::mt19937 random(seed);
                            const Bytes file = RandomBmp({width, height, bits, colors, gap, cut, false}, random);
                            const auto header = ReadBmpHeader(file);
                            ASSERT_TRUE(header && PlausibleBmpHeader(*header, file.size()));
                            const auto direct = DecodeUncompressedBmp(file, *header);
                            ASSERT_TRUE(direct) << bits << " bits, " << width << " x " << height;
                            EXPECT_EQ(direct->width, general->width);
                            EXPECT_EQ(direct->height, general->height);
                            EXPECT_EQ(direct->pixels, general->pixels)
                                << bits << " bits, " << width << " x " << height << ", gap " << gap << ", cut " << cut;
                            EXPECT_EQ(direct->monochrome, bits == 1);
                            ++compared;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 700);
}

// Images it does not read are left to the general loader, and DecodeBmpImage still reads
// them: an index past a short palette, 16-bit pixels, run-length rows.
TEST(BmpDirect, LeavesOtherImagesToTheGeneralLoader) {
    std::mt19937 random(7);
    const Bytes past = RandomBmp({9, 3, 8, 20, 0, false, true}, random);
    const auto header = ReadBmpHeader(past);
    ASSERT_TRUE(header);
    EXPECT_FALSE(DecodeUncompressedBmp(past, *header));
    const auto decoded = DecodeBmpImage(past);
    const auto general = DecodeWithPixbuf(past, "bmp");
    ASSERT_EQ(decoded.has_value(), general.has_value());
    if (decoded) {
        EXPECT_EQ(decoded->pixels, general->pixels);
    }

    Bytes sixteen = RandomBmp({4, 2, 24, 0, 0, false, false}, random);
    sixteen[28] = 16;
    EXPECT_FALSE(DecodeUncompressedBmp(sixteen, *ReadBmpHeader(sixteen)));
    Bytes rle = RandomBmp({4, 2, 8, 0, 0, false, false}, random);
    rle[30] = 1;
    EXPECT_FALSE(DecodeUncompressedBmp(rle, *ReadBmpHeader(rle)));
}

} // namespace
} // namespace pictures
