// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_rules.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

TEST(DayRules, StemsAndBranchesOfTheCycle) {
    EXPECT_EQ(10, StemOf(60));
    EXPECT_EQ(12, BranchOf(60));
    EXPECT_EQ(1, StemOf(1));
    EXPECT_EQ(1, BranchOf(1));
    EXPECT_EQ(12, BranchOf(0)); // BirthEto 0
    EXPECT_EQ(7, BranchOf(43)); // 丙午
    EXPECT_EQ(3, StemOf(43));
    EXPECT_EQ(7, BranchOf(-5)); // a hand-edited negative value still names a branch
}

TEST(DayRules, MonthKeyedBranchRules) {
    EXPECT_TRUE(IsJushi(1, 11));
    EXPECT_FALSE(IsJushi(1, 10));
    EXPECT_TRUE(IsJushi(12, 10));
    EXPECT_TRUE(IsJushi(0, 10)); // outside 1 … 12: the row of month 12
    EXPECT_TRUE(IsJisshi(4, 10));
    EXPECT_TRUE(IsJisshi(8, 6));
    EXPECT_TRUE(IsJisshi(12, 2));
    EXPECT_TRUE(IsKiko(10, 2));
    EXPECT_TRUE(IsKiko(11, 3));
    EXPECT_TRUE(IsKiko(3, 1));
    EXPECT_TRUE(IsChiimi(2, 8));
    EXPECT_TRUE(IsChiimi(12, 1));
    EXPECT_TRUE(IsTenka(9, 1));
    EXPECT_TRUE(IsTenka(6, 4));
    EXPECT_TRUE(IsTenka(12, 10));
    EXPECT_TRUE(IsChika(8, 1));
    EXPECT_TRUE(IsChika(12, 5));
    EXPECT_TRUE(IsChika(99, 5));
}

TEST(DayRules, StemRules) {
    EXPECT_TRUE(IsFukunichi(1, 7));
    EXPECT_TRUE(IsFukunichi(9, 6));
    EXPECT_TRUE(IsFukunichi(13, 4)); // outside 1 … 12: the row of months 5 and 11
    EXPECT_FALSE(IsFukunichi(13, 5));
    EXPECT_TRUE(IsGettoku(5, 3));
    EXPECT_TRUE(IsGettoku(10, 1));
    EXPECT_TRUE(IsGettoku(7, 9));
    EXPECT_TRUE(IsGettoku(12, 7));
    EXPECT_TRUE(IsJunichi(6));
    EXPECT_TRUE(IsJunichi(12));
    EXPECT_FALSE(IsJunichi(1));
}

TEST(DayRules, GoboByElementOfTheBirthBranch) {
    const int expected[12] = {29, 5, 2, 2, 5, 23, 23, 5, 8, 8, 5, 29};
    for (int b = 1; b <= 12; ++b)
        for (int sign = 1; sign <= 60; ++sign) EXPECT_EQ(sign == expected[b - 1], IsGobo(b, sign)) << b << " " << sign;
    EXPECT_TRUE(IsGobo(BranchOf(0), 29)); // no birth year: branch 12
}

TEST(DayRules, MonthlyCalamity) {
    MonthlyCalamity c;
    EXPECT_TRUE(CheckMonthlyCalamity(3, 1, 12, c));
    EXPECT_TRUE(c.taika);
    EXPECT_FALSE(c.rouseki || c.metsumon);
    EXPECT_TRUE(CheckMonthlyCalamity(11, 9, 1, c));
    EXPECT_TRUE(c.rouseki);
    EXPECT_FALSE(CheckMonthlyCalamity(3, 2, 12, c)); // key 3 applies only in lunar month 1
    EXPECT_FALSE(c.taika || c.rouseki || c.metsumon);
    EXPECT_TRUE(CheckMonthlyCalamity(BranchOf(0), 10, 9, c)); // no birth year: key 12, month 10
    EXPECT_TRUE(c.metsumon);
    EXPECT_TRUE(CheckMonthlyCalamity(40, 12, 11, c)); // any other key: the row of key 2
    EXPECT_TRUE(c.metsumon);
}

TEST(DayRules, JigejikiHour) {
    EXPECT_EQ(5, JigejikiHour(6, 1));
    EXPECT_EQ(-1, JigejikiHour(6, 2));
    EXPECT_EQ(12, JigejikiHour(1, 8));
    EXPECT_EQ(11, JigejikiHour(12, 4));
}

TEST(DayRules, SignSets) {
    EXPECT_TRUE(IsSaigejiki(1, 14));
    EXPECT_TRUE(IsSaigejiki(12, 37));
    EXPECT_FALSE(IsSaigejiki(0, 14));
    EXPECT_TRUE(IsKunie(3, 57));
    EXPECT_TRUE(IsKunie(10, 60));
    EXPECT_FALSE(IsKunie(1, 29));
    int kamiyoshi = 0, daimyo = 0;
    for (int s = 1; s <= 60; ++s) {
        kamiyoshi += IsKamiyoshi(s);
        daimyo += IsDaimyo(s);
    }
    EXPECT_EQ(33, kamiyoshi);
    EXPECT_EQ(25, daimyo);
    EXPECT_TRUE(IsKishuku(23));
    EXPECT_FALSE(IsKishuku(22));
}

} // namespace
} // namespace almanac
