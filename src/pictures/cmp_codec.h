// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .cmp codec: a .bmp file image compressed with a static byte-wise Huffman code. The
// file is a 512-byte table of the 256 byte frequencies (16-bit big-endian each), then the
// code of every payload byte, the end symbol's code and 1 … 8 zero bits of padding.
//
// Both operations return 0 on success and -1 on failure, show their failure through the
// reporter, and on success set the target's position back to 0.

#include "base/reporter.h"
#include "pictures/byte_stream.h"

#include <string_view>

namespace pictures {

inline constexpr std::string_view kCmpTreeBrokenText = "Error: Huffman tree was broken!";
inline constexpr std::string_view kCmpBrokenInputText = "Error: Broken input file!";
inline constexpr std::string_view kCmpEncodeCaption = "encode Error";
inline constexpr std::string_view kCmpDecodeCaption = "decode Error";

// Compresses the whole of source (read from position 0) into target at its position.
int EncodeCmpStream(ByteStream& source, ByteStream& target, base::Reporter& reporter);

// Decompresses source, from its position, into target at its position. After a broken
// code stream the target keeps the bytes decoded before the error. Table-driven; every
// output byte and every error equal those of DecodeCmpStreamReference.
int DecodeCmpStream(ByteStream& source, ByteStream& target, base::Reporter& reporter);

// The same decoder walking the code tree one bit at a time: the definition the fast
// decoder is checked against.
int DecodeCmpStreamReference(ByteStream& source, ByteStream& target, base::Reporter& reporter);

} // namespace pictures
