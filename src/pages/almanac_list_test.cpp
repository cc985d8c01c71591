// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/almanac_list.h"

#include "pages/list_test_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace pages {
namespace {

using testing::ListState;
using testing::Trace;

// 31 days in 3200 × 7000: column 100, unit 100, text offset 0, small unit 48.
// Cell tops 0, 605, 710, 915, 1120, 2025, 2630, 2735, 2840, 3045; 吉凶 4050 … 6664.
const ListArea kArea{0, 0, 3200, 7000};

Trace Draw(const PrintState& state, const ListArea& area = kArea) {
    return Trace::Record(3200, 7000, [&](gfx::Canvas& canvas) { DrawAlmanacList(canvas, state, area); });
}

std::string Text(int x, int y, const std::string& text) {
    return "text\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t" + text;
}

TEST(AlmanacList, ColumnsRightToLeftFor31Days) {
    const Trace t = Draw(ListState(2026, 1, 31, 4));
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-100\t2700\t0", t.With("font")[0]);
    EXPECT_TRUE(t.Has("rect\t3000\t0\t3100\t605")); // day 1 beside the header
    EXPECT_TRUE(t.Has("rect\t3001\t1\t3099\t604"));
    EXPECT_TRUE(t.Has(Text(3100, 1, "一　月　一日")));
    EXPECT_TRUE(t.Has("rect\t0\t0\t100\t605")); // day 31 at the left edge
    EXPECT_TRUE(t.Has(Text(100, 1, "一　月卅一日")));
    EXPECT_TRUE(t.Has("rect\t3000\t2840\t3100\t3045")); // 候 of day 1
    EXPECT_TRUE(t.Has("rect\t3000\t4049\t3100\t6664")); // 吉凶
    EXPECT_TRUE(t.Has("rect\t3000\t6663\t3100\t7000")); // 日出没
}

TEST(AlmanacList, ColumnsLeftToRightFor28Days) {
    PrintState state = ListState(2026, 2, 28, 0);
    // 28 days: 29 columns of 110; offset (110 - 100) div 2 = 5.
    Trace t = Draw(state);
    EXPECT_TRUE(t.Has("rect\t2980\t0\t3090\t605"));
    EXPECT_TRUE(t.Has(Text(3085, 1, "二　月　一日")));
    EXPECT_TRUE(t.Has("rect\t10\t0\t120\t605"));
    EXPECT_TRUE(t.Has("rect\t3090\t0\t3200\t605")); // header at the right

    state.settings.page(2).lr_print = true;
    t = Draw(state);
    EXPECT_TRUE(t.Has("rect\t0\t0\t110\t605")); // header at the left
    EXPECT_TRUE(t.Has(Text(105, 2, "新暦")));
    EXPECT_TRUE(t.Has("rect\t110\t0\t220\t605")); // day 1 beside it
    EXPECT_TRUE(t.Has(Text(215, 1, "二　月　一日")));
    EXPECT_TRUE(t.Has("rect\t3080\t0\t3190\t605")); // day 28
    EXPECT_TRUE(t.Has(Text(3185, 1, "二　月廿八日")));
}

TEST(AlmanacList, LeapEleventhMonthDatesAreWrittenSmallerInsideTheirCell) {
    PrintState state = ListState(2034, 1, 31, 0);
    for (auto& r : state.days) r.LeapMonth = 1;
    const Trace t = Draw(state);
    // The 旧暦 cell of day 1 (lunar day 2) is 2025 … 2630: 602 long inside its frame. Seven
    // characters at 100 would take 700; at 86 they take 602, centred 7 further in.
    EXPECT_TRUE(t.Has(Text(3100 - 7, 2026, "閏十一月　二日")));
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-86\t2700\t0", t.With("font")[1]);
    EXPECT_TRUE(t.Has(Text(1100 - 7, 2026, "閏十一月廿二日"))); // day 21
    for (const std::string& line : t.With("text\t")) EXPECT_EQ(std::string::npos, line.find("閏十一月廿二\t")) << line;
}

TEST(AlmanacList, HeaderColumnNamesEveryCell) {
    const Trace t = Draw(ListState(2026, 1, 31, 4));
    const int tops[] = {0, 605, 710, 915, 1120, 2025, 2630, 2735, 2840, 3045, 4050, 6664, 7000};
    const char* labels[] = {"新暦", "曜", "干支", "六曜", "節季", "旧暦", "宿", "直", "候", "雑節", "吉凶", "日出没"};
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(labels[k]);
        EXPECT_TRUE(t.Has("rect\t3100\t" + std::to_string(tops[k]) + "\t3200\t" + std::to_string(tops[k + 1])));
        EXPECT_TRUE(t.Has(Text(3200, tops[k] + 2, labels[k])));
    }
    // The header is drawn last, filled white with a solid brush and the clamped unit.
    const std::vector<std::string>& lines = t.Lines();
    const auto header = std::find(lines.begin(), lines.end(), "brush\t0xFFFFFF\tsolid");
    ASSERT_NE(lines.end(), header);
    EXPECT_EQ("font\t@ＭＳ ゴシック\t-100\t2700\t0", *(header - 1));
}

