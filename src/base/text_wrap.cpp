// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_wrap.h"

#include "base/sjis.h"

#include <algorithm>

namespace base {
namespace {

// One character of UTF-8 text and the columns it takes.
struct Piece {
    std::string_view text;
    int columns = 1;
};

std::vector<Piece> Pieces(std::string_view text) {
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const std::size_t bytes = Cp932CharLength(text, i, &length);
        length = std::max<std::size_t>(1, std::min(length, text.size() - i));
        pieces.push_back({text.substr(i, length), static_cast<int>(bytes)});
        i += length;
    }
    return pieces;
}

// Marks a line may not begin with (they close what the character before them began).
bool ClosesLine(std::string_view c) {
    static constexpr std::string_view kClosing[] = {"、", "。", "，", "．", "）", "」", "』", "】", "・", "ー",
                                                    "ッ", "ャ", "ュ", "ョ", "っ", "ゃ", "ゅ", "ょ", ")", ",",
                                                    ".", ";", ":", "…"};
    return std::find(std::begin(kClosing), std::end(kClosing), c) != std::end(kClosing);
}

bool OpensLine(std::string_view c) {
    return c == "（" || c == "「" || c == "『" || c == "【" || c == "(";
}

// The column where a line's continuation begins: the end of its last run of two or more
// spaces when it begins with spaces, else its leading spaces.
int HangingIndent(std::string_view line) {
    const std::size_t lead = line.find_first_not_of(' ');
    if (lead == std::string_view::npos) return 0;
    if (lead == 0) return 0;
    // The columns of a table ("  A4   210 x 297 mm   remark"): the last gap of two or more
    // spaces that begins the description, within the line's first half.
    constexpr std::size_t kLastColumn = 48;
    std::size_t indent = lead;
    for (std::size_t run = line.find("  ", lead); run != std::string_view::npos && run < kLastColumn;
         run = line.find("  ", run)) {
        const std::size_t after = line.find_first_not_of(' ', run);
        if (after == std::string_view::npos) break;
        indent = static_cast<std::size_t>(TextColumns(line.substr(0, after)));
        run = after;
    }
    return static_cast<int>(indent);
}

} // namespace

int TextColumns(std::string_view text) {
    return static_cast<int>(Cp932Length(text));
}

std::vector<std::string> WrapLine(std::string_view line, int width, int indent) {
    std::vector<std::string> lines;
    if (TextColumns(line) <= width) {
        lines.emplace_back(line);
        return lines;
    }
    const std::vector<Piece> pieces = Pieces(line);
    if (width - indent < 8) indent = 0; // a continuation needs room of its own
    std::size_t at = 0;
    bool first = true;
    while (at < pieces.size()) {
        const int room = first ? width : width - indent;
        // The longest run of pieces that fits, then back to the last place a break may be.
        int used = 0;
        std::size_t end = at;
        while (end < pieces.size() && used + pieces[end].columns <= room)
            used += pieces[end++].columns;
        std::size_t cut = end;
        if (end < pieces.size()) {
            // A break before a space (which is dropped), or between two characters where one
            // of them is wide and the next does not close the line.
            std::size_t best = at;
            for (std::size_t k = end; k > at; --k) {
                const Piece& before = pieces[k - 1];
                const Piece& next = pieces[k];
                if (next.text == " ") {
                    best = k;
                    break;
                }
                if ((before.columns == 2 || next.columns == 2) && before.text != " " && !ClosesLine(next.text) &&
                    !OpensLine(before.text)) {
                    best = k;
                    break;
                }
            }
            cut = best > at ? best : std::max(end, at + 1); // a word longer than the line
        }
        std::string out = first ? std::string() : std::string(static_cast<std::size_t>(indent), ' ');
        for (std::size_t k = at; k < cut; ++k)
            out += pieces[k].text;
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        lines.push_back(std::move(out));
        at = cut;
        while (at < pieces.size() && pieces[at].text == " ")
            ++at;
        first = false;
    }
    return lines;
}

std::string WrapText(std::string_view text, int width) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool newline = end != std::string_view::npos;
        if (!newline) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        for (const std::string& piece : WrapLine(line, width, HangingIndent(line)))
            out += piece + "\n";
        if (!newline) out.pop_back();
        start = end + 1;
    }
    return out;
}

} // namespace base
