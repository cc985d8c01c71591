// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the named days of one day fill the 吉凶 cell of the almanac list: two half-width
// columns written downward, the second begun when a name would pass the cell's end. When
// they do not fit, the font is made smaller for that day; when even the smallest allowed
// font cannot hold them, the second column ends with "…". Nothing is ever written into the
// neighbouring day's column.

#include "pages/fitted_text.h"
#include "pages/page_common.h"

#include <vector>

namespace pages {

struct PlacedPiece {
    TextPiece piece;
    int column = 0; // 0 the right half-column, 1 the left one
    int offset = 0; // from the top of the cell, along the column
};

struct NamedDayLayout {
    int font_height = 0; // positive: the character height the pieces are written in
    std::vector<PlacedPiece> pieces;
    bool cut = false; // the list ends with "…"
};

// The smallest font a day's names may be shrunk to: two thirds of the list's small font.
int SmallestNamedDayFont(int font_height);

// Lays the pieces out in half-columns of column_length pixels, trying font_height first and
// then each smaller height down to SmallestNamedDayFont(font_height).
NamedDayLayout LayoutNamedDays(const std::vector<TextPiece>& pieces, int font_height, int column_length,
                               const ExtentFn& extent);

} // namespace pages
