// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/cp932_scan.h"

#include "base/i18n.h"
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

// The length of the CP932 character at text[pos], or 0 for a byte that starts none.
std::size_t Cp932CharacterAt(std::string_view text, std::size_t pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) return 1;
    if (!IsCp932LeadByte(c) || pos + 1 >= text.size()) return 0;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    return (second >= 0x40 && second <= 0xFC && second != 0x7F) ? 2 : 0;
}

} // namespace

std::string Cp932ProfileDamage(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return _("it begins with a UTF-8 byte-order mark");
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return _("it begins with a UTF-16 byte-order mark");
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return base::Format(_("it holds a NUL byte at offset %zu"), nul);
    std::size_t line = 1;
    for (std::size_t begin = 0; begin < bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', begin);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view text = bytes.substr(begin, end - begin);
        const std::size_t first = text.find_first_not_of(" \t\v\f\r");
        // Comments are free text; of a key line only the name matters.
        if (first != std::string_view::npos && text[first] != ';') {
            const std::size_t name_end = text[first] == '[' ? text.size() : std::min(text.find('='), text.size());
            for (std::size_t at = 0; at < name_end;) {
                const std::size_t size = Cp932CharacterAt(text, at);
                if (size == 0)
                    return base::Format(_("line %zu has a byte (0x%02X) that is not Shift-JIS where a section or key "
                                          "name should be"),
                                        line, static_cast<unsigned>(static_cast<unsigned char>(text[at])));
                at += size;
            }
        }
        begin = end + 1;
    }
    return {};
}

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
