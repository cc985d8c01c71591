// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/fortune.h"

#include "almanac/named_days.h"
#include "base/sjis.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

// A day on which no rule fires for birth branch 1 (子) and year cycle 1: month 1, lunar
// month 1, day sign 15 (戊寅).
DayRecord QuietDay() {
    DayRecord d;
    d.SolarMonth = 1;
    d.LunarMonth = 1;
    d.DayCycle = 15;
    d.YearCycle = 1;
    return d;
}

TEST(Fortune, QuietDayScoresNothing) {
    FortuneWork w;
    w.unused[7] = 1;
    DayRecord d = QuietDay();
    ASSERT_TRUE(NamedDaysOf(d, MakeDayKeys(d, 1, 1)).empty());
    EXPECT_EQ(0, EvaluateDayFortune(d, 1, 1, w));
    EXPECT_EQ(0, w.good);
    EXPECT_EQ(0, w.bad);
    EXPECT_EQ(0, w.unused[7]);
    EXPECT_EQ("末吉", FortuneRank(w.good, w.bad));
}

TEST(Fortune, RuleDaysCountOnlyWithABirthSign) {
    DayRecord d = QuietDay();
    d.DayCycle = 47; // 庚戌: 受死日 in month 1 (and 大明日, 復日)
    FortuneWork w;
    EXPECT_EQ(0, EvaluateDayFortune(d, 0, 1, w));
    EXPECT_EQ(0, w.bad);
    EvaluateDayFortune(d, 1, 1, w);
    EXPECT_EQ(-10 + 4 + 0, w.net);
    EXPECT_EQ(4 + 1, w.good);
    EXPECT_EQ(10 + 1, w.bad);
}

TEST(Fortune, FlagsMansionAndOfficerAlwaysCount) {
    DayRecord d = QuietDay();
    d.DayFlagsA = flag_a::kFujoju | flag_a::kTensha | flag_a::kLeapMonth;
    d.DayFlagsB = flag_b::kTenichi;
    d.Mansion = 5;  // 心: −1, +1, +2
    d.Officer = 3;  // 建: +2, +2, +1
    FortuneWork w;
    EXPECT_EQ(-3 + 2 + 1 - 1 + 2, EvaluateDayFortune(d, 0, 1, w));
    EXPECT_EQ(2 + 1 + 1 + 2, w.good);
    EXPECT_EQ(3 + 2 + 1, w.bad);
}

TEST(Fortune, KijitsuAndKishukuTogether) {
    // 受死日 and 大明日 (day sign 47 in month 1), mansion 鬼 and officer 満, birth sign set.
    // The mansion 鬼 is also 鬼宿日 (+4) and day sign 47 is 復日 (0, +1, +1).
    DayRecord d = QuietDay();
    d.DayCycle = 47;
    d.Mansion = 23;
    d.Officer = 5;
    FortuneWork w;
    EXPECT_EQ(-10 + 4 + 4 + 0 + 1 + 2, EvaluateDayFortune(d, 1, 1, w));
    EXPECT_EQ(4 + 4 + 1 + 1 + 2, w.good);
    EXPECT_EQ(10 + 1, w.bad);
    EXPECT_EQ("末吉", FortuneRank(w.good, w.bad));
}

TEST(Fortune, OfficerKenAlone) {
    DayRecord d = QuietDay();
    d.Officer = 3;
    FortuneWork w;
    EXPECT_EQ(2, EvaluateDayFortune(d, 1, 1, w));
    EXPECT_EQ(" 吉 ", FortuneRank(w.good, w.bad));
}

TEST(Fortune, RankBoundaries) {
    struct Case {
        int good, bad;
        const char* rank;
    } cases[] = {
        {0, 0, "末吉"},  {1, 0, "末吉"},  {2, 0, "半吉"}, {3, 0, "半吉"},  {4, 0, " 吉 "}, {5, 0, "中吉"},
        {6, 0, "大吉"},  {6, 1, "半吉"},  {11, 2, "大吉"}, {9, 1, "中吉"},  {7, 1, " 吉 "}, {4, 0, " 吉 "},
        {3, 2, "末吉"},  {5, 2, "中吉"},  {4, 2, " 吉 "}, {10, 7, "末吉"}, {12, 8, "小吉"},  {7, 10, "    "},
        {0, 9, "大凶"},  {0, 4, " 凶 "}, {0, 3, "    "}, {2, 11, "大凶"}, {2, 10, " 凶 "}, {2, 4, " 凶 "},
        {2, 3, "    "},
    };
    for (const Case& c : cases) EXPECT_EQ(c.rank, FortuneRank(c.good, c.bad)) << c.good << "/" << c.bad;
    for (int g = 0; g < 30; ++g)
        for (int b = 0; b < 30; ++b) EXPECT_EQ(4u, base::Cp932Length(FortuneRank(g, b)));
}

} // namespace
} // namespace almanac
