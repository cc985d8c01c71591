// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Uncompressed .bmp pixel rows read straight into a bitmap: the common images (the program's
// own numerals and icons, the pictures inside .cmp files) without a round trip through
// gdk-pixbuf's buffers. Everything else is left to the general loader.

#include "pictures/bitmap.h"
#include "pictures/bmp_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace pictures {

// The palette of a .bmp of up to 8 bits per pixel, entries as 0xFFRRGGBB: the count the
// header declares (the depth's full palette when it declares none), or nullopt when those
// entries do not lie between the headers and the pixels.
struct BmpPalette {
    std::array<std::uint32_t, 256> colours{};
    unsigned size = 0;
};
std::optional<BmpPalette> ReadBmpPalette(std::span<const std::uint8_t> bytes, const BmpHeader& header);

// The bitmap of an uncompressed Windows .bmp (a 40-byte or later info header, 1, 4, 8, 24 or
// 32 bits per pixel, palette entries in range), or nullopt when the image is not one of
// those and needs the general loader. The header must have passed PlausibleBmpHeader.
std::optional<Bitmap> DecodeUncompressedBmp(std::span<const std::uint8_t> bytes, const BmpHeader& header);

} // namespace pictures
