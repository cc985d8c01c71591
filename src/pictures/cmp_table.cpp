// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/cmp_table.h"

namespace pictures {

std::array<std::uint16_t, 256> ReadCmpTable(ByteStream& source) {
    std::array<std::uint8_t, 512> raw{};
    source.Read(raw.data(), raw.size());
    std::array<std::uint16_t, 256> frequencies{};
    for (int i = 0; i < 256; ++i)
        frequencies[i] = static_cast<std::uint16_t>(raw[2 * i] << 8 | raw[2 * i + 1]);
    return frequencies;
}

void WriteCmpTable(const std::array<std::uint16_t, 256>& frequencies, ByteStream& target) {
    std::array<std::uint8_t, 512> raw{};
    for (int i = 0; i < 256; ++i) {
        raw[2 * i] = static_cast<std::uint8_t>(frequencies[i] >> 8);
        raw[2 * i + 1] = static_cast<std::uint8_t>(frequencies[i] & 0xFF);
    }
    target.Write(raw);
}

} // namespace pictures