TEST(AlmanacList, NotesOfADay) {
    PrintState state = ListState(2026, 1, 31, 4);
    state.days[1].Rokuyo = 4;         // 仏滅 in blue
    state.days[2].Rokuyo = 5;         // 大安 in red
    state.days[1].SeasonFlags = 0x84; // 土用・節分
    state.holidays.Mark(1, 1, true);
    state.settings.page(1).holiday_reverse = true;
    const Trace t = Draw(state);
    EXPECT_TRUE(t.Has(Text(3100, 606, "木")));
    EXPECT_TRUE(t.Has(Text(3100, 711, "乙丑")));
    EXPECT_TRUE(t.Has(Text(3100, 916, "仏滅")));
    EXPECT_TRUE(t.Has(Text(3100, 2026, "十一月　二日")));
    EXPECT_TRUE(t.Has(Text(3100, 2631, "亢")));
    EXPECT_TRUE(t.Has(Text(3100, 2736, "閉")));
    EXPECT_TRUE(t.Has(Text(3100, 2841, "六七")));
    EXPECT_TRUE(t.Has(Text(3100, 3046, "土用・節分")));

    EXPECT_EQ("color\t0x0000FF", t.ColorBefore(Text(3100, 1, "一　月　一日"))); // holiday
    EXPECT_EQ("color\t0x0000FF", t.ColorBefore(Text(3100, 606, "木")));
    EXPECT_EQ("color\t0xFF0000", t.ColorBefore(Text(3100, 916, "仏滅")));
    EXPECT_EQ("color\t0x0000FF", t.ColorBefore(Text(3000, 916, "大安")));
    EXPECT_EQ("color\t0x000000", t.ColorBefore(Text(3000, 1, "一　月　二日")));
}

TEST(AlmanacList, MonochromePrintsEverythingBlack) {
    PrintState state = ListState(2026, 1, 31, 4);
    state.colors = 2;
    state.days[1].Rokuyo = 4;
    state.days[2].Rokuyo = 5;
    state.days[3].DayFlagsA = 0x7F;
    state.holidays.Mark(1, 1, true);
    state.settings.page(1).holiday_reverse = true;
    state.settings.latitude = 35.6895;
    state.settings.longitude = 139.6917;
    const Trace t = Draw(state);
    // Black, but for the holiday's date and weekday: white on their black cells, the mark
    // that red would have been.
    for (const std::string& line : t.With("color\t"))
        EXPECT_TRUE(line == "color\t0x000000" || line == "color\t0xFFFFFF") << line;
    EXPECT_EQ(t.With("fill\t"), (std::vector<std::string>{"fill\t3002\t2\t3098\t603", "fill\t3002\t607\t3098\t708"}));
    EXPECT_EQ("color\t0xFFFFFF", t.ColorBefore(Text(3100, 1, "一　月　一日")));
    EXPECT_EQ("color\t0xFFFFFF", t.ColorBefore(Text(3100, 606, "木")));
    EXPECT_EQ("color\t0x000000", t.ColorBefore(Text(3000, 1, "一　月　二日")));
}

