// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page routine of each print format. A routine draws on the canvas, whose size is the
// page size in device pixels, from the print state alone.

#include "gfx/canvas.h"
#include "pages/print_state.h"

#include <string_view>

namespace pages {

void DrawCalendarPage(gfx::Canvas& canvas, PrintState& state);  // format 1
void DrawListPage(gfx::Canvas& canvas, PrintState& state);      // format 2
void DrawDailyPages(gfx::Canvas& canvas, PrintState& state);    // format 3
void DrawPosterPage(gfx::Canvas& canvas, PrintState& state);    // format 4
void DrawCommentaryPage(gfx::Canvas& canvas, PrintState& state); // formats 5 … 8

using PageRoutine = void (*)(gfx::Canvas&, PrintState&);

struct PageRoutineEntry {
    Format format;
    std::string_view label; // the button's label ("暦", "一覧", …)
    std::string_view name;  // a short ASCII name for files and the command line
    PageRoutine draw;
};

// The table of formats 1 … 8, in order.
const std::array<PageRoutineEntry, kFormatCount>& PageRoutines();
// The entry of a format, or null outside 1 … 8.
const PageRoutineEntry* FindPageRoutine(int format);

} // namespace pages
