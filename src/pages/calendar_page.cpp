// SPDX-License-Identifier: GPL-3.0-or-later
// Print format 1, "暦": one page per month, seven columns and six rows of day cells under
// a row of weekday heads, the month picture under the grid, the title in the last row.

#include "almanac/name_tables.h"
#include "pages/calendar_layout.h"
#include "pages/page_common.h"
#include "pages/page_picture.h"
#include "pages/page_routines.h"
#include "pictures/builtin_bitmaps.h"

#include <algorithm>

namespace pages {

using namespace calendar;

namespace {

// The weekday heads: the 16 × 16 pictures where the head is no larger (the preview), else
// the one-bit picture of the same character in the head's colour, so that a printed head is
// as sharp as the day numbers under it.
void DrawWeekdayRow(gfx::Canvas& canvas, PrintState& state, const Layout& layout) {
    const auto heads = WeekdayHeads(state.settings.start_weekday, state.monochrome());
    const int head_width = RoundHalfEven(kWeekdayHead * layout.h_scale);
    canvas.SetBrush(base::kWhite);
    canvas.SetTextColor(base::kBlack);
    for (int column = 1; column <= 7; ++column) {
        const WeekdayHead& h = heads[static_cast<std::size_t>(column - 1)];
        const pictures::Bitmap* head = pictures::BuiltinBitmap(h.name);
        state.weekday_bitmaps[static_cast<std::size_t>(column)] = head;
        if (!head) continue;
        const int left = layout.area.left + (column - 1) * layout.cell_width + (layout.cell_width - head_width) / 2;
        const gfx::Rect box{left, layout.area.top, left + head_width, layout.area.top + layout.header_height};
        // Sunday first, or Monday when the week begins on Monday (WeekdayHeads).
        const int weekday = (column - 1 + (state.settings.start_weekday != 0 ? 1 : 0)) % 7;
        canvas.PictureText(box, almanac::WeekdayNames[static_cast<std::size_t>(weekday)]);
        const pictures::InkBitmap* fine = pictures::BuiltinInkBitmap(h.page_name);
        if (fine && (box.width() > head->width || box.height() > head->height)) {
            if (canvas.TextColor() != h.ink) canvas.SetTextColor(h.ink);
            canvas.StretchInk(box, *fine, h.name, gfx::BitmapCopy::kCopy);
        } else {
            canvas.StretchBitmap(box, *head, h.name, gfx::BitmapCopy::kCopy);
        }
    }
    if (canvas.TextColor() != base::kBlack) canvas.SetTextColor(base::kBlack);
}

// Arabic day numbers over the filled boxes, white on inverted holidays.
void DrawEnglishNumbers(gfx::Canvas& canvas, const PrintState& state, const Layout& layout,
                        const std::vector<gfx::Rect>& boxes) {
    if (boxes.empty()) return;
    const int height = boxes[0].top + RoundHalfEven(5 * layout.h_scale) - boxes[0].bottom;
    canvas.SelectFont("Times New Roman", PointRoundedHeight(height, state.dpi_x), 0, true);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    const bool reverse = state.page(kSection).holiday_reverse;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int d = static_cast<int>(i) + 1;
        canvas.SetTextColor(reverse && state.holidays.IsMarked(state.month, d) ? base::kWhite : base::kBlack);
        canvas.DrawText(boxes[i], gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine, std::to_string(d));
    }
}

} // namespace

void DrawCalendarPage(gfx::Canvas& canvas, PrintState& state) {
    const config::PageOptions& o = state.page(kSection);
    const Layout layout = MakeLayout(canvas, state);
    if (layout.cell_width <= 0 || layout.row_height <= 0) return; // margins wider than the paper

    if (o.under_bitmap && state.month >= 1 && state.month <= 12) {
        PictureRequest picture;
        picture.area = layout.area;
        picture.placement = Placement::kCentred;
        picture.file_name = state.settings.month_pictures[static_cast<std::size_t>(state.month - 1)];
        picture.color_level = o.color_level;
        picture.corner = o.corner_bmp;
        picture.full = o.full_bmp;
        DrawPagePicture(canvas, state, picture);
    }
    DrawWeekdayRow(canvas, state, layout);

    const int days = std::clamp(state.days_in_month, 0, 31);
    int x =
        layout.area.left + (WeekdayColumn(state.day(1).Weekday, state.settings.start_weekday) - 1) * layout.cell_width;
    int y = layout.first_row;
    int rows = 1;
    std::vector<gfx::Rect> boxes;
    for (int d = 1; d <= days; ++d) {
        boxes.push_back(DrawDayCell(canvas, state, layout, d, x, y));
        x += layout.cell_width;
        if (x + layout.cell_width > layout.area.right) {
            x = layout.area.left;
            y += layout.row_height;
            ++rows;
        }
    }
    if (o.day_english) DrawEnglishNumbers(canvas, state, layout, boxes);

    canvas.SetTextColor(base::kBlack);
    DrawTitle(canvas, state, layout, rows, x, y);
}

} // namespace pages
