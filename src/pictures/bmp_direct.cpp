// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_direct.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace pictures {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// One file row of `width` pixels into 0xFFRRGGBB pixels; false when a palette index points
// past the palette the file gives (the general loader decides what such pixels become).
bool ConvertRow(const std::uint8_t* row, int width, int bit_count, const BmpPalette& palette, std::uint32_t* out) {
    switch (bit_count) {
    case 1:
    case 4:
    case 8: {
        const unsigned per_byte = 8u / static_cast<unsigned>(bit_count);
        const unsigned mask = (1u << bit_count) - 1;
        for (int x = 0; x < width; ++x) {
            const unsigned shift = 8 - static_cast<unsigned>(bit_count) * (static_cast<unsigned>(x) % per_byte + 1);
            const unsigned index = row[static_cast<unsigned>(x) / per_byte] >> shift & mask;
            if (index >= palette.size) return false;
            out[x] = palette.colours[index];
        }
        return true;
    }
    case 24:
    case 32: {
        // Blue, green, red; the fourth byte of a 32-bit pixel is unused.
        const int step = bit_count / 8;
        for (int x = 0; x < width; ++x, row += step)
            out[x] = 0xFF000000u | std::uint32_t{row[2]} << 16 | std::uint32_t{row[1]} << 8 | row[0];
        return true;
    }
    default:
        return false;
    }
}

} // namespace

std::optional<BmpPalette> ReadBmpPalette(std::span<const std::uint8_t> bytes, const BmpHeader& header) {
    if (header.bit_count < 1 || header.bit_count > 8 || header.colors_used > (1u << header.bit_count))
        return std::nullopt;
    BmpPalette palette;
    palette.size = header.colors_used != 0 ? header.colors_used : 1u << header.bit_count;
    const std::size_t start = kFileHeaderSize + header.info_size;
    if (start + 4 * std::size_t{palette.size} > header.data_offset || header.data_offset > bytes.size())
        return std::nullopt;
    for (unsigned i = 0; i < palette.size; ++i) {
        const std::uint8_t* entry = bytes.data() + start + 4 * std::size_t{i};
        palette.colours[i] = 0xFF000000u | std::uint32_t{entry[2]} << 16 | std::uint32_t{entry[1]} << 8 | entry[0];
    }
    return palette;
}

std::optional<Bitmap> DecodeUncompressedBmp(std::span<const std::uint8_t> bytes, const BmpHeader& header) {
    const int bits = header.bit_count;
    if (header.info_size < 40 || header.compression != 0) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

    BmpPalette palette;
    if (bits <= 8) {
        const std::optional<BmpPalette> read = ReadBmpPalette(bytes, header);
        if (!read) return std::nullopt;
        palette = *read;
    }

    const int width = header.width;
    const int height = static_cast<int>(std::abs(static_cast<std::int64_t>(header.height)));
    const bool bottom_up = header.height > 0;
    const std::size_t stride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    const std::size_t row_bytes = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 7) / 8;
    // PlausibleBmpHeader has checked that every row lies inside the file (the last one
    // possibly without its padding); checked again here, as this reads the bytes itself.
    if (height > 0 && header.data_offset + stride * static_cast<std::size_t>(height - 1) + row_bytes > bytes.size())
        return std::nullopt;

    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.monochrome = bits == 1;
    // Rows are appended top first, each converted in a row of its own: the pixels are
    // written once, not cleared first.
    bitmap.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const std::size_t file_row = bottom_up ? static_cast<std::size_t>(height - 1 - y) : static_cast<std::size_t>(y);
        const std::uint8_t* source = bytes.data() + header.data_offset + file_row * stride;
        if (!ConvertRow(source, width, bits, palette, row.data())) return std::nullopt;
        bitmap.pixels.insert(bitmap.pixels.end(), row.begin(), row.end());
    }
    return bitmap;
}

} // namespace pictures
