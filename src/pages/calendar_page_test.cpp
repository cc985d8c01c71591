// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/calendar_layout.h"
#include "pages/page_routines.h"

#include "gfx/trace_canvas.h"
#include "pictures/builtin_bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace pages {
namespace {

// At 96 dpi every designed size is its own number of device pixels. A4 at 96 dpi with the
// default 10 mm margins: area (37, 37)–(757, 1086), cells 102 wide, weekday row 16 high,
// rows (1086 − 37 − 16) div 6 = 172 high from y = 53; notes font 9, box 36.
constexpr int kWidth = 794, kHeight = 1123;

// A month of `days` days whose 1st falls on first_weekday: one solar term throughout, no
// named or seasonal days, every note option off.
PrintState MonthState(int year, int month, int days, int first_weekday) {
    PrintState state;
    state.year = year;
    state.month = month;
    state.days_in_month = days;
    state.dpi_x = state.dpi_y = 96;
    state.paper_width_mm = 210;
    state.face_name = "@ＭＳ ゴシック";
    state.eras = config::EraTable("令和", 2019);
    for (int n = 0; n <= 31; ++n)
        state.day_number_bitmaps[static_cast<std::size_t>(n)] =
            pictures::BuiltinBitmap(pictures::DayNumberBitmapName(n));
    for (int d = 0; d <= days; ++d) {
        almanac::DayRecord& r = state.days[static_cast<std::size_t>(d)];
        r.Date = year * 10000 + month * 100 + d;
        r.YearCycle = 43;
        r.Weekday = static_cast<std::uint8_t>((first_weekday + d + 6) % 7);
        r.DayCycle = static_cast<std::uint8_t>(d + 1);
        r.Rokuyo = static_cast<std::uint8_t>(d % 6 + 1);
        r.SolarTerm = 23;
        r.SolarMonth = 12;
        r.Mansion = 1;
        r.LunarMonth = 11;
        r.LunarDay = static_cast<std::uint8_t>(d % 30 + 1);
    }
    config::PageOptions& o = state.settings.page(1);
    o.under_bitmap = o.day_english = o.holiday_reverse = o.sekki = o.old_day_print = false;
    o.rokuyou_print = o.eto_print = o.zatsu_print = o.kikkyou1 = o.kikkyou2 = o.unki = false;
    return state;
}

class Trace {
public:
    static Trace Draw(PrintState& state, int width = kWidth, int height = kHeight, int colors = 256) {
        std::ostringstream out;
        {
            gfx::TraceCanvas canvas(out, gfx::Device{width, height, state.dpi_x, state.dpi_y, colors});
            state.colors = colors;
            DrawCalendarPage(canvas, state);
        }
        Trace t;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            t.lines_.push_back(line);
        return t;
    }
    bool Has(const std::string& line) const { return std::ranges::find(lines_, line) != lines_.end(); }
    std::vector<std::string> With(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : lines_)
            if (line.starts_with(prefix)) found.push_back(line);
        return found;
    }
    // The line after the last line before `line` that begins with prefix: what state was
    // set when `line` was drawn.
    std::string StateBefore(const std::string& line, const std::string& prefix) const {
        auto it = std::ranges::find(lines_, line);
        while (it != lines_.begin())
            if ((--it)->starts_with(prefix)) return *it;
        return {};
    }

private:
    std::vector<std::string> lines_;
};

TEST(CalendarLayout, MarginsHeadsAndCells) {
    PrintState state = MonthState(2026, 12, 31, 2); // 1 December 2026 is a Tuesday
    state.settings.page(1).left_space = 20;         // Trunc(20 × 96 ÷ 25.4) = 75
    Trace t = Trace::Draw(state);
    // Cells (757 − 75) div 7 = 97 wide; heads 16 wide centred: offset (97 − 16) div 2.
    EXPECT_TRUE(t.Has("bitmap\t115\t37\t131\t53\tSUNDAY\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t697\t37\t713\t53\tSATADAY\tcopy"));
    // Day 1 in column 3; three frames; the number box; day 31 in row 5, column 5.
    EXPECT_TRUE(t.Has("rect\t269\t53\t367\t226"));
    EXPECT_TRUE(t.Has("rect\t270\t54\t366\t225"));
    EXPECT_TRUE(t.Has("rect\t271\t55\t365\t224"));
    EXPECT_TRUE(t.Has("bitmap\t270\t54\t306\t90\tK01\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t464\t742\t500\t778\tK31\tcopy"));
    EXPECT_EQ(31u, t.With("bitmap\t").size() - 7);
}

