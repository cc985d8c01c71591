// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/profile_document.h"

#include "config/cp932_scan.h"

#include <algorithm>
#include <unordered_set>

namespace config {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool HasSurroundingQuotes(std::string_view s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.front() == s.back();
}

// A name with the letters of its single-byte characters in upper case: names that
// Cp932NamesEqual holds equal are equal here byte for byte.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t pos = 0; pos < folded.size(); pos += Cp932CharSize(folded, pos)) {
        if (folded[pos] >= 'a' && folded[pos] <= 'z') folded[pos] = static_cast<char>(folded[pos] - 'a' + 'A');
    }
    return folded;
}

} // namespace

std::string QuoteProfileValue(std::string_view value) {
    bool needs_quotes =
        !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || HasSurroundingQuotes(value));
    if (!needs_quotes) return std::string(value);
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

ProfileDocument::ProfileDocument(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() <= kMaxBytes) ParseLines(0, bytes_.size(), lines_);
}

std::size_t ProfileDocument::LineEndAfter(std::size_t offset) const {
    const std::size_t newline = bytes_.find('\n', offset);
    return newline == std::string::npos ? bytes_.size() : newline + 1;
}

void ProfileDocument::ParseLines(std::size_t begin, std::size_t end, std::vector<Line>& lines) const {
    // Only a line holding "[" or "=" can be a section or key line, so the scan goes from
    // one such byte to the next and the lines between (blank lines, comments without
    // either, stray text) cost one look at each byte.
    const char* const text = bytes_.data();
    while (begin < end) {
        std::size_t hit = begin;
        while (hit < end && text[hit] != '[' && text[hit] != '=')
            ++hit;
        if (hit == end) return;
        std::size_t line_begin = hit;
        while (line_begin > begin && text[line_begin - 1] != '\n')
            --line_begin;
        const std::size_t line_end = std::min(LineEndAfter(hit), end);
        std::size_t content_end = text[line_end - 1] == '\n' ? line_end - 1 : line_end;
        if (content_end > line_begin && text[content_end - 1] == '\r') --content_end;
        if (std::optional<Line> line = ParseLine(line_begin, content_end)) lines.push_back(*line);
        begin = line_end;
    }
}

std::optional<ProfileDocument::Line> ProfileDocument::ParseLine(std::size_t begin, std::size_t content_end) const {
    if (content_end - begin > kMaxLineBytes) return std::nullopt;
    const std::string_view content = std::string_view(bytes_).substr(begin, content_end - begin);
    std::size_t start = 0;
    while (start < content.size() && IsBlank(content[start]))
        ++start;
    if (start == content.size() || content[start] == ';') return std::nullopt;

    Line line;
    line.begin = static_cast<std::uint32_t>(begin);
    line.content_end = static_cast<std::uint32_t>(content_end);
    auto set_name = [&](std::string_view name) {
        line.name_begin = static_cast<std::uint32_t>(name.data() - bytes_.data());
        line.name_end = static_cast<std::uint32_t>(line.name_begin + name.size());
    };
    if (content[start] == '[') {
        const std::string_view inside = content.substr(start + 1);
        const std::size_t close = Cp932FindLast(inside, ']');
        if (close == npos) return std::nullopt;
        line.kind = LineKind::Section;
        set_name(Trim(inside.substr(0, close)));
        return line;
    }

    // '=' is never the second byte of a double-byte character, so a byte search is safe.
    const std::size_t equals = content.find('=', start);
    if (equals == npos) return std::nullopt;
    const std::string_view name = Trim(content.substr(start, equals - start));
    if (name.empty()) return std::nullopt;
    line.kind = LineKind::Key;
    set_name(name);
    std::size_t value_begin = equals + 1;
    std::size_t value_end = content.size();
    while (value_begin < value_end && IsBlank(content[value_begin]))
        ++value_begin;
    while (value_end > value_begin && IsBlank(content[value_end - 1]))
        --value_end;
    line.value_begin = static_cast<std::uint32_t>(begin + value_begin);
    line.value_end = static_cast<std::uint32_t>(begin + value_end);
    return line;
}

bool ProfileDocument::ReplaceLines(std::size_t begin, std::size_t end, std::string_view text) {
    if (bytes_.size() - (end - begin) + text.size() > kMaxBytes) return false;
    const auto before = [](const Line& line, std::size_t offset) { return line.begin < offset; };
    const auto first = std::lower_bound(lines_.begin(), lines_.end(), begin, before);
    const auto last = std::lower_bound(first, lines_.end(), end, before);
    const std::size_t first_index = static_cast<std::size_t>(first - lines_.begin());
    const std::size_t last_index = static_cast<std::size_t>(last - lines_.begin());

    bytes_.replace(begin, end - begin, text);
    std::vector<Line> fresh;
    ParseLines(begin, begin + text.size(), fresh);
    // Unsigned arithmetic wraps, so adding the difference also moves lines back.
    const std::uint32_t shift = static_cast<std::uint32_t>(text.size()) - static_cast<std::uint32_t>(end - begin);
    for (std::size_t i = last_index; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        for (std::uint32_t* offset :
             {&line.begin, &line.content_end, &line.name_begin, &line.name_end, &line.value_begin, &line.value_end})
            *offset += shift;
    }
    const auto at = lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first_index),
                                 lines_.begin() + static_cast<std::ptrdiff_t>(last_index));
    lines_.insert(at, fresh.begin(), fresh.end());
    return true;
}

