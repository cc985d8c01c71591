// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac list: one vertical column of notes per day of the month beside a header
// column that names the twelve cells (新暦 … 日出没). Columns run right to left from the
// header at the right edge, or left to right from the header at the left edge when
// "LRPrint" of "PRINT 2" is on.

#include "gfx/canvas.h"
#include "pages/list_area.h"
#include "pages/print_state.h"

namespace pages {

// Fills the area with the list of the state's month. Sunrise and sunset are computed for
// the configured place when its latitude is greater than 0. An area too small for a
// column of a few pixels or a unit of one pixel draws nothing.
void DrawAlmanacList(gfx::Canvas& canvas, const PrintState& state, const ListArea& area);

} // namespace pages
