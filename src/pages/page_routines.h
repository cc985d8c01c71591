// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page routine of each print format. A routine draws on the canvas, whose size is the
// page size in device pixels, from the print state alone.

#include "base/reporter.h"
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
    int section;            // the section "PRINT n" whose margins its pages keep
};

// The table of formats 1 … 8, in order.
const std::array<PageRoutineEntry, kFormatCount>& PageRoutines();
// The entry of a format, or null outside 1 … 8.
const PageRoutineEntry* FindPageRoutine(int format);

// Before a run of the state's format: when its pages would print the fortune ("Unki" of its
// section) but there is no birth sign, a note through the reporter says that they print none.
void NoteFortuneWithoutSign(const PrintState& state, base::Reporter& reporter);

// What the margins of the state's format leave of a page of paper_width × paper_height
// millimetres to draw on (zero or less when they meet or cross), and the margins.
struct RoomInsideMargins {
    int section = 0; // "PRINT n"
    const config::PageOptions* margins = nullptr;
    double width_mm = 0;
    double height_mm = 0;
};
RoomInsideMargins RoomInsideMarginsOf(const PrintState& state, double paper_width_mm, double paper_height_mm);

} // namespace pages
