// SPDX-License-Identifier: GPL-3.0-or-later
// Lunar months in the years that test the rules: leap months decided by minutes after JST
// midnight (2012, 2017), months without 中気 that are not leap months (1965, 1985, 2034, 2053),
// the 2033 case, and 1947.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/civil_date.h"
#include "host/lunar_calendar.h"
#include "host/test_calendar.h"

namespace host {
namespace {

// "yyyy-mm-dd N" or "yyyy-mm-dd 閏N" for the computed months beginning in [from, to].
std::vector<std::string> MonthsBetween(const CivilDate& from, const CivilDate& to) {
    std::vector<std::string> months;
    for (const LunarMonth& m : testing::FullCalendar().lunar_months()) {
        if (m.start_jdn < JdnFromCivil(from) || m.start_jdn > JdnFromCivil(to)) continue;
        months.push_back(FormatDate(CivilFromJdn(m.start_jdn)) + (m.leap ? " 閏" : " ") + std::to_string(m.number));
    }
    return months;
}

using Months = std::vector<std::string>;

TEST(LunarCalendar, LeapMonthsDecidedNearMidnight) {
    EXPECT_EQ(MonthsBetween({2012, 3, 1}, {2012, 6, 1}), (Months{"2012-03-22 3", "2012-04-21 閏3", "2012-05-21 4"}));
    EXPECT_EQ(MonthsBetween({2017, 5, 1}, {2017, 8, 1}), (Months{"2017-05-26 5", "2017-06-24 閏5", "2017-07-23 6"}));
    EXPECT_EQ(MonthsBetween({1947, 2, 1}, {1947, 5, 1}), (Months{"1947-02-21 2", "1947-03-23 閏2", "1947-04-21 3"}));
}

TEST(LunarCalendar, The2033ConventionLeapEleventh) {
    EXPECT_EQ(MonthsBetween({2033, 7, 1}, {2034, 3, 31}),
              (Months{"2033-07-26 7", "2033-08-25 8", "2033-09-23 9", "2033-10-23 10", "2033-11-22 11",
                      "2033-12-22 閏11", "2034-01-20 12", "2034-02-19 1", "2034-03-20 2"}));
}

TEST(LunarCalendar, MonthsWithoutChukiThatAreNotLeap) {
    EXPECT_EQ(MonthsBetween({1965, 9, 1}, {1965, 10, 31}), (Months{"1965-09-25 9", "1965-10-24 10"}));
    EXPECT_EQ(MonthsBetween({1985, 2, 1}, {1985, 3, 31}), (Months{"1985-02-20 1", "1985-03-21 2"}));
    EXPECT_EQ(MonthsBetween({2053, 2, 1}, {2053, 3, 31}), (Months{"2053-02-19 1", "2053-03-20 2"}));
}

TEST(LunarCalendar, DaysCountFromTheMonthStart) {
    const almanac::DayRecord day = testing::DayOf(2012, 5, 20); // the last day of 閏3
    EXPECT_EQ(day.LunarMonth, 3);
    EXPECT_EQ(day.LunarDay, 30);
    EXPECT_TRUE(day.LeapMonth);
    EXPECT_TRUE(day.DayFlagsA & almanac::flag_a::kLeapMonth);
}

TEST(LunarCalendar, NumbersFromSyntheticMonths) {
    // Seven months 30 days apart; 中気 placed so that 冬至 (11) is in the first and 春分 (2) in
    // the fifth: four months between them, and the third holds no 中気, so it is 閏12.
    const std::vector<int> starts = {0, 30, 60, 90, 120, 150, 180};
    const std::vector<Chuki> chuki = {{5, 11}, {35, 12}, {125, 2}, {155, 3}, {100, 1}};
    const std::vector<LunarMonth> months = NumberLunarMonths(starts, chuki);
    ASSERT_EQ(months.size(), 5u);
    EXPECT_EQ(months[1], (LunarMonth{30, 12, false}));
    EXPECT_EQ(months[2], (LunarMonth{60, 12, true}));
    EXPECT_EQ(months[3], (LunarMonth{90, 1, false}));
    EXPECT_EQ(months[4], (LunarMonth{120, 2, false}));
    LunarDate date;
    ASSERT_TRUE(LunarDateOf(months, 75, &date));
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 16);
    EXPECT_TRUE(date.leap);
    EXPECT_FALSE(LunarDateOf(months, -1, &date));
    EXPECT_FALSE(LunarDateOf(months, 151, &date)); // past the last month's 30th day
}

TEST(LunarCalendar, AnIntervalThatCannotBeNumberedIsAnError) {
    // 冬至 and 春分 five months apart, every month holding a 中気: no month can be the leap month.
    const std::vector<int> starts = {0, 30, 60, 90, 120, 150, 180};
    const std::vector<Chuki> chuki = {{5, 11}, {35, 12}, {65, 1}, {95, 1}, {125, 1}, {155, 2}};
    EXPECT_THROW(NumberLunarMonths(starts, chuki), LunarCalendarError);
}

TEST(LunarCalendar, ChukiNumbers) {
    EXPECT_EQ(MonthNumberOfChuki(330), 1);  // 雨水
    EXPECT_EQ(MonthNumberOfChuki(0), 2);    // 春分
    EXPECT_EQ(MonthNumberOfChuki(270), 11); // 冬至
    EXPECT_EQ(MonthNumberOfChuki(300), 12); // 大寒
}

} // namespace
} // namespace host
