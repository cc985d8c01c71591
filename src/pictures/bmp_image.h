#pragma once
// .bmp file images: read through gdk-pixbuf (every depth, palette, RLE and row order a
// Windows bitmap object writes), written as standard bottom-up images.

#include "pictures/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

// The size and depth a .bmp file image declares in its headers, or nullopt when it does not
// begin with "BM" and a known header.
struct BmpHeader {
    int width = 0;
    int height = 0; // negative for top-down rows
    int bit_count = 0;
};
std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> bytes);

// Decodes a .bmp file image; trailing bytes after the image are ignored. nullopt for an
// image that cannot be read, has no pixels, or is larger than the program allows. A 1-bit
// image gives a monochrome bitmap.
std::optional<Bitmap> DecodeBmpImage(std::span<const std::uint8_t> bytes);

// A standard .bmp file image of the bitmap: 1 bit per pixel with its two colours as the
// palette when the bitmap is monochrome, 24 bits otherwise. An empty bitmap gives an empty
// vector.
std::vector<std::uint8_t> EncodeBmpImage(const Bitmap& bitmap);

} // namespace pictures
