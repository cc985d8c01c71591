// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace base {
namespace {

// iconv conversion of a whole buffer. glibc's "CP932" is the Microsoft mapping: 0x5C is
// the backslash and the NEC / IBM extensions (①, Ⅰ, ...) are present; "SHIFT_JIS" is not.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in, std::size_t* bad_offset) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        if (bad_offset) *bad_offset = 0;
        return std::nullopt;
    }
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* inp = const_cast<char*>(in.data());
    std::size_t inleft = in.size();
    std::size_t written = 0;
    bool ok = true;
    while (inleft > 0) {
        char* outp = out.data() + written;
        std::size_t outleft = out.size() - written;
        std::size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
        written = out.size() - outleft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false; // EILSEQ or EINVAL (truncated sequence at the end)
        break;
    }
    if (ok) {
        // Flush any shift state (none for these encodings, but keep iconv's contract).
        char* outp = out.data() + written;
        std::size_t outleft = out.size() - written;
        iconv(cd, nullptr, nullptr, &outp, &outleft);
        written = out.size() - outleft;
    }
    iconv_close(cd);
    if (!ok) {
        if (bad_offset) *bad_offset = in.size() - inleft;
        return std::nullopt;
    }
    out.resize(written);
    return out;
}

// Decodes one UTF-8 sequence; returns the code point or -1 and its length (at least 1).
long DecodeUtf8(std::string_view s, std::size_t pos, std::size_t* len) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || pos + n > s.size()) {
        *len = 1;
        return -1;
    }
    long cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t i = 1; i < n; ++i) {
        unsigned char cc = static_cast<unsigned char>(s[pos + i]);
        if ((cc & 0xC0) != 0x80) {
            *len = 1;
            return -1;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    *len = n;
    return cp;
}

} // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932, std::size_t* bad_offset) {
    return Convert("UTF-8", "CP932", cp932, bad_offset);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::size_t* bad_offset) {
    return Convert("CP932", "UTF-8", utf8, bad_offset);
}

std::size_t Cp932CharLength(std::string_view utf8, std::size_t pos, std::size_t* utf8_length) {
    std::size_t len = 1;
    long cp = DecodeUtf8(utf8, pos, &len);
    if (utf8_length) *utf8_length = len;
    if (cp < 0) return 1;
    if (cp < 0x80) return 1;
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 1; // half-width katakana
    return 2;
}

std::size_t Cp932Length(std::string_view utf8) {
    std::size_t total = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t len = 1;
        total += Cp932CharLength(utf8, pos, &len);
        pos += len;
    }
    return total;
}

std::string TruncateToCp932Bytes(std::string_view utf8, std::size_t max_bytes) {
    std::size_t total = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t len = 1;
        std::size_t w = Cp932CharLength(utf8, pos, &len);
        if (total + w > max_bytes) break;
        total += w;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace base
