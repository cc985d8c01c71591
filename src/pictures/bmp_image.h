// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// .bmp file images: uncompressed ones read directly, the rest through gdk-pixbuf (every
// depth, palette, RLE and row order a Windows bitmap object writes), written as standard
// bottom-up images.

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
    std::uint32_t info_size = 0;   // 12 for the old OS/2 header, 40 and more for the Windows ones
    std::uint32_t data_offset = 0; // where the pixels begin
    std::uint32_t colors_used = 0; // palette entries declared (0: the depth's full palette)
    std::uint32_t compression = 0; // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
};
std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> bytes);

// False for headers no bitmap writer makes and the loader would choke on: huge header or
// palette sizes, pixel data past the end of the file, sizes beyond the program's limit,
// and pixel counts the file is far too short to hold (the loader allocates the whole
// picture before it reads a row): a run-length image must fit the decoding budget of
// input_bytes, the size of the file it came from (0: file_size; see picture_limits.h).
bool PlausibleBmpHeader(const BmpHeader& header, std::size_t file_size, std::size_t input_bytes = 0);

// Decodes a .bmp file image; trailing bytes after the image are ignored. nullopt for an
// image that cannot be read, has no pixels, or is larger than the program allows. A 1-bit
// image gives a monochrome bitmap. input_bytes is the size of the file the image came from
// when that is not the image itself (a .cmp file), for the decoding budget.
std::optional<Bitmap> DecodeBmpImage(std::span<const std::uint8_t> bytes, std::size_t input_bytes = 0);

// A standard .bmp file image of the bitmap: 1 bit per pixel with its two colours as the
// palette when the bitmap is monochrome, 24 bits otherwise. An empty bitmap gives an empty
// vector.
std::vector<std::uint8_t> EncodeBmpImage(const Bitmap& bitmap);

} // namespace pictures
