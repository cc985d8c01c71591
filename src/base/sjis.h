// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversion between the program's UTF-8 text and code page 932 (Windows Shift-JIS), which
// is what Kalvorin.CFG, the commentary database's entry names and the byte-width rules of
// the printed tables use.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// Converts CP932 bytes to UTF-8. On bad input returns nullopt and, if bad_offset is given,
// stores the byte offset of the first byte that could not be converted.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932, std::size_t* bad_offset = nullptr);

// Converts UTF-8 text to CP932. Text with a character CP932 cannot hold (or invalid UTF-8)
// gives nullopt and the byte offset in the UTF-8 input.
std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::size_t* bad_offset = nullptr);

// Number of bytes the UTF-8 text takes in CP932: 1 for ASCII and half-width katakana,
// 2 for other characters. A character CP932 cannot hold counts 2 (it would be written as
// a double-byte substitute by the platform).
std::size_t Cp932Length(std::string_view utf8);

// Length in CP932 bytes of one UTF-8 character starting at utf8[pos]; also returns its
// length in UTF-8 bytes.
std::size_t Cp932CharLength(std::string_view utf8, std::size_t pos, std::size_t* utf8_length);

// The longest prefix of utf8 that is made of whole characters and takes at most
// max_bytes bytes in CP932.
std::string TruncateToCp932Bytes(std::string_view utf8, std::size_t max_bytes);

} // namespace base