TEST(CalendarLayout, FirstColumnForBothWeekStarts) {
    EXPECT_EQ(1, calendar::WeekdayColumn(0, 0));
    EXPECT_EQ(7, calendar::WeekdayColumn(6, 0));
    EXPECT_EQ(7, calendar::WeekdayColumn(0, 1));
    EXPECT_EQ(1, calendar::WeekdayColumn(1, 1));
    EXPECT_EQ(6, calendar::WeekdayColumn(6, 5));
    EXPECT_EQ(1, calendar::WeekdayColumn(7, 0)); // a damaged record stays in the grid

    PrintState state = MonthState(2026, 3, 31, 0); // a Sunday
    state.settings.start_weekday = 1;
    Trace t = Trace::Draw(state);
    EXPECT_TRUE(t.Has("bitmap\t80\t37\t96\t53\tMONDAY\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t692\t37\t708\t53\tSUNDAY\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t650\t54\t686\t90\tK01\tcopy"));   // column 7
    EXPECT_TRUE(t.Has("bitmap\t140\t914\t176\t950\tK31\tcopy")); // row 6, column 2
}

TEST(CalendarTitle, InTheSixthRowRightAfterDay31) {
    PrintState state = MonthState(2026, 3, 31, 0);
    state.settings.start_weekday = 1;
    Trace t = Trace::Draw(state);
    // Row count 6: the title starts in the cell after day 31 (x 241, y 913).
    EXPECT_TRUE(t.Has("font\t@ＭＳ ゴシック\t-18\t2700\t0"));
    EXPECT_TRUE(t.Has("text\t269\t933\t 二〇二六年"));
    EXPECT_TRUE(t.Has("text\t297\t933\t 令和八年"));
    EXPECT_TRUE(t.Has("text\t325\t933\t （弥生）"));
    // The month numeral: A = 794 − 37 − 335, height min(422 div 3, 172 − 50) = 122, as
    // the platform makes it from 92 points.
    EXPECT_TRUE(t.Has("font\tＭＳ ゴシック\t123\t0\t0"));
    EXPECT_TRUE(t.Has("drawtext\t335\t933\t757\t1085\tcenter|vcenter|singleline\t 三月"));
}

TEST(CalendarTitle, AtTheLeftOfTheEmptySixthRowAfterFourRows) {
    PrintState state = MonthState(2026, 2, 28, 0); // 1 February 2026 is a Sunday
    Trace t = Trace::Draw(state);
    EXPECT_TRUE(t.Has("bitmap\t38\t54\t74\t90\tK01\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t650\t570\t686\t606\tK28\tcopy")); // row 4, column 7
    EXPECT_TRUE(t.Has("text\t65\t933\t 二〇二六年"));
    EXPECT_TRUE(t.Has("drawtext\t131\t933\t757\t1085\tcenter|vcenter|singleline\t 二月"));

    // Landscape: no space before the year, and the era of the year before an era begins.
    state.year = 2019;
    state.eras = config::EraTable("令和", 2019);
    for (int n = 0; n <= 31; ++n)
        state.day_number_bitmaps[static_cast<std::size_t>(n)] =
            pictures::BuiltinBitmap(pictures::DayNumberBitmapName(n));
    Trace wide = Trace::Draw(state, kHeight, kWidth);
    EXPECT_EQ(1u, wide.With("text\t65\t").size());
    // Rows of (757 − 37 − 16) div 6 = 117: the sixth row begins at 53 + 5 × 117.
    EXPECT_EQ("text\t65\t658\t二〇一九年", wide.With("text\t65\t")[0]);
    EXPECT_EQ(1u, wide.With("text\t93\t").size());
    EXPECT_TRUE(wide.With("text\t93\t")[0].ends_with("\t 平成卅一年"));
}

TEST(CalendarCell, NotesInTheirColumns) {
    PrintState state = MonthState(2026, 12, 31, 0);
    config::PageOptions& o = state.settings.page(1);
    o.old_day_print = o.eto_print = o.rokuyou_print = o.zatsu_print = true;
    state.days[1].SeasonFlags = 0x84; // 土用, 節分
    state.days[1].Rokuyo = 5;         // 大安
    Trace t = Trace::Draw(state);
    // Day 1 at x 37: box bottom 90, notes from 95; w = 9.
    EXPECT_TRUE(t.Has("text\t48\t95\t十一月　二日"));
    EXPECT_TRUE(t.Has("text\t59\t95\t乙丑 "));
    EXPECT_TRUE(t.Has("text\t59\t117\t大安")); // under the day sign: 2 kanji and a space
    EXPECT_EQ("color\t0x0000FF", t.StateBefore("text\t59\t117\t大安", "color\t"));
    EXPECT_TRUE(t.Has("text\t70\t95\t土用 節分 "));
    EXPECT_EQ("正月　廿日", calendar::OldDateText(1, 20));
    EXPECT_EQ("十二月　卅日", calendar::OldDateText(12, 30));
    EXPECT_EQ("二月十一日", calendar::OldDateText(2, 11));
    EXPECT_EQ("閏六月　八日", calendar::OldDateText(6, 8, true));
}

