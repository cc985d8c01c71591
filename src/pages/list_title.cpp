// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_title.h"

#include "almanac/name_tables.h"
#include "base/kanji_numbers.h"
#include "pages/page_common.h"

namespace pages {

std::string ListTitleText(const PrintState& state) {
    std::string s = std::string(" ").append(base::FormatYearKanji(state.year)).append("年 ");
    if (const std::optional<config::EraYear> era = state.eras.Lookup(state.year))
        s += era->name + EraYearText(era->year) + "年 ";
    s += " （";
    s += almanac::TableText(almanac::MonthOldNames, state.month - 1);
    s += "） ";
    return s;
}

// The Gregorian month has no leap months: a leap lunar month is marked in the 旧暦 cells of
// its days instead of putting "閏" before the month (which printed "閏八月" over August
// 2025, whose leap month is the sixth).
std::string ListMonthText(const PrintState& state) {
    std::string s(almanac::TableText(base::KanjiNumerals, state.month));
    s += "月";
    return s;
}

void DrawPortraitTitle(gfx::Canvas& canvas, const PrintState& state, ListArea& area) {
    const gfx::Rect band{area.x, area.y, area.x + area.width, area.y + area.width / 15};
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    constexpr unsigned kBottomLine = gfx::dt::kBottom | gfx::dt::kSingleLine;
    canvas.SelectFont(HorizontalFont(state, PointRoundedHeight(-(area.width / 30), state.dpi_x)));
    canvas.DrawText(band, gfx::dt::kLeft | kBottomLine, ListTitleText(state));
    canvas.SelectFont(HorizontalFont(state, PointRoundedHeight(-(area.width / 15), state.dpi_x)));
    canvas.DrawText(band, gfx::dt::kRight | kBottomLine, ListMonthText(state));

    const int gap = RoundHalfEven(5 * DesignScale(state.dpi_x));
    const int taken = band.bottom + gap - area.y;
    area.y += taken;
    area.height -= taken;
}

void DrawLandscapeTitle(gfx::Canvas& canvas, const PrintState& state, ListArea& area) {
    const int right = area.x + area.width - 1;
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont(VerticalFont(state, -(area.height / 30)));
    canvas.TextOut(right, area.y, ListTitleText(state));
    canvas.SelectFont(VerticalFont(state, -(area.height / 15)));
    const std::string month = ListMonthText(state);
    const gfx::TextSize size = canvas.TextExtent(month);
    canvas.TextOut(right, area.y + area.height - size.cx, month);
    area.width -= size.cy + 5;
}

} // namespace pages
