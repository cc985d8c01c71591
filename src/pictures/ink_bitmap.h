// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A two-colour picture kept as its ink bits, one bit a pixel: what the large built-in
// numerals of the printed pages are, read straight from their .bmp images without a 32-bit
// pixel each.

#include "pictures/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

// Whether a pixel (0xFFRRGGBB) of a two-colour picture is ink: its darker colour.
inline bool IsInk(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 3 * 128;
}

struct InkBitmap {
    int width = 0;
    int height = 0;
    // Rows top first, `stride` bytes each, the leftmost pixel in the most significant bit of
    // the first byte, 1 where the pixel is ink; the bits past the width are 0.
    int stride = 0;
    std::vector<std::uint8_t> rows;
    // As Bitmap::permanent: it stays, unchanged and at the same address, for the life of
    // the program.
    bool permanent = false;

    bool empty() const { return width <= 0 || height <= 0; }
    bool ink(int x, int y) const {
        return rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x) / 8] >>
                   (7 - x % 8) &
               1;
    }
};

// The ink bits of a 1-bit uncompressed .bmp file image (a 40-byte or later header, both
// palette entries present), or nullopt for any other image.
std::optional<InkBitmap> DecodeInkBmp(std::span<const std::uint8_t> bytes);

} // namespace pictures