std::string_view ProfileDocument::NameOf(const Line& line) const {
    return std::string_view(bytes_).substr(line.name_begin, line.name_end - line.name_begin);
}

std::size_t ProfileDocument::FindSection(std::string_view section) const {
    section = Trim(section);
    if (section.empty()) return npos;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && Cp932NamesEqual(NameOf(lines_[i]), section)) return i;
    }
    return npos;
}

std::size_t ProfileDocument::FindKey(std::size_t section_line, std::string_view key) const {
    key = Trim(key);
    if (key.empty()) return npos;
    for (std::size_t i = section_line + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
        if (Cp932NamesEqual(NameOf(lines_[i]), key)) return i;
    }
    return npos;
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section, std::string_view key) const {
    std::size_t section_line = FindSection(section);
    if (section_line == npos) return std::nullopt;
    std::size_t key_line = FindKey(section_line, key);
    if (key_line == npos) return std::nullopt;
    const Line& line = lines_[key_line];
    std::string_view value = std::string_view(bytes_).substr(line.value_begin, line.value_end - line.value_begin);
    if (HasSurroundingQuotes(value)) value = value.substr(1, value.size() - 2);
    return value;
}

std::vector<std::string_view> ProfileDocument::SectionNames() const {
    // One pass with the names seen so far in a set (in the form in which equal names are
    // equal bytes), so that a file of many sections is not compared pairwise.
    std::vector<std::string_view> names;
    std::unordered_set<std::string> seen;
    for (const Line& line : lines_) {
        if (line.kind != LineKind::Section || line.name_begin == line.name_end) continue;
        if (seen.insert(FoldedName(NameOf(line))).second) names.push_back(NameOf(line));
    }
    return names;
}

std::string_view ProfileDocument::LineEnd() const {
    std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && (newline == 0 || bytes_[newline - 1] != '\r')) return "\n";
    return "\r\n";
}

bool ProfileDocument::Set(std::string_view section_name, std::string_view key_name, std::string_view value) {
    // Copies: the names and the value may point into bytes_, which changes below.
    const std::string section(Trim(section_name));
    const std::string key(Trim(key_name));
    const std::string stored = QuoteProfileValue(value);
    const std::string eol(LineEnd());

    std::size_t section_line = FindSection(section);
    if (section_line != npos) {
        std::size_t key_line = FindKey(section_line, key);
        if (key_line != npos) {
            const Line& line = lines_[key_line];
            const std::size_t end = LineEndAfter(line.begin);
            std::string text = bytes_.substr(line.begin, end - line.begin);
            text.replace(line.value_begin - line.begin, line.value_end - line.value_begin, stored);
            return ReplaceLines(line.begin, end, text);
        }
        // After the section's last key line (so trailing blank lines and comments stay
        // where they are), or right after the section line when it has no keys.
        std::size_t anchor = section_line;
        for (std::size_t i = section_line + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i)
            anchor = i;
        const Line& line = lines_[anchor];
        const std::size_t end = LineEndAfter(line.begin);
        std::string text = bytes_.substr(line.begin, end - line.begin);
        text.insert(line.content_end - line.begin, eol + key + "=" + stored);
        return ReplaceLines(line.begin, end, text);
    }

    // A new section at the end, after one blank line. A file that had no final line end
    // gets none after the new section either.
    const bool had_final_eol = !bytes_.empty() && bytes_.back() == '\n';
    // The last line: its first byte and the end of its text before the final line end.
    const std::size_t last_end = had_final_eol ? bytes_.size() - 1 : bytes_.size();
    const std::size_t last_begin = last_end == 0 ? 0 : bytes_.rfind('\n', last_end - 1) + 1; // npos + 1 is 0
    std::string appended;
    if (!bytes_.empty()) {
        if (!had_final_eol) appended += eol;
        if (!Trim(std::string_view(bytes_).substr(last_begin, last_end - last_begin)).empty()) appended += eol;
    }
    appended.append("[").append(section).append("]").append(eol);
    appended.append(key).append("=").append(stored);
    if (bytes_.empty() || had_final_eol) appended += eol;
    // The last line is parsed again when it gains its line end here.
    const std::size_t begin = had_final_eol ? bytes_.size() : last_begin;
    return ReplaceLines(begin, bytes_.size(), bytes_.substr(begin) + appended);
}

} // namespace config