TEST(CalendarCell, NamedDaysBreakIntoNewColumns) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.settings.page(1).kikkyou1 = true;
    state.days[1].DayFlagsA = 0x7F; // every flag of the first kind
    state.days[1].DayFlagsB = 0xF0;
    Trace t = Trace::Draw(state);
    // Column c = 37 + 11; the cell bottom is 225.
    const std::vector<std::string> expected = {
        "text\t48\t95\t十方暮",  "text\t48\t122\t・八専",     "text\t48\t149\t・大犯土",     "text\t48\t185\t・小犯土",
        "text\t59\t95\t天恩日",  "text\t59\t122\t・三隣亡",   "text\t59\t158\t・一粒万倍日", "text\t70\t95\t天赦日",
        "text\t70\t122\t・母倉", "text\t70\t149\t・不成就日", "text\t81\t95\t天一天上"};
    for (const std::string& line : expected)
        EXPECT_TRUE(t.Has(line)) << line;
    EXPECT_EQ("color\t0xFF0000", t.StateBefore("text\t48\t95\t十方暮", "color\t"));
    EXPECT_EQ("color\t0x0000FF", t.StateBefore("text\t59\t95\t天恩日", "color\t"));
}

TEST(CalendarCell, FortuneNumbersOnlyWhenTheyFit) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.settings.page(1).unki = true;
    state.settings.birth_eto = 7;
    Trace t = Trace::Draw(state);
    // Rank at (37 + 18 + 2, 95) in the fortune font; the numbers under it, 36 lower.
    EXPECT_EQ(1u, t.With("text\t57\t95\t").size());
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-18\t2700\t0", t.StateBefore(t.With("text\t57\t95\t")[0], "font\t"));
    const auto lucky = t.With("text\t48\t131\t [吉");
    const auto unlucky = t.With("text\t57\t131\t [凶");
    ASSERT_EQ(1u, lucky.size());
    ASSERT_EQ(1u, unlucky.size());
    EXPECT_EQ("color\t0x0000FF", t.StateBefore(lucky[0], "color\t"));

    // Rows of (746 − 53) div 6 = 115: 95 + 36 + the 39 of " [吉xx]" reaches 168 = the
    // cell bottom, so neither number is printed; the rank still is.
    state.settings.page(1).down_space = 100;
    Trace low = Trace::Draw(state);
    EXPECT_EQ(1u, low.With("text\t57\t95\t").size());
    EXPECT_TRUE(low.With("text\t48\t131\t").empty());
    EXPECT_TRUE(low.With("text\t57\t131\t").empty());

    // Without a birth sign (none registered, or a value that is not one) there is no
    // fortune: the cell is drawn as with "Unki" off.
    state.settings.page(1).unki = false;
    const std::vector<std::string> without = Trace::Draw(state).With("");
    state.settings.page(1).unki = true;
    for (int no_sign : {0, 61}) {
        state.settings.birth_eto = no_sign;
        EXPECT_EQ(without, Trace::Draw(state).With("")) << no_sign;
    }

    EXPECT_EQ(" [吉三六]", calendar::FortuneNumberText("吉", 36, true));
    EXPECT_EQ(" 凶　五", calendar::FortuneNumberText("凶", 5, false));
}

TEST(CalendarCell, SolarTermNameOnItsFirstDayOnly) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.settings.page(1).sekki = true;
    for (int d = 7; d <= 31; ++d)
        state.days[static_cast<std::size_t>(d)].SolarTerm = 24;
    Trace t = Trace::Draw(state);
    // Day 7 is in row 1, column 7 (x 649): at (649 + 36 + 12 + 3, 53 + 4).
    EXPECT_TRUE(t.Has("text\t700\t57\t大寒"));
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-12\t2700\t0", t.StateBefore("text\t700\t57\t大寒", "font\t"));
    EXPECT_EQ("color\t0x000000", t.StateBefore("text\t700\t57\t大寒", "color\t"));
    EXPECT_EQ(4u, t.With("text\t").size()); // and the title's three columns
}

