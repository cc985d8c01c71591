// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_file_for_tests.h"
#include "pictures/bmp_image.h"
#include "pictures/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pictures {
namespace {

using testing::Bytes;
using testing::Put16;
using testing::Put32;

// A .bmp file image with a 40-byte info header, as a Windows bitmap object writes one.
// `rows` are the pixel rows already packed in file order; palette entries are 0x00RRGGBB.
Bytes MakeBmp(int width, int height, int bit_count, std::uint32_t compression,
              const std::vector<std::uint32_t>& palette, const Bytes& rows) {
    return testing::BmpFile(width, height, bit_count, compression, palette, static_cast<std::uint32_t>(palette.size()),
                            rows);
}

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                        kBlack = 0xFF000000;

TEST(BmpImage, Reads8BitPaletteBottomUp) {
    // 3 × 2, rows padded to 4 bytes; the file's first row is the picture's bottom row.
    const Bytes rows = {2, 1, 0, 0, 0, 1, 2, 0};
    const auto bmp = DecodeBmpImage(MakeBmp(3, 2, 8, 0, {0xFF0000, 0x00FF00, 0x0000FF}, rows));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width, 3);
    EXPECT_EQ(bmp->height, 2);
    EXPECT_FALSE(bmp->monochrome);
    EXPECT_EQ(bmp->at(0, 0), kRed);
    EXPECT_EQ(bmp->at(2, 0), kBlue);
    EXPECT_EQ(bmp->at(0, 1), kBlue);
    EXPECT_EQ(bmp->at(1, 1), kGreen);
}

TEST(BmpImage, ReadsTopDown24Bit) {
    const Bytes rows = {0, 0, 255, 0, 255, 0, 0, 0, /* row 1 */ 255, 0, 0, 255, 255, 255, 0, 0};
    const auto bmp = DecodeBmpImage(MakeBmp(2, -2, 24, 0, {}, rows));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->height, 2);
    EXPECT_EQ(bmp->at(0, 0), kRed);
    EXPECT_EQ(bmp->at(1, 0), kGreen);
    EXPECT_EQ(bmp->at(0, 1), kBlue);
    EXPECT_EQ(bmp->at(1, 1), kWhite);
}

TEST(BmpImage, Reads1And4BitAndRle8And16And32) {
    const auto mono = DecodeBmpImage(MakeBmp(3, 1, 1, 0, {0x000000, 0xFFFFFF}, {0b10100000, 0, 0, 0}));
    ASSERT_TRUE(mono);
    EXPECT_TRUE(mono->monochrome);
    EXPECT_EQ(mono->at(0, 0), kWhite);
    EXPECT_EQ(mono->at(1, 0), kBlack);

    const auto four = DecodeBmpImage(MakeBmp(2, 1, 4, 0, {0x000000, 0xFF0000}, {0x10, 0, 0, 0}));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->at(0, 0), kRed);
    EXPECT_EQ(four->at(1, 0), kBlack);

    // RLE8: four pixels of index 1, end of line, end of bitmap.
    const auto rle = DecodeBmpImage(MakeBmp(4, 1, 8, 1, {0x000000, 0x0000FF}, {4, 1, 0, 0, 0, 1}));
    ASSERT_TRUE(rle);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(rle->at(x, 0), kBlue);

    // 16 bits, 5-5-5: pure red is 0x7C00.
    const auto hi = DecodeBmpImage(MakeBmp(1, 1, 16, 0, {}, {0x00, 0x7C, 0, 0}));
    ASSERT_TRUE(hi);
    EXPECT_EQ(hi->at(0, 0) & 0xFFF8F8F8u, kRed & 0xFFF8F8F8u);

    // 32 bits with the unused fourth byte zero: the colour is taken as it is, opaque.
    const auto deep = DecodeBmpImage(MakeBmp(1, 1, 32, 0, {}, {0x30, 0x20, 0x10, 0x00}));
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->at(0, 0), 0xFF102030u);
}

TEST(BmpImage, RejectsBadImages) {
    EXPECT_FALSE(DecodeBmpImage(Bytes{}));
    EXPECT_FALSE(DecodeBmpImage(Bytes{'B', 'M', 0, 0}));
    EXPECT_FALSE(DecodeBmpImage(MakeBmp(0, 5, 24, 0, {}, {})));
    EXPECT_FALSE(DecodeBmpImage(MakeBmp(5, 0, 24, 0, {}, {})));
    // A header that asks for a gigantic picture is refused before anything is allocated.
    EXPECT_FALSE(DecodeBmpImage(MakeBmp(1 << 20, 1 << 20, 24, 0, {}, {1, 2, 3})));
    // Header fields the loader would size buffers by: a palette of 0xF9008000 entries, a
    // header of 4 GB, pixels beyond the end of the file.
    Bytes palette = MakeBmp(9, 5, 1, 0, {0, 0xFFFFFF}, Bytes(20, 0x4C));
    palette[46] = 0x00, palette[47] = 0x80, palette[48] = 0x00, palette[49] = 0xF9;
    EXPECT_FALSE(DecodeBmpImage(palette));
    Bytes header = MakeBmp(2, 2, 24, 0, {}, Bytes(16, 0));
    header[17] = 0xF0;
    EXPECT_FALSE(DecodeBmpImage(header));
    Bytes offset = MakeBmp(2, 2, 24, 0, {}, Bytes(16, 0));
    offset[12] = 0x10;
    EXPECT_FALSE(DecodeBmpImage(offset));
    // Cut short: no crash, whatever the loader makes of it.
    Bytes cut = MakeBmp(64, 64, 24, 0, {}, Bytes(64 * 64 * 3, 0x55));
    cut.resize(200);
    DecodeBmpImage(cut);
}

