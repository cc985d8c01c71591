// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a Windows private-profile (INI) file as bytes, with the lookups and edits that
// GetPrivateProfileString / WritePrivateProfileString make, but editing in place: a write
// changes only the line of its key (or inserts one line, or appends one section) and keeps
// every other byte: comments, blank lines, odd case, unknown sections, line ends.
//
// Names and values here are bytes in the file's own code page (CP932); the conversion to
// UTF-8 happens in ConfigFile.
//
// Reading rules:
// - A section line is "[name]" after optional blanks; the name runs to the last "]" and is
//   matched with surrounding blanks ignored. Text after the "]" is ignored.
// - A key line is "key=value" inside a section; blanks around the key and the value are
//   ignored, and one pair of matching double or single quotes around the value is removed.
// - A line whose first non-blank character is ";" is a comment. Lines without "=", lines
//   before the first section and lines longer than kMaxLineBytes are kept but never match.
// - Names match without regard to the case of single-byte letters. Of duplicate sections
//   only the first counts; of duplicate keys in it only the first counts.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

class ProfileDocument {
public:
    // Lines longer than this never match (and are kept as they are).
    static constexpr std::size_t kMaxLineBytes = 32 * 1024;
    // The largest text a document edits (offsets into it are 32-bit, so that a file of
    // millions of short lines costs little memory). A longer text is kept but has no
    // sections, and Set refuses to make the text longer than this.
    static constexpr std::size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();

    ProfileDocument() = default;
    explicit ProfileDocument(std::string bytes);

    const std::string& bytes() const { return bytes_; }

    // The value of key in section, or nullopt when the section or key is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Section names in file order, the first of duplicates only.
    std::vector<std::string_view> SectionNames() const;

    // Sets key in section to value. The value must hold no line break (checked by the
    // caller); it is quoted when reading it back would otherwise lose blanks or quotes.
    // Only the lines around the edit are parsed again, so that a batch of edits costs
    // little more than one copy of the text each. False, with nothing changed, when the
    // text would grow past kMaxBytes.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The line end used for new lines: the file's first one, "\r\n" for a file without any.
    std::string_view LineEnd() const;

private:
    enum class LineKind : std::uint8_t { Section, Key };
    // A section or key line; other lines (blank, comments, stray text) are not kept, as
    // nothing looks them up.
    struct Line {
        std::uint32_t begin = 0;       // first byte of the line
        std::uint32_t content_end = 0; // before "\r\n" / "\n"
        std::uint32_t name_begin = 0;  // the trimmed section or key name (offsets, so that
        std::uint32_t name_end = 0;    // copies and moves of the document stay valid)
        std::uint32_t value_begin = 0; // key lines: the raw value, blanks trimmed
        std::uint32_t value_end = 0;
        LineKind kind = LineKind::Key;
    };

    // Appends to lines the section and key lines of bytes_[begin, end), which holds whole lines.
    void ParseLines(std::size_t begin, std::size_t end, std::vector<Line>& lines) const;
    // The section or key line of bytes_[begin, content_end), or nullopt for any other line.
    std::optional<Line> ParseLine(std::size_t begin, std::size_t content_end) const;
    // Replaces bytes_[begin, end), whole lines, by text (whole lines too) and brings the
    // line table up to date: the lines in between are parsed again, those after moved.
    bool ReplaceLines(std::size_t begin, std::size_t end, std::string_view text);
    // The offset after the line end of the line holding offset (or the text's end).
    std::size_t LineEndAfter(std::size_t offset) const;
    std::string_view NameOf(const Line& line) const;
    // Index of the first section line named section, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key line in the section starting at line index section_line, or npos.
    std::size_t FindKey(std::size_t section_line, std::string_view key) const;

    std::string bytes_;
    std::vector<Line> lines_; // in file order
};

// The value as stored for a given text: quoted when blanks at either end or a surrounding
// pair of quotes would otherwise be taken off on reading.
std::string QuoteProfileValue(std::string_view value);

} // namespace config
