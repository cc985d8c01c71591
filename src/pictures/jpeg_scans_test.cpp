// SPDX-License-Identifier: GPL-3.0-or-later
// Progressive JPEGs: every scan is a pass over the picture, so the number of scans is
// bounded before it can cost minutes; and a decoding can be stopped from outside.

#include "pictures/jpeg_image.h"
#include "pictures/picture_limits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace pictures {
namespace {

// A greyscale progressive JPEG of w × h with the given scan script (libjpeg's encoder
// checks that the script is a valid progression).
std::vector<std::uint8_t> ProgressiveJpeg(int w, int h, const std::vector<jpeg_scan_info>& script) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    cinfo.scan_info = script.data();
    cinfo.num_scans = static_cast<int>(script.size());
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(w));
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < w; ++x)
            row[static_cast<std::size_t>(x)] = static_cast<JSAMPLE>((x * 37 + cinfo.next_scanline * 11) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// The longest valid progression of one component: the DC and each AC coefficient on its
// own, each sent a bit at a time from the highest point transform down.
std::vector<jpeg_scan_info> FinestScript(int bands) {
    constexpr int kTopBit = 10;
    std::vector<jpeg_scan_info> script;
    auto add = [&](int ss, int se, int ah, int al) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = 1;
        scan.component_index[0] = 0;
        scan.Ss = ss;
        scan.Se = se;
        scan.Ah = ah;
        scan.Al = al;
        script.push_back(scan);
    };
    for (int band = 0; band <= bands; ++band) {
        add(band, band, 0, kTopBit);
        for (int bit = kTopBit; bit > 0; --bit)
            add(band, band, bit, bit - 1);
    }
    if (bands < 63) add(bands + 1, 63, 0, 0); // the rest at once
    return script;
}

TEST(JpegScans, AProgressionOfMoreScansThanTheLimitIsRefusedAndOneWithinItDecodes) {
    const std::vector<jpeg_scan_info> within = FinestScript(40); // 452 scans
    const std::vector<jpeg_scan_info> beyond = FinestScript(63); // 704 scans
    ASSERT_LE(within.size(), static_cast<std::size_t>(kMaxJpegScans));
    ASSERT_GT(beyond.size(), static_cast<std::size_t>(kMaxJpegScans));

    const std::optional<Bitmap> decoded = DecodeJpegImage(ProgressiveJpeg(48, 40, within));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 48);
    EXPECT_EQ(decoded->height, 40);
    EXPECT_FALSE(DecodeJpegImage(ProgressiveJpeg(48, 40, beyond)));
}

// A file whose last scan is repeated, as a hostile file does to reach thousands of scans in
// few bytes: libjpeg warns of the bogus progression and would go on decoding each one.
std::vector<std::uint8_t> WithLastScanRepeated(std::vector<std::uint8_t> jpeg, int times) {
    std::size_t sos = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) sos = i;
    }
    const std::vector<std::uint8_t> scan(jpeg.begin() + static_cast<std::ptrdiff_t>(sos), jpeg.end() - 2);
    jpeg.resize(jpeg.size() - 2); // the end marker
    for (int n = 0; n < times; ++n)
        jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    jpeg.push_back(0xFF);
    jpeg.push_back(0xD9);
    return jpeg;
}

TEST(JpegScans, ALargePictureMayHaveFewerScans) {
    // 2048 × 2048: 4 million pixels may have 512 scans by their count, 500 by the limit;
    // 4096 × 2048 may have 256.
    EXPECT_TRUE(JpegScanAllowed(500, 2048, 2048));
    EXPECT_FALSE(JpegScanAllowed(501, 16, 16));
    EXPECT_TRUE(JpegScanAllowed(256, 4096, 2048));
    EXPECT_FALSE(JpegScanAllowed(257, 4096, 2048));
    EXPECT_TRUE(JpegScanAllowed(20, 6000, 8000)); // an encoder's script at the largest size
}

TEST(JpegScans, ThousandsOfRepeatedScansAreRefused) {
    const std::vector<std::uint8_t> jpeg = ProgressiveJpeg(16, 16, FinestScript(4)); // scans of a few bytes
    ASSERT_TRUE(DecodeJpegImage(jpeg));
    ASSERT_TRUE(DecodeJpegImage(WithLastScanRepeated(jpeg, 100))); // 157 scans: bogus but within the limit
    EXPECT_FALSE(DecodeJpegImage(WithLastScanRepeated(jpeg, 20000)));
}

TEST(JpegScans, ADecodingStopsWhenAskedTo) {
    const std::vector<std::uint8_t> jpeg = ProgressiveJpeg(64, 64, FinestScript(8));
    std::stop_source stop;
    EXPECT_TRUE(DecodeJpegImage(jpeg, stop.get_token()));
    stop.request_stop();
    EXPECT_FALSE(DecodeJpegImage(jpeg, stop.get_token()));
}

} // namespace
} // namespace pictures
