// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/small_calendar.h"

#include "pages/list_test_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pages {
namespace {

using testing::ListState;
using testing::Trace;

// An area of 2800 × 4000: the calendar is 700 square, cells of 100.
const ListArea kArea{0, 0, 2800, 4000};

struct Drawn {
    Trace trace;
    ListArea area;
};

Drawn Draw(const PrintState& state, int position, bool label) {
    ListArea area = kArea;
    Trace t = Trace::Record(2800, 4000,
                            [&](gfx::Canvas& canvas) { DrawSmallCalendar(canvas, state, position, label, area); });
    return {t, area};
}

std::string Cell(int left, int top, const std::string& text) {
    return "drawtext\t" + std::to_string(left) + "\t" + std::to_string(top) + "\t" + std::to_string(left + 100) + "\t" +
           std::to_string(top + 100) + "\tcenter|vcenter|singleline\t" + text;
}

TEST(SmallCalendar, EveryPositionTakesItsCornerAndStrip) {
    struct Case {
        int position;
        int cx, cy;
        ListArea after;
    };
    const Case cases[] = {
        {1, 0, 0, {0, 705, 2800, 3295}},     {2, 2100, 0, {0, 705, 2800, 3295}},  {3, 0, 3300, {0, 0, 2800, 3295}},
        {4, 2100, 3300, {0, 0, 2800, 3295}}, {5, 0, 0, {705, 0, 2095, 4000}},     {6, 0, 3300, {705, 0, 2095, 4000}},
        {7, 2100, 0, {0, 0, 2095, 4000}},    {8, 2100, 3300, {0, 0, 2095, 4000}}, {0, 2100, 3300, {0, 0, 2095, 4000}},
    };
    const PrintState state = ListState(2026, 1, 31, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        const Drawn d = Draw(state, c.position, false);
        EXPECT_TRUE(d.trace.Has(Cell(c.cx, c.cy, "日")));
        EXPECT_TRUE(d.trace.Has(Cell(c.cx + 600, c.cy, "土")));
        EXPECT_TRUE(d.trace.Has(Cell(c.cx + 400, c.cy + 100, "1"))); // Thursday
        EXPECT_EQ(c.after, d.area);
    }
}

TEST(SmallCalendar, FontsFromTheCellSize) {
    const Drawn d = Draw(ListState(2026, 1, 31, 4), 1, false);
    const std::vector<std::string> fonts = d.trace.With("font\t");
    ASSERT_EQ(3u, fonts.size());
    // Heads: 100 - Round(6.25 × 4) = 75 → 9 pt → 75. Days: 100 - Round(12.5) = 88 → 11 pt → 92.
    EXPECT_EQ("font\tＭＳ ゴシック\t75\t0\t0", fonts[0]);
    EXPECT_EQ("font\tTimes New Roman\t92\t0\t1", fonts[1]);
    EXPECT_EQ("font\t\t0\t0\t0", fonts[2]); // the canvas's font before it, restored
}

TEST(SmallCalendar, SixRowsAndTheYearLabelInTheLastRow) {
    // 31 days from a Saturday: day 1 in column 7, days 30 and 31 in the sixth row.
    const Drawn d = Draw(ListState(2026, 8, 31, 6), 1, true);
    EXPECT_TRUE(d.trace.Has(Cell(600, 100, "1")));
    EXPECT_TRUE(d.trace.Has(Cell(0, 200, "2")));
    EXPECT_TRUE(d.trace.Has(Cell(0, 600, "30")));
    EXPECT_TRUE(d.trace.Has(Cell(100, 600, "31")));
    EXPECT_TRUE(d.trace.Has("drawtext\t205\t602\t700\t700\tcenter|vcenter|singleline\t2026.8"));
    EXPECT_TRUE(Draw(ListState(2026, 8, 31, 6), 1, false).trace.With("drawtext\t205\t").empty());
}

TEST(SmallCalendar, WeeksFromMondayAndHolidays) {
    PrintState state = ListState(2026, 3, 31, 0); // the 1st is a Sunday
    state.settings.start_weekday = 1;
    state.holidays.Mark(3, 20, true);
    state.settings.page(1).holiday_reverse = false;
    Drawn d = Draw(state, 1, false);
    EXPECT_TRUE(d.trace.Has(Cell(0, 0, "月")));
    EXPECT_TRUE(d.trace.Has(Cell(600, 0, "日")));
    EXPECT_TRUE(d.trace.Has(Cell(600, 100, "1")));
    EXPECT_TRUE(d.trace.Has(Cell(0, 200, "2")));
    EXPECT_EQ("color\t0x0000FF", d.trace.ColorBefore(Cell(600, 0, "日")));
    EXPECT_EQ("color\t0x000000", d.trace.ColorBefore(Cell(400, 400, "20"))); // "HolidayReverse" off

    state.settings.page(1).holiday_reverse = true;
    d = Draw(state, 1, false);
    EXPECT_EQ("color\t0x0000FF", d.trace.ColorBefore(Cell(400, 400, "20")));
}

TEST(SmallCalendar, HolidaysAreInvertedForAMonochromePrinter) {
    // May 2027, the 1st a Saturday: the holidays 3, 4 and 5 stand side by side in row two.
    PrintState state = ListState(2027, 5, 31, 6);
    for (int d : {3, 4, 5}) state.holidays.Mark(5, d, true);
    state.settings.page(1).holiday_reverse = true;
    state.colors = 2;
    const Drawn mono = Draw(state, 1, true);
    // White numbers on black squares one design pixel (6 device pixels) inside their cells.
    EXPECT_EQ(mono.trace.With("fill\t"),
              (std::vector<std::string>{"fill\t106\t206\t194\t294", "fill\t206\t206\t294\t294",
                                        "fill\t306\t206\t394\t294"}));
    for (int d : {3, 4, 5})
        EXPECT_EQ("color\t0xFFFFFF", mono.trace.ColorBefore(Cell(100 * (d - 2), 200, std::to_string(d)))) << d;
    EXPECT_EQ("color\t0x000000", mono.trace.ColorBefore(Cell(400, 200, "6")));
    EXPECT_EQ("color\t0x000000", mono.trace.ColorBefore(Cell(600, 100, "1")));
    // The brush the calendar found is the brush it leaves.
    EXPECT_EQ("brush\t0xFFFFFF\tsolid", mono.trace.With("brush\t").back());

    // In colour the holidays are red, on the paper.
    state.colors = 256;
    const Drawn colour = Draw(state, 1, true);
    EXPECT_TRUE(colour.trace.With("fill\t").empty());
    EXPECT_EQ("color\t0x0000FF", colour.trace.ColorBefore(Cell(200, 200, "4")));
    // "HolidayReverse" off: no mark in either.
    state.settings.page(1).holiday_reverse = false;
    state.colors = 2;
    EXPECT_TRUE(Draw(state, 1, true).trace.With("fill\t").empty());
}

} // namespace
} // namespace pages
