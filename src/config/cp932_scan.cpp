// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/cp932_scan.h"

#include "base/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace config {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::size_t Cp932CharSize(std::string_view text, std::size_t pos) {
    return (IsCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

bool Cp932NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t pos = 0; pos < a.size();) {
        std::size_t size = Cp932CharSize(a, pos);
        if (size == 2) {
            if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) return false;
        } else if (FoldAscii(a[pos]) != FoldAscii(b[pos])) {
            return false;
        }
        pos += size;
    }
    return true;
}

std::size_t Cp932FindLast(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += Cp932CharSize(text, pos)) {
        if (text[pos] == c) found = pos;
    }
    return found;
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return base::Utf8ToCp932(utf8);
}

std::string Cp932ToUtf8Replacing(std::string_view cp932) {
    if (IsAscii(cp932)) return std::string(cp932);
    // The common case, valid text, is one strict conversion.
    if (auto utf8 = base::Cp932ToUtf8(cp932)) return *std::move(utf8);

    // Otherwise one converter steps over each byte it rejects.
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(kReplacement);
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(cp932.data());
    std::size_t in_left = cp932.size();
    while (in_left > 0) {
        char* outp = buffer;
        std::size_t out_left = sizeof buffer;
        std::size_t r = iconv(cd, &in, &in_left, &outp, &out_left);
        out.append(buffer, static_cast<std::size_t>(outp - buffer));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a lead byte at the very end): replace one byte and go on.
        out += kReplacement;
        ++in;
        --in_left;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

} // namespace config
