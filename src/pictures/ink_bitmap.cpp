// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ink_bitmap.h"
#include "pictures/bmp_direct.h"
#include "pictures/bmp_image.h"

#include <cstdlib>

namespace pictures {

std::optional<InkBitmap> DecodeInkBmp(std::span<const std::uint8_t> bytes) {
    const std::optional<BmpHeader> header = ReadBmpHeader(bytes);
    if (!header || !PlausibleBmpHeader(*header, bytes.size()) || header->bit_count != 1 || header->compression != 0 ||
        header->info_size < 40 || header->colors_used == 1) {
        return std::nullopt;
    }
    // The two palette entries: which of the file's bit values is ink.
    const std::optional<BmpPalette> palette = ReadBmpPalette(bytes, *header);
    if (!palette) return std::nullopt;
    const bool zero_is_ink = IsInk(palette->colours[0]);
    const bool one_is_ink = IsInk(palette->colours[1]);

    InkBitmap ink;
    ink.width = header->width;
    ink.height = static_cast<int>(std::abs(static_cast<std::int64_t>(header->height)));
    const std::size_t file_stride = (static_cast<std::size_t>(ink.width) + 31) / 32 * 4;
    const std::size_t row_bytes = (static_cast<std::size_t>(ink.width) + 7) / 8;
    ink.stride = static_cast<int>(row_bytes);
    ink.rows.resize(row_bytes * static_cast<std::size_t>(ink.height));
    // The last byte of a row keeps only the bits of pixels inside the width.
    const std::uint8_t last_mask =
        static_cast<std::uint8_t>(0xFF << (row_bytes * 8 - static_cast<std::size_t>(ink.width)));
    for (int y = 0; y < ink.height; ++y) {
        const std::size_t file_row =
            header->height > 0 ? static_cast<std::size_t>(ink.height - 1 - y) : static_cast<std::size_t>(y);
        const std::uint8_t* source = bytes.data() + header->data_offset + file_row * file_stride;
        std::uint8_t* out = ink.rows.data() + static_cast<std::size_t>(y) * row_bytes;
        for (std::size_t i = 0; i < row_bytes; ++i) {
            const std::uint8_t b = source[i];
            const std::uint8_t bits = static_cast<std::uint8_t>((one_is_ink ? b : 0) | (zero_is_ink ? ~b : 0));
            out[i] = i + 1 == row_bytes ? static_cast<std::uint8_t>(bits & last_mask) : bits;
        }
    }
    return ink;
}

} // namespace pictures
