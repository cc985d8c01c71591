// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/almanac_list.h"
#include "pages/list_title.h"
#include "pages/page_common.h"
#include "pages/page_picture.h"
#include "pages/page_routines.h"
#include "pages/small_calendar.h"

namespace pages {

// Format 2: the month's picture under everything when asked, the title, the small calendar
// when asked, and the almanac list in what they leave of the area.
void DrawListPage(gfx::Canvas& canvas, PrintState& state) {
    const config::PageOptions& options = state.page(2);
    const gfx::Rect margins = PageArea(canvas, state, 2);
    if (options.under_bitmap) {
        DrawPagePicture(canvas, state,
                        {.area = margins,
                         .placement = Placement::kCentred,
                         .file_name = MonthPictureName(state),
                         .color_level = options.color_level,
                         .corner = options.corner_bmp,
                         .full = options.full_bmp});
    }

    ListArea area{margins.left, margins.top, margins.width(), margins.height()};
    if (canvas.PageWidth() < canvas.PageHeight())
        DrawPortraitTitle(canvas, state, area);
    else
        DrawLandscapeTitle(canvas, state, area);
    if (options.calendar_print) DrawSmallCalendar(canvas, state, options.c_print_pos, false, area);
    DrawAlmanacList(canvas, state, area);
}

} // namespace pages
