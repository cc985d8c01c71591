// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_named_days.h"

#include <algorithm>

namespace pages {
namespace {

constexpr std::string_view kSeparator = "・";

struct Flowed {
    PlacedPiece placed;
    int extent = 0;
};

// Writes the pieces down the column and moves to the next column when a piece would pass
// its end. A piece that starts a column stays there even when it is longer than the column.
std::vector<Flowed> Flow(const std::vector<TextPiece>& pieces, int font_height, int column_length,
                         const ExtentFn& extent) {
    std::vector<Flowed> flowed;
    int column = 0, position = 0;
    for (const TextPiece& piece : pieces) {
        const int length = extent(piece.text, font_height);
        if (position > 0 && position + length > column_length) {
            ++column;
            position = 0;
        }
        flowed.push_back({{piece, column, position}, length});
        position += length;
    }
    return flowed;
}

bool FitsTwoColumns(const std::vector<Flowed>& flowed, int column_length) {
    return std::all_of(flowed.begin(), flowed.end(), [column_length](const Flowed& f) {
        return f.placed.column <= 1 && f.placed.offset + f.extent <= column_length;
    });
}

NamedDayLayout Finish(const std::vector<Flowed>& flowed, int font_height) {
    NamedDayLayout layout{font_height, {}, false};
    for (const Flowed& f : flowed)
        layout.pieces.push_back(f.placed);
    return layout;
}

// Keeps what fits in the two columns and ends with "…" where it still fits, never right
// after a separator.
NamedDayLayout Cut(std::vector<Flowed> flowed, int font_height, int column_length, const ExtentFn& extent) {
    const int ellipsis = extent(kEllipsis, font_height);
    std::erase_if(flowed, [column_length](const Flowed& f) {
        return f.placed.column > 1 || f.placed.offset + f.extent > column_length;
    });
    // Whatever lies after the first piece that had to go goes too.
    for (std::size_t i = 1; i < flowed.size(); ++i) {
        const PlacedPiece& before = flowed[i - 1].placed;
        const PlacedPiece& here = flowed[i].placed;
        const bool follows = here.column == before.column ? here.offset == before.offset + flowed[i - 1].extent
                                                          : here.column == before.column + 1 && here.offset == 0;
        if (!follows) {
            flowed.resize(i);
            break;
        }
    }
    int column = 0, position = 0;
    while (!flowed.empty()) {
        const Flowed& last = flowed.back();
        const int end = last.placed.offset + last.extent;
        if (last.placed.piece.text != kSeparator && end + ellipsis <= column_length) {
            column = last.placed.column;
            position = end;
            break;
        }
        if (last.placed.piece.text != kSeparator && last.placed.column == 0 && ellipsis <= column_length) {
            column = 1;
            position = 0;
            break;
        }
        flowed.pop_back();
    }
    NamedDayLayout layout = Finish(flowed, font_height);
    layout.pieces.push_back({{std::string(kEllipsis), base::kBlack}, column, position});
    layout.cut = true;
    return layout;
}

} // namespace

int SmallestNamedDayFont(int font_height) { return SmallestFittedHeight(font_height); }

NamedDayLayout LayoutNamedDays(const std::vector<TextPiece>& pieces, int font_height, int column_length,
                               const ExtentFn& extent) {
    const int smallest = SmallestNamedDayFont(font_height);
    std::vector<Flowed> flowed;
    for (int height = font_height; height >= smallest; --height) {
        flowed = Flow(pieces, height, column_length, extent);
        if (FitsTwoColumns(flowed, column_length)) return Finish(flowed, height);
    }
    return Cut(std::move(flowed), smallest, column_length, extent);
}

} // namespace pages
