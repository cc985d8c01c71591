// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/fitted_text.h"

#include <algorithm>

namespace pages {
namespace {

constexpr std::string_view kBullet = "・";
constexpr std::string_view kWideSpace = "　";

// Where the UTF-8 character that ends at `end` (> 0) begins.
std::size_t CharStart(std::string_view s, std::size_t end) {
    std::size_t at = end - 1;
    while (at > 0 && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) --at;
    return at;
}

std::string_view WithoutTrailingSpaces(std::string_view s) {
    for (;;) {
        if (s.ends_with(' ')) {
            s.remove_suffix(1);
        } else if (s.ends_with(kWideSpace)) {
            s.remove_suffix(kWideSpace.size());
        } else {
            return s;
        }
    }
}

std::vector<int> Extents(const std::vector<TextPiece>& pieces, int height, const ExtentFn& extent) {
    std::vector<int> extents;
    for (const TextPiece& p : pieces) extents.push_back(extent(p.text, height));
    return extents;
}

int Sum(const std::vector<int>& extents) {
    int total = 0;
    for (int e : extents) total += e;
    return total;
}

// One try at a height: the notes placed until the first that does not fit.
struct Flow {
    std::vector<FlowedNote> placed;
    bool fits = true;
    int column = 0;         // where the first note that did not fit would have gone
    bool too_long = false;  // it is longer than a whole column
};

Flow FlowAt(const std::vector<TextPiece>& notes, int height, int length, int columns, const ExtentFn& extent) {
    Flow flow;
    int column = 0, position = 0;
    for (const TextPiece& note : notes) {
        std::string text = position > 0 ? std::string(kBullet) + note.text : note.text;
        int e = extent(text, height);
        if (position > 0 && position + e > length) {
            ++column;
            position = 0;
            text = note.text;
            e = extent(text, height);
        }
        if (column >= columns || e > length) {
            flow.fits = false;
            flow.column = column;
            flow.too_long = column < columns && e > length;
            return flow;
        }
        flow.placed.push_back({{text, note.color}, column, position});
        position += e;
    }
    return flow;
}

} // namespace

int SmallestFittedHeight(int font_height) { return std::max(1, font_height * 2 / 3); }

std::string CutWithEllipsis(std::string_view text, int font_height, int length, const ExtentFn& extent) {
    for (std::string_view kept = WithoutTrailingSpaces(text);; kept = WithoutTrailingSpaces(kept)) {
        std::string candidate = std::string(kept) + std::string(kEllipsis);
        if (extent(candidate, font_height) <= length) return candidate;
        if (kept.empty()) return {};
        kept = kept.substr(0, CharStart(kept, kept.size()));
    }
}

FittedColumn FitColumn(const std::vector<TextPiece>& pieces, int font_height, int length, const ExtentFn& extent) {
    const int smallest = SmallestFittedHeight(font_height);
    for (int height = font_height; height >= smallest;) {
        std::vector<int> extents = Extents(pieces, height, extent);
        const int total = Sum(extents);
        if (total <= length) return {height, pieces, false, std::move(extents)};
        // Extents grow with the height: go straight to about the height that fits.
        int next = std::min(height - 1, static_cast<int>(static_cast<long long>(height) * std::max(length, 0) / total));
        if (next < smallest && height > smallest) next = smallest;
        height = next;
    }
    FittedColumn fitted{smallest, {}, true, {}};
    const int ellipsis = extent(kEllipsis, smallest);
    int position = 0;
    for (const TextPiece& piece : pieces) {
        const int e = extent(piece.text, smallest);
        if (position + e + ellipsis <= length) {
            fitted.pieces.push_back(piece);
            fitted.extents.push_back(e);
            position += e;
            continue;
        }
        std::string cut = CutWithEllipsis(piece.text, smallest, length - position, extent);
        if (!cut.empty()) {
            fitted.extents.push_back(extent(cut, smallest));
            fitted.pieces.push_back({std::move(cut), piece.color});
        }
        break;
    }
    return fitted;
}

FlowedNotes FlowNotes(const std::vector<TextPiece>& notes, int font_height, int length,
                      const std::function<int(int height)>& columns_at, const ExtentFn& extent) {
    const int smallest = SmallestFittedHeight(font_height);
    Flow flow;
    for (int height = font_height; height >= smallest; --height) {
        flow = FlowAt(notes, height, length, columns_at(height), extent);
        if (flow.fits) return {height, std::move(flow.placed), false};
    }
    // Even the smallest height does not hold them: keep what fits and end with "…".
    FlowedNotes cut{smallest, std::move(flow.placed), true};
    const std::size_t failed = cut.notes.size();
    if (flow.too_long) {
        const TextPiece& note = notes[failed];
        std::string text = CutWithEllipsis(note.text, smallest, length, extent);
        if (!text.empty()) {
            cut.notes.push_back({{std::move(text), note.color}, flow.column, 0});
            return cut;
        }
    }
    const int ellipsis = extent(kEllipsis, smallest);
    while (!cut.notes.empty()) {
        FlowedNote& last = cut.notes.back();
        const int end = last.offset + extent(last.piece.text, smallest);
        if (end + ellipsis <= length) {
            cut.notes.push_back({{std::string(kEllipsis), base::kBlack}, last.column, end});
            return cut;
        }
        std::string text = CutWithEllipsis(last.piece.text, smallest, length - last.offset, extent);
        if (!text.empty() && text != std::string(kBullet) + std::string(kEllipsis)) {
            last.piece.text = std::move(text);
            return cut;
        }
        cut.notes.pop_back();
    }
    if (columns_at(smallest) > 0 && ellipsis <= length) cut.notes.push_back({{std::string(kEllipsis), base::kBlack}, 0, 0});
    return cut;
}

} // namespace pages
