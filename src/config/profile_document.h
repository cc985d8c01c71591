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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

class ProfileDocument {
public:
    // Lines longer than this never match (and are kept as they are).
    static constexpr std::size_t kMaxLineBytes = 32 * 1024;

    ProfileDocument() = default;
    explicit ProfileDocument(std::string bytes);

    const std::string& bytes() const { return bytes_; }

    // The value of key in section, or nullopt when the section or key is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Section names in file order, the first of duplicates only.
    std::vector<std::string_view> SectionNames() const;

    // Sets key in section to value. The value must hold no line break (checked by the
    // caller); it is quoted when reading it back would otherwise lose blanks or quotes.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The line end used for new lines: the file's first one, "\r\n" for a file without any.
    std::string_view LineEnd() const;

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t content_end = 0; // before "\r\n" / "\n"
        std::size_t end = 0;         // after the line end
        LineKind kind = LineKind::Other;
        std::size_t name_begin = 0;  // the trimmed section or key name (offsets, so that
        std::size_t name_end = 0;    // copies and moves of the document stay valid)
        std::size_t value_begin = 0; // key lines: the raw value, blanks trimmed
        std::size_t value_end = 0;
    };

    void Parse();
    Line ParseLine(std::size_t begin, std::size_t content_end, std::size_t end) const;
    std::string_view NameOf(const Line& line) const;
    // Index of the first section line named section, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key line in the section starting at line index section_line, or npos.
    std::size_t FindKey(std::size_t section_line, std::string_view key) const;

    std::string bytes_;
    std::vector<Line> lines_;
};

// The value as stored for a given text: quoted when blanks at either end or a surrounding
// pair of quotes would otherwise be taken off on reading.
std::string QuoteProfileValue(std::string_view value);

} // namespace config
