#include "config/profile_document.h"

#include "config/cp932_scan.h"

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
    Parse();
}

void ProfileDocument::Parse() {
    lines_.clear();
    std::size_t begin = 0;
    while (begin < bytes_.size()) {
        std::size_t newline = bytes_.find('\n', begin);
        std::size_t end = newline == std::string::npos ? bytes_.size() : newline + 1;
        std::size_t content_end = newline == std::string::npos ? bytes_.size() : newline;
        if (content_end > begin && bytes_[content_end - 1] == '\r') --content_end;
        lines_.push_back(ParseLine(begin, content_end, end));
        begin = end;
    }
}

ProfileDocument::Line ProfileDocument::ParseLine(std::size_t begin, std::size_t content_end, std::size_t end) const {
    Line line;
    line.begin = begin;
    line.content_end = content_end;
    line.end = end;
    if (content_end - begin > kMaxLineBytes) return line;
    std::string_view content = std::string_view(bytes_).substr(begin, content_end - begin);
    std::size_t start = 0;
    while (start < content.size() && IsBlank(content[start]))
        ++start;
    if (start == content.size() || content[start] == ';') return line;

    if (content[start] == '[') {
        std::string_view inside = content.substr(start + 1);
        std::size_t close = Cp932FindLast(inside, ']');
        if (close == npos) return line;
        std::string_view name = Trim(inside.substr(0, close));
        line.kind = LineKind::Section;
        line.name_begin = static_cast<std::size_t>(name.data() - bytes_.data());
        line.name_end = line.name_begin + name.size();
        return line;
    }

    // '=' is never the second byte of a double-byte character, so a byte search is safe.
    std::size_t equals = content.find('=', start);
    if (equals == npos) return line;
    std::string_view name = Trim(content.substr(start, equals - start));
    if (name.empty()) return line;
    line.kind = LineKind::Key;
    line.name_begin = static_cast<std::size_t>(name.data() - bytes_.data());
    line.name_end = line.name_begin + name.size();
    std::size_t value_begin = equals + 1;
    std::size_t value_end = content.size();
    while (value_begin < value_end && IsBlank(content[value_begin]))
        ++value_begin;
    while (value_end > value_begin && IsBlank(content[value_end - 1]))
        --value_end;
    line.value_begin = begin + value_begin;
    line.value_end = begin + value_end;
    return line;
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
        if (lines_[i].kind == LineKind::Key && Cp932NamesEqual(NameOf(lines_[i]), key)) return i;
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
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && !NameOf(lines_[i]).empty() && FindSection(NameOf(lines_[i])) == i) {
            names.push_back(NameOf(lines_[i]));
        }
    }
    return names;
}

std::string_view ProfileDocument::LineEnd() const {
    std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && (newline == 0 || bytes_[newline - 1] != '\r')) return "\n";
    return "\r\n";
}

void ProfileDocument::Set(std::string_view section_name, std::string_view key_name, std::string_view value) {
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
            bytes_.replace(line.value_begin, line.value_end - line.value_begin, stored);
        } else {
            // After the section's last key line (so trailing blank lines and comments stay
            // where they are), or right after the section line when it has no keys.
            std::size_t anchor = section_line;
            for (std::size_t i = section_line + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
                if (lines_[i].kind == LineKind::Key) anchor = i;
            }
            std::string inserted = eol;
            inserted.append(key).append("=").append(stored);
            bytes_.insert(lines_[anchor].content_end, inserted);
        }
    } else {
        // A new section at the end, after one blank line. A file that had no final line end
        // gets none after the new section either.
        std::string appended;
        bool had_final_eol = !bytes_.empty() && bytes_.back() == '\n';
        if (!bytes_.empty()) {
            if (!had_final_eol) appended += eol;
            const Line& last = lines_.back();
            if (!Trim(std::string_view(bytes_).substr(last.begin, last.content_end - last.begin)).empty()) {
                appended += eol;
            }
        }
        appended.append("[").append(section).append("]").append(eol);
        appended.append(key).append("=").append(stored);
        if (bytes_.empty() || had_final_eol) appended += eol;
        bytes_ += appended;
    }
    Parse();
}

} // namespace config
