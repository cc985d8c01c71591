// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts made to fit the room a cell gives them: written at their font height when they
// fit, else at the largest smaller height down to two thirds of it, else at two thirds and
// cut, ending with "…". The calendar's cells and the list's cells use it, so that no text
// runs past its cell into a neighbour.

#include "pages/page_common.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// The extent of a text along the line in a font of the given character height.
using ExtentFn = std::function<int(std::string_view text, int font_height)>;

inline constexpr std::string_view kEllipsis = "…";

// The smallest height a text may be shrunk to: two thirds of its font.
int SmallestFittedHeight(int font_height);

// The text shortened by whole characters (trailing spaces dropped) and ended with "…" so
// that it is at most `length` long; empty when not even "…" fits.
std::string CutWithEllipsis(std::string_view text, int font_height, int length, const ExtentFn& extent);

// Pieces written one after another down one column.
struct FittedColumn {
    int font_height = 0;           // positive: the character height to write them in
    std::vector<TextPiece> pieces; // the last one ends with "…" when cut
    bool cut = false;
    std::vector<int> extents;      // of each piece at font_height
};
FittedColumn FitColumn(const std::vector<TextPiece>& pieces, int font_height, int length, const ExtentFn& extent);

// Notes flowing down columns of `length` pixels: every note after the first of a column is
// prefixed with "・"; a note that would pass the column's end begins the next column
// without it. columns_at(height) says how many columns stand side by side at a height.
struct FlowedNote {
    TextPiece piece;
    int column = 0;
    int offset = 0; // from the top of the column
};
struct FlowedNotes {
    int font_height = 0;
    std::vector<FlowedNote> notes;
    bool cut = false;
};
FlowedNotes FlowNotes(const std::vector<TextPiece>& notes, int font_height, int length,
                      const std::function<int(int height)>& columns_at, const ExtentFn& extent);

} // namespace pages