// The decoding budget: a small run-length file may not claim a picture of millions of
// pixels, nor may the small .cmp file it comes in; an honest one of the same size passes.
TEST(BmpImage, SmallRunLengthFilesMayNotClaimHugePictures) {
    // 8 KB of runs (each 255 pixels of index 1), end of bitmap; 6 million pixels claimed.
    Bytes runs;
    for (int i = 0; i < 4096; ++i)
        runs.insert(runs.end(), {255, 1});
    runs.insert(runs.end(), {0, 1});
    EXPECT_FALSE(DecodeBmpImage(MakeBmp(3000, 2000, 8, 1, {0, 0x0000FF}, runs)));
    // The same runs drawing what they can hold.
    const auto honest = DecodeBmpImage(MakeBmp(1020, 1024, 8, 1, {0, 0x0000FF}, runs));
    ASSERT_TRUE(honest);
    EXPECT_EQ(honest->at(1019, 1023), kBlue);
    // Inside a .cmp file, the budget is that of the .cmp file's size.
    const Bytes big = MakeBmp(3000, 2000, 8, 1, {0, 0x0000FF}, Bytes(24000, 0));
    EXPECT_TRUE(PlausibleBmpHeader(*ReadBmpHeader(big), big.size()));
    EXPECT_FALSE(PlausibleBmpHeader(*ReadBmpHeader(big), big.size() * 8, 4000));
}

Bitmap Pattern(int w, int h) {
    Bitmap b;
    b.width = w;
    b.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 7 % 256) << 16 |
                               static_cast<std::uint32_t>(y * 13 % 256) << 8 |
                               static_cast<std::uint32_t>((x + y) % 256));
    return b;
}

TEST(BmpImage, WritesAndReadsBack24Bit) {
    for (int w : {1, 2, 3, 4, 5, 17}) {
        const Bitmap src = Pattern(w, 3);
        const Bytes file = EncodeBmpImage(src);
        ASSERT_EQ(file.size(), 54u + static_cast<std::size_t>((w * 3 + 3) & ~3) * 3);
        const auto back = DecodeBmpImage(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->pixels, src.pixels) << w;
        EXPECT_FALSE(back->monochrome);
    }
    EXPECT_TRUE(EncodeBmpImage(Bitmap{}).empty());
}

TEST(BmpImage, WritesMonochromeAsOneBit) {
    Bitmap src;
    src.width = 9;
    src.height = 2;
    src.monochrome = true;
    for (int i = 0; i < 18; ++i)
        src.pixels.push_back(i % 3 == 0 ? kBlack : kWhite);
    const Bytes file = EncodeBmpImage(src);
    EXPECT_EQ(ReadBmpHeader(file)->bit_count, 1);
    const auto back = DecodeBmpImage(file);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->monochrome);
    EXPECT_EQ(back->pixels, src.pixels);
}

TEST(JpegImage, RoundTripIsClose) {
    Bitmap src;
    src.width = 40;
    src.height = 24;
    src.pixels.assign(40 * 24, 0xFF3080C0u);
    const Bytes jpg = EncodeJpegImage(src, 95);
    ASSERT_GT(jpg.size(), 100u);
    const auto back = DecodeJpegImage(jpg);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 40);
    EXPECT_EQ(back->height, 24);
    const std::uint32_t p = back->at(20, 12);
    EXPECT_NEAR(static_cast<int>(p >> 16 & 0xFF), 0x30, 4);
    EXPECT_NEAR(static_cast<int>(p >> 8 & 0xFF), 0x80, 4);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 0xC0, 4);
}

TEST(JpegImage, BrokenDataIsRefusedWithoutCrash) {
    EXPECT_FALSE(DecodeJpegImage(Bytes{}));
    EXPECT_FALSE(DecodeJpegImage(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}));
    Bitmap src;
    src.width = 64;
    src.height = 64;
    src.pixels.assign(64 * 64, 0xFF808080u);
    Bytes jpg = EncodeJpegImage(src, 80);
    for (std::size_t cut : {jpg.size() / 4, jpg.size() / 2, jpg.size() - 3}) {
        const Bytes part(jpg.begin(), jpg.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(DecodeJpegImage(part)); // data that ends early is refused
    }
    // Scan data cut short and closed with an end marker: refused, not filled with made-up rows.
    const Bytes photo = EncodeJpegImage(Pattern(64, 480), 90);
    Bytes closed(photo.begin(), photo.begin() + static_cast<std::ptrdiff_t>(photo.size() / 2));
    closed.insert(closed.end(), {0xFF, 0xD9});
    EXPECT_FALSE(DecodeJpegImage(closed));
    ASSERT_TRUE(DecodeJpegImage(photo));
    // A picture whose height field was raised: the data ends before the rows do.
    Bytes raised = photo;
    for (std::size_t i = 0; i + 8 < raised.size(); ++i) {
        if (raised[i] == 0xFF && raised[i + 1] == 0xC0) {
            raised[i + 5] = 0x03; // 480 → 960 rows
            raised[i + 6] = 0xC0;
            break;
        }
    }
    EXPECT_FALSE(DecodeJpegImage(raised));

    // A header that declares 60000 × 60000 pixels is refused.
    const std::size_t sof = [&] {
        for (std::size_t i = 0; i + 1 < jpg.size(); ++i)
            if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) return i;
        return std::size_t{0};
    }();
    ASSERT_GT(sof, 0u);
    jpg[sof + 5] = 0xEA;
    jpg[sof + 6] = 0x60;
    jpg[sof + 7] = 0xEA;
    jpg[sof + 8] = 0x60;
    EXPECT_FALSE(DecodeJpegImage(jpg));
}

} // namespace
} // namespace pictures
