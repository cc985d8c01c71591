// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/note_commentary.h"

#include "almanac/commentary_texts.h"
#include "base/sjis.h"

namespace almanac {
namespace {

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Lines of the page: a section title at the margin, a heading indented by two spaces, its
// explanation by four.
int Indent(std::string_view line) {
    return static_cast<int>(line.size() - TrimLeft(line).size());
}

// The name a heading gives: "  ●大禍日  (タイカニチ)" → "大禍日",
// "  一粒万倍日(イチリュウマンバイニチ)" → "一粒万倍日", "  受死日(黒日)  (ジュシニチ)" → "受死日(黒日)".
std::string_view HeadingName(std::string_view line) {
    std::string_view s = TrimLeft(line);
    constexpr std::string_view kBullet = "●";
    if (s.starts_with(kBullet)) s.remove_prefix(kBullet.size());
    std::size_t end = s.find("  (");
    if (end == std::string_view::npos) end = s.find('(');
    return TrimRight(s.substr(0, end));
}

} // namespace

std::string NamedDayCommentary(std::string_view name) {
    std::string text;
    bool inside = false;
    for (const ColoredLine& line : KikkyouCommentary) {
        const int indent = Indent(line.text);
        if (line.text.empty() || indent < 2) {
            inside = false; // a blank line or a section title
        } else if (indent < 4) {
            if (!text.empty()) break; // the explanation under the matching heading ended
            const std::string_view heading = HeadingName(line.text);
            inside = !heading.empty() && (name == heading || (name.size() > heading.size() && name.ends_with(heading)));
        } else if (inside) {
            text += TrimLeft(line.text); // the page's line breaks are only its layout
        }
    }
    return text;
}

PentadText PentadOf(int pentad) {
    if (pentad < 1 || pentad > static_cast<int>(PentadTexts.size())) return {};
    const std::string_view text = PentadTexts[static_cast<std::size_t>(pentad - 1)];
    // The name fills eight CP932 bytes: a kanji counts two, a half-width space one.
    PentadText out;
    std::size_t pos = 0;
    int width = 0;
    while (pos < text.size() && width < 8) {
        if (text[pos] == ' ') {
            ++pos;
            ++width;
            continue;
        }
        std::size_t len = 1; // the character's UTF-8 bytes
        base::Cp932CharLength(text, pos, &len);
        out.name.append(text.substr(pos, len));
        pos += len;
        width += 2;
    }
    out.reading = std::string(TrimLeft(text.substr(std::min(pos, text.size()))));
    return out;
}

} // namespace almanac