TEST(CalendarHolidays, InvertedPicturesAndBoxes) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.settings.page(1).holiday_reverse = true;
    state.holidays.Mark(12, 3, true);
    Trace t = Trace::Draw(state);
    EXPECT_TRUE(t.Has("bitmap\t242\t54\t278\t90\tK03\tinvert"));
    EXPECT_TRUE(t.Has("bitmap\t140\t54\t176\t90\tK02\tcopy"));

    state.settings.page(1).day_english = true;
    Trace english = Trace::Draw(state);
    EXPECT_EQ("brush\t0x0000FF\tsolid", english.StateBefore("rect\t242\t54\t278\t90", "brush\t"));
    EXPECT_TRUE(english.Has("rect\t242\t54\t277\t89"));
    EXPECT_EQ("brush\t0xFFFFFF\tsolid", english.StateBefore("rect\t140\t54\t176\t90", "brush\t"));
    // Day numbers: Times New Roman bold from the box of day 1 (−31 pixels: 23 points).
    EXPECT_TRUE(english.Has("font\tTimes New Roman\t-31\t0\t1"));
    EXPECT_EQ("color\t0xFFFFFF",
              english.StateBefore("drawtext\t242\t54\t278\t90\tcenter|vcenter|singleline\t3", "color\t"));
    EXPECT_EQ("color\t0x000000",
              english.StateBefore("drawtext\t140\t54\t176\t90\tcenter|vcenter|singleline\t2", "color\t"));
}

TEST(CalendarMonochrome, BlackEverywhere) {
    PrintState state = MonthState(2026, 12, 31, 0);
    config::PageOptions& o = state.settings.page(1);
    o.holiday_reverse = o.day_english = o.rokuyou_print = o.kikkyou1 = true;
    state.holidays.Mark(12, 3, true);
    for (auto& r : state.days)
        r.DayFlagsA = 0x22; // 十方暮 blue, 一粒万倍日 red
    Trace t = Trace::Draw(state, kWidth, kHeight, 2);
    EXPECT_TRUE(t.Has("bitmap\t80\t37\t96\t53\tSUNDAY_BLACK\tcopy"));
    EXPECT_TRUE(t.Has("bitmap\t692\t37\t708\t53\tSATADAY_BLACK\tcopy"));
    EXPECT_EQ("brush\t0x000000\tsolid", t.StateBefore("rect\t242\t54\t278\t90", "brush\t"));
    for (const std::string& color : t.With("color\t"))
        EXPECT_TRUE(color == "color\t0x000000" || color == "color\t0xFFFFFF") << color;
}

TEST(CalendarSmallPaper, TheCellIsDrawnAtTwoThirds) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.dpi_x = state.dpi_y = 192;
    config::PageOptions& o = state.settings.page(1);
    o.old_day_print = o.unki = o.sekki = true;
    state.settings.birth_eto = 7;
    state.days[1].SolarTerm = 24;
    Trace a4 = Trace::Draw(state, 2 * kWidth, 2 * kHeight);
    EXPECT_TRUE(a4.Has("font\t@ＭＳ ゴシック\t-18\t2700\t0"));
    EXPECT_TRUE(a4.Has("bitmap\t76\t108\t148\t180\tK01\tcopy"));

    // 148 mm paper: a box of 24 × 2 pixels instead of 72, the notes a sixth of the full
    // box (12), the fortune 24, the solar term 24 − 6; at any resolution in proportion.
    state.paper_width_mm = 148;
    Trace a5 = Trace::Draw(state, 2 * kWidth, 2 * kHeight);
    EXPECT_TRUE(a5.Has("bitmap\t76\t108\t124\t156\tK01\tcopy"));
    EXPECT_TRUE(a5.Has("font\t@ＭＳ ゴシック\t-12\t2700\t0"));
    EXPECT_TRUE(a5.Has("font\t@ＭＳ ゴシック\t-24\t2700\t0"));
    const std::string term = "text\t" + std::to_string(123 + 18 + 3) + "\t111\t大寒";
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-18\t2700\t0", a5.StateBefore(term, "font\t"));
}

TEST(CalendarPicture, UnderTheGridFirst) {
    PrintState state = MonthState(2026, 12, 31, 0);
    state.settings.page(1).under_bitmap = true;
    state.settings.data_folder = "/nonexistent-qelmarin-folder";
    base::RecordingReporter reporter;
    state.reporter = &reporter;
    Trace t = Trace::Draw(state);
    ASSERT_EQ(1u, reporter.messages().size()); // the month picture is missing: said once
    EXPECT_TRUE(t.With("picture\t").empty());
}

} // namespace
} // namespace pages
