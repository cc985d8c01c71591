// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/small_calendar.h"

#include "almanac/name_tables.h"
#include "pages/page_common.h"

#include <algorithm>
#include <string>

namespace pages {
namespace {

constexpr std::string_view kDayFace = "Times New Roman";
// The gap between the calendar and what the area hands on.
constexpr int kGap = 5;

struct Corner {
    int x;
    int y;
};

Corner CornerOf(int position, const ListArea& a, int side) {
    switch (position) {
    case 1:
    case 5:
        return {a.x, a.y};
    case 2:
    case 7:
        return {a.x + a.width - side, a.y};
    case 3:
    case 6:
        return {a.x, a.y + a.height - side};
    default:
        return {a.x + a.width - side, a.y + a.height - side};
    }
}

void GiveUpStrip(int position, int strip, ListArea& a) {
    switch (position) {
    case 1:
    case 2:
        a.y += strip;
        a.height -= strip;
        break;
    case 3:
    case 4:
        a.height -= strip;
        break;
    case 5:
    case 6:
        a.x += strip;
        a.width -= strip;
        break;
    default:
        a.width -= strip;
        break;
    }
}

constexpr unsigned kCentredLine = gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine;

} // namespace

void DrawSmallCalendar(gfx::Canvas& canvas, const PrintState& state, int position, bool year_label, ListArea& area) {
    const int side = std::min(area.width, area.height) / 4;
    const int cell = side / 7;
    if (cell > 0) {
        const Corner c = CornerOf(position, area, side);
        const double scale = DesignScale(state.dpi_x);
        const gfx::Font saved = canvas.CurrentFont();
        const bool monday_first = state.settings.start_weekday != 0;

        canvas.SelectFont(HorizontalFace(state.face_name),
                          PointRoundedHeight(cell - RoundHalfEven(scale * 4), state.dpi_x));
        for (int column = 0; column < 7; ++column) {
            const int weekday = monday_first ? (column + 1) % 7 : column;
            canvas.SetTextColor(weekday == 0 ? PrintColor(state, base::kRed) : base::kBlack);
            const int left = c.x + column * cell;
            canvas.DrawText({left, c.y, left + cell, c.y + cell}, kCentredLine,
                            almanac::WeekdayNames[static_cast<std::size_t>(weekday)]);
        }

        canvas.SelectFont(kDayFace, PointRoundedHeight(cell - RoundHalfEven(scale * 2), state.dpi_x), 0, true);
        const int first_weekday = state.day(1).Weekday % 7;
        const int first_column = monday_first ? (first_weekday == 0 ? 7 : first_weekday) : first_weekday + 1;
        const bool mark_holidays = state.page(1).holiday_reverse;
        int x = c.x + (first_column - 1) * cell;
        int y = c.y + cell;
        // Red is the holiday's mark; a printer of two colours would print it black like any
        // other day, so there a holiday is inverted instead: white on a black square a
        // design pixel inside its cell, so that holidays side by side stay apart.
        const int inset = std::max(1, RoundHalfEven(scale));
        for (int d = 1; d <= state.days_in_month; ++d) {
            const bool holiday = mark_holidays && state.holidays.IsMarked(state.month, d);
            if (holiday && state.monochrome()) {
                const gfx::Brush brush = canvas.CurrentBrush();
                canvas.SetBrush(base::kBlack);
                canvas.FillRect({x + inset, y + inset, x + cell - inset, y + cell - inset});
                canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
                canvas.SetTextColor(base::kWhite);
                canvas.DrawText({x, y, x + cell, y + cell}, kCentredLine, std::to_string(d));
                canvas.SetBrush(brush.color, brush.style);
            } else {
                canvas.SetTextColor(holiday ? base::kRed : base::kBlack);
                canvas.DrawText({x, y, x + cell, y + cell}, kCentredLine, std::to_string(d));
            }
            if (c.x + side < x + 2 * cell) {
                x = c.x;
                y += cell;
            } else {
                x += cell;
            }
        }
        canvas.SetTextColor(base::kBlack);

        if (year_label) {
            canvas.DrawText({c.x + 2 * cell + kGap, c.y + 6 * cell + 2, c.x + side, c.y + side}, kCentredLine,
                            std::to_string(state.year) + "." + std::to_string(state.month));
        }
        canvas.SelectFont(saved);
    }
    GiveUpStrip(position, side + kGap, area);
}

} // namespace pages
