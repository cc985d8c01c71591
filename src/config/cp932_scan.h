// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte-level helpers for CP932 text as it lies in Kalvorin.CFG. The second byte of a
// double-byte character may fall in the ASCII range (0x40 … 0x7E: letters, '[', ']', '\'),
// so names are compared and scanned one character at a time, never byte by byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace config {

// True for a byte that starts a double-byte CP932 character.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at text[pos]: 2 for a lead byte followed by
// another byte, else 1.
std::size_t Cp932CharSize(std::string_view text, std::size_t pos);

// Equality of two CP932 names, letters of single-byte characters compared without regard
// to case; double-byte characters must match exactly.
bool Cp932NamesEqual(std::string_view a, std::string_view b);

// Offset of the last single-byte character c in text (never the second byte of a
// double-byte character), or npos.
std::size_t Cp932FindLast(std::string_view text, char c);

// UTF-8 to CP932, nullopt for text CP932 cannot hold. ASCII passes unchanged without a
// converter (CP932 keeps every ASCII byte as it is, the backslash included).
std::optional<std::string> EncodeCp932(std::string_view utf8);

// Why bytes cannot be read as a CP932 profile file, or an empty text when they can: a UTF-8
// or UTF-16 byte-order mark, a NUL byte, or a byte that is no CP932 character in a section
// line or in the name of a key (values may hold anything; they are read with
// Cp932ToUtf8Replacing). Such a file is some other encoding or damaged, and is never
// written into.
std::string Cp932ProfileDamage(std::string_view bytes);

// CP932 to UTF-8 that never fails: every byte at which no character can be decoded becomes
// U+FFFD and decoding goes on with the next byte.
std::string Cp932ToUtf8Replacing(std::string_view cp932);

} // namespace config