TEST(AlmanacList, SolarTermOnlyOnTheFirstDayOfATerm) {
    PrintState state = ListState(2026, 1, 31, 4);
    state.days[0].SolarTerm = 22; // 小寒 begins on the 1st
    for (int d = 20; d <= 31; ++d)
        state.days[static_cast<std::size_t>(d)].SolarTerm = 24;
    const std::string blank = "　　　　　　　　　";
    Trace t = Draw(state);
    EXPECT_TRUE(t.Has(Text(3100, 1121, "冬　十二月節　小寒")));
    EXPECT_TRUE(t.Has(Text(3000, 1121, blank)));
    EXPECT_TRUE(t.Has(Text(1200, 1121, "冬　十二月中　大寒")));
    EXPECT_TRUE(t.Has(Text(1100, 1121, blank)));
    auto blanks = [&](const Trace& trace) {
        std::size_t n = 0;
        for (const std::string& l : trace.With("text\t"))
            if (l.ends_with("\t" + blank)) ++n;
        return n;
    };
    EXPECT_EQ(29u, blanks(t));

    // January 1901, the first month of the day file: every 節季 cell is blank.
    state.year = 1901;
    t = Draw(state);
    EXPECT_EQ(31u, blanks(t));
}

TEST(AlmanacList, SunTimesOnlyForAPlaceNorthOfTheEquator) {
    PrintState state = ListState(2026, 1, 31, 4);
    const int sun_top = 6664;
    auto sun_texts = [&](const Trace& t) {
        std::vector<std::string> found;
        for (const std::string& l : t.With("text\t"))
            if (l.find(std::string("\t").append(std::to_string(sun_top)).append("\t")) != std::string::npos)
                found.push_back(l);
        return found;
    };
    EXPECT_TRUE(sun_texts(Draw(state)).empty()); // latitude 0: framed and empty

    state.settings.latitude = 35.6895;
    state.settings.longitude = 139.6917;
    Trace t = Draw(state);
    ASSERT_EQ(62u, sun_texts(t).size());
    // Day 1: sunrise in the right half-column, sunset W div 2 to its left; inset (50 - 48) div 2.
    EXPECT_TRUE(t.Has(Text(3099, sun_top, "六時五〇分")));
    EXPECT_TRUE(t.Has(Text(3049, sun_top, "十六時三八分")));

    // Far north in midwinter the sun does not rise: nothing is printed, the cells stay framed.
    state.settings.latitude = 80;
    state.month = 12;
    t = Draw(state);
    EXPECT_TRUE(sun_texts(t).empty());
    EXPECT_TRUE(t.Has("rect\t3000\t6663\t3100\t7000"));
}

TEST(AlmanacList, NamedDaysStayInsideTheirDay) {
    PrintState state = ListState(2026, 1, 31, 4);
    state.days[3].DayFlagsA = 0x7F; // every named day of the flag bytes
    state.days[3].DayFlagsB = 0xF0;
    state.days[4].DayFlagsA = 0x02; // 十方暮 alone
    // Height 3000: unit and small unit 42, 吉凶 from 1730 to 2706, too short for day 3's
    // names at 42.
    const ListArea area{0, 0, 3200, 3000};
    const Trace t = Draw(state, area);
    EXPECT_TRUE(t.Has(Text(2796, 1730, "十方暮"))); // day 4 in the small font, inset (50 - 42) div 2
    const int right = 2900, left = 2800;            // day 3
    bool smaller_font = false;
    int current_height = 0;
    for (const std::string& line : t.Lines()) {
        if (line.starts_with("font\t")) {
            current_height = std::abs(std::atoi(line.substr(line.find('\t', 5) + 1).c_str()));
            if (current_height < 42) smaller_font = true;
        }
        if (!line.starts_with("text\t")) continue;
        const int x = std::atoi(line.c_str() + 5);
        const int y = std::atoi(line.c_str() + line.find('\t', 5) + 1);
        if (y < 1730 || y >= 2706 || x <= left || x > right) continue;
        EXPECT_GE(x - current_height, left) << line;
        EXPECT_LE(y, 2704) << line;
    }
    EXPECT_TRUE(smaller_font);
}

TEST(AlmanacList, TooSmallAnAreaDrawsNothing) {
    EXPECT_EQ(1u, Draw(ListState(2026, 1, 31, 4), ListArea{0, 0, 100, 7000}).Lines().size());
    EXPECT_EQ(1u, Draw(ListState(2026, 1, 31, 4), ListArea{0, 0, 3200, 50}).Lines().size());
}

} // namespace
} // namespace pages
