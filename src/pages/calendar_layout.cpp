// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/calendar_layout.h"

#include "almanac/day_notes.h"
#include "base/kanji_numbers.h"
#include "base/sjis.h"
#include "pages/page_common.h"

#include <algorithm>

namespace pages::calendar {

Layout MakeLayout(const gfx::Canvas& canvas, const PrintState& state) {
    Layout l;
    l.h_scale = DesignScale(state.dpi_x);
    l.v_scale = DesignScale(state.dpi_y);
    l.area = PageArea(canvas, state, kSection);
    l.cell_width = l.area.width() / 7;
    l.header_height = RoundHalfEven(kWeekdayHead * l.v_scale);
    l.row_height = (l.area.height() - l.header_height) / 6;
    l.first_row = l.area.top + l.header_height;
    l.small_paper = state.paper_width_mm <= kSmallPaperMm;
    l.box_design = l.small_paper ? kSmallNumberBox : kNumberBox;
    l.notes_height = -RoundHalfEven(l.box_design * l.h_scale / 4);
    l.portrait = canvas.PageWidth() < canvas.PageHeight();
    return l;
}

int WeekdayColumn(int weekday, int start_weekday) {
    weekday = ((weekday % 7) + 7) % 7;
    if (start_weekday == 0) return weekday + 1;
    return weekday == 0 ? 7 : weekday;
}

std::array<WeekdayHead, 7> WeekdayHeads(int start_weekday, bool monochrome) {
    // Sunday … Saturday; a monochrome printer gets black Sunday and Saturday heads.
    static constexpr std::array<WeekdayHead, 7> kColour{{{"SUNDAY", "page/SUNDAY", base::kRed},
                                                         {"MONDAY", "page/MONDAY", base::kBlack},
                                                         {"TUSDAY", "page/TUSDAY", base::kBlack},
                                                         {"WESDAY", "page/WESDAY", base::kBlack},
                                                         {"THUDAY", "page/THUDAY", base::kBlack},
                                                         {"FRIDAY", "page/FRIDAY", base::kBlack},
                                                         {"SATADAY", "page/SATADAY", base::kBlue}}};
    std::array<WeekdayHead, 7> week = kColour;
    if (monochrome) {
        week[0] = {"SUNDAY_BLACK", "page/SUNDAY", base::kBlack};
        week[6] = {"SATADAY_BLACK", "page/SATADAY", base::kBlack};
    }
    if (start_weekday != 0) std::rotate(week.begin(), week.begin() + 1, week.end());
    return week;
}

gfx::Rect NumberBox(const Layout& layout, int x, int y) {
    return {x + 1, y + 1, x + 1 + RoundHalfEven(layout.box_design * layout.h_scale),
            y + 1 + RoundHalfEven(layout.box_design * layout.v_scale)};
}

std::string OldDateText(int lunar_month, int lunar_day, bool leap) {
    auto numeral = [](int n) {
        return std::string(n >= 0 && n <= 31 ? base::KanjiNumerals[static_cast<std::size_t>(n)] : "");
    };
    std::string text = leap ? "閏" : "";
    text += lunar_month == 1 ? "正月" : numeral(lunar_month) + "月";
    const std::string day = numeral(lunar_day);
    if (base::Cp932Length(day) < 4) text += "　"; // a single kanji: day numbers stay aligned
    return text + day + "日";
}

std::string SeasonText(std::uint8_t season_flags) {
    std::string text;
    for (const almanac::SeasonDay& s : almanac::SeasonDays)
        if (season_flags & s.bit) text.append(s.name).append(" ");
    return text;
}

std::string FortuneNumberText(std::string_view sign, int number, bool portrait) {
    const std::string n = base::FormatNumberKanji(number);
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "text" + std::string.
    std::string text = portrait ? " [" : " ";
    text.append(sign).append(n);
    if (portrait) text += ']';
    return text;
}

} // namespace pages::calendar
