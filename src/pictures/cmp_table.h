// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 512-byte frequency table at the head of a .cmp file.

#include "pictures/byte_stream.h"

#include <array>
#include <cstdint>

namespace pictures {

// Reads 256 big-endian 16-bit frequencies from the stream's position. Bytes missing at the
// end of the stream read as 0 (the code stream then fails at its first symbol).
std::array<std::uint16_t, 256> ReadCmpTable(ByteStream& source);

void WriteCmpTable(const std::array<std::uint16_t, 256>& frequencies, ByteStream& target);

} // namespace pictures
