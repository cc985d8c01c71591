#pragma once
// Uncompressed .bmp pixel rows read straight into a bitmap: the common images (the program's
// own numerals and icons, the pictures inside .cmp files) without a round trip through
// gdk-pixbuf's buffers. Everything else is left to the general loader.

#include "pictures/bitmap.h"
#include "pictures/bmp_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace pictures {

// The bitmap of an uncompressed Windows .bmp (a 40-byte or later info header, 1, 4, 8, 24 or
// 32 bits per pixel, palette entries in range), or nullopt when the image is not one of
// those and needs the general loader. The header must have passed PlausibleBmpHeader.
std::optional<Bitmap> DecodeUncompressedBmp(std::span<const std::uint8_t> bytes, const BmpHeader& header);

} // namespace pictures
