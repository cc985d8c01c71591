// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test support: .bmp file images laid out byte by byte, as a Windows bitmap object or
// another writer makes them.

#include <cstdint>
#include <vector>

namespace pictures::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A .bmp file image with a 40-byte info header: the headers, the palette (entries
// 0x00RRGGBB), `gap` bytes of 0xEE, then the pixel rows as given (already packed in file
// order). The header's count of palette entries is colors_used.
inline Bytes BmpFile(int width, int height, int bit_count, std::uint32_t compression,
                     const std::vector<std::uint32_t>& palette, std::uint32_t colors_used, const Bytes& rows,
                     std::uint32_t gap = 0) {
    Bytes b = {'B', 'M'};
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size()) + gap;
    Put32(b, offset + static_cast<std::uint32_t>(rows.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bit_count));
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(rows.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colors_used);
    Put32(b, 0);
    for (const std::uint32_t c : palette)
        Put32(b, c);
    b.resize(b.size() + gap, 0xEE);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

} // namespace pictures::testing
