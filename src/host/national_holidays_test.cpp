// SPDX-License-Identifier: GPL-3.0-or-later
// National holidays against the government's published lists.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/holiday_writer.h"
#include "host/national_holidays.h"

namespace host {
namespace {

std::vector<std::string> Holidays(int year) {
    std::vector<std::string> days;
    for (const CivilDate& d : NationalHolidayDates(year, ComputeEquinoxDays(year))) {
        days.push_back(std::to_string(d.month) + "/" + std::to_string(d.day));
    }
    return days;
}

using Days = std::vector<std::string>;

TEST(NationalHolidays, PublishedLists) {
    // 2019: the enthronement (5/1, 10/22), the days between them, no 天皇誕生日.
    EXPECT_EQ(Holidays(2019),
              (Days{"1/1", "1/14", "2/11", "3/21", "4/29", "4/30", "5/1",   "5/2",   "5/3",  "5/4",  "5/5",
                    "5/6", "7/15", "8/11", "8/12", "9/16", "9/23", "10/14", "10/22", "11/3", "11/4", "11/23"}));
    // 2020 and 2021: the holidays moved for the Olympic games.
    EXPECT_EQ(Holidays(2020), (Days{"1/1", "1/13", "2/11", "2/23", "2/24", "3/20", "4/29", "5/3", "5/4", "5/5", "5/6",
                                    "7/23", "7/24", "8/10", "9/21", "9/22", "11/3", "11/23"}));
    EXPECT_EQ(Holidays(2021), (Days{"1/1", "1/11", "2/11", "2/23", "3/20", "4/29", "5/3", "5/4", "5/5", "7/22", "7/23",
                                    "8/8", "8/9", "9/20", "9/23", "11/3", "11/23"}));
    EXPECT_EQ(Holidays(2025), (Days{"1/1", "1/13", "2/11", "2/23", "2/24", "3/20", "4/29", "5/3", "5/4", "5/5", "5/6",
                                    "7/21", "8/11", "9/15", "9/23", "10/13", "11/3", "11/23", "11/24"}));
    // 2026: 9/22 lies between 敬老の日 and 秋分の日.
    EXPECT_EQ(Holidays(2026), (Days{"1/1", "1/12", "2/11", "2/23", "3/20", "4/29", "5/3", "5/4", "5/5", "5/6", "7/20",
                                    "8/11", "9/21", "9/22", "9/23", "10/12", "11/3", "11/23"}));
}

TEST(NationalHolidays, OlderRules) {
    // 1948: only from 20 July, when the law took effect.
    EXPECT_EQ(Holidays(1948), (Days{"9/23", "11/3", "11/23"}));
    EXPECT_TRUE(Holidays(1947).empty());
    // The first substitute holiday, 1973-04-30 for 天皇誕生日 on a Sunday.
    const Days y1973 = Holidays(1973);
    EXPECT_NE(std::find(y1973.begin(), y1973.end(), "4/30"), y1973.end());
    // 1988-05-04 (Wednesday) between 憲法記念日 and こどもの日.
    const Days y1988 = Holidays(1988);
    EXPECT_NE(std::find(y1988.begin(), y1988.end(), "5/4"), y1988.end());
    // Before 2007 a 国民の休日 never fell on a Sunday: 1986-05-04 was a Sunday.
    const Days y1986 = Holidays(1986);
    EXPECT_EQ(std::find(y1986.begin(), y1986.end(), "5/4"), y1986.end());
    // 2009: 5/3 on a Sunday moves to the first day after that is not a holiday, 5/6.
    const Days y2009 = Holidays(2009);
    EXPECT_NE(std::find(y2009.begin(), y2009.end(), "5/6"), y2009.end());
    EXPECT_NE(std::find(y2009.begin(), y2009.end(), "9/22"), y2009.end()); // between 敬老の日 and 秋分の日
}

TEST(NationalHolidays, EquinoxDaysFromTheComputedEquinoxes) {
    EXPECT_EQ(ComputeEquinoxDays(2024).vernal_day, 20);
    EXPECT_EQ(ComputeEquinoxDays(2024).autumnal_day, 22);
    EXPECT_EQ(ComputeEquinoxDays(2012).autumnal_day, 22);
    EXPECT_EQ(ComputeEquinoxDays(2019).vernal_day, 21);
}

} // namespace
} // namespace host
