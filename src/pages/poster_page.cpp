// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_common.h"
#include "pages/page_picture.h"
#include "pages/page_routines.h"
#include "pages/small_calendar.h"

namespace pages {

// Format 4: the month's picture filling the area, pushed away from the corner the small
// calendar takes, and the calendar with "year.month" written over it.
void DrawPosterPage(gfx::Canvas& canvas, PrintState& state) {
    const config::PageOptions& options = state.page(4);
    const gfx::Rect margins = PageArea(canvas, state, 4);
    // "CPrintPos" 1 pushes the picture to the right and bottom, 2 to the bottom, 3 to the
    // right; 0 centres it and every other value leaves it at the top left of the area.
    DrawPagePicture(canvas, state,
                    {.area = margins,
                     .placement = static_cast<Placement>(options.c_print_pos),
                     .file_name = MonthPictureName(state),
                     .color_level = 3,
                     .corner = 0,
                     .full = true});

    // The calendar is written straight over the picture, with no ground of its own.
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    ListArea area{margins.left, margins.top, margins.width(), margins.height()};
    DrawSmallCalendar(canvas, state, options.c_print_pos, true, area);
}

} // namespace pages
