// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small month calendar of the list page and the poster: weekday heads and day numbers
// in a square of 7 × 7 cells in one corner of the area, optionally with "year.month" in
// the free end of the last row.

#include "gfx/canvas.h"
#include "pages/list_area.h"
#include "pages/print_state.h"

namespace pages {

// Where the calendar goes ("CPrintPos") and which strip of the area it takes:
// 1 top left, taken from the top; 2 top right, from the top; 3 bottom left, from the
// bottom; 4 bottom right, from the bottom; 5 top left, from the left; 6 bottom left, from
// the left; 7 top right, from the right; any other value bottom right, from the right.
// Draws the calendar of the state's month and shrinks the area by the side S + 5 of the
// calendar's square (S = the smaller of width and height, div 4).
void DrawSmallCalendar(gfx::Canvas& canvas, const PrintState& state, int position, bool year_label, ListArea& area);

} // namespace pages
