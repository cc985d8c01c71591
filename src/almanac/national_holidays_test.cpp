// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/national_holidays.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

// The holidays' names as the law gives them (the dates are checked against the published
// lists by the host's tests, from this same table).
TEST(NationalHolidays, NamedAsTheLawNamesThem) {
    std::string names;
    for (const NationalHoliday& h : NationalHolidays(2019, {21, 23}))
        names += std::to_string(h.month) + "/" + std::to_string(h.day) + " " + std::string(h.name) + "\n";
    for (const char* day : {"1/1 元日\n", "1/14 成人の日\n", "2/11 建国記念の日\n", "3/21 春分の日\n",
                            "4/30 国民の休日\n", "5/1 天皇の即位の日\n", "5/6 振替休日\n", "9/23 秋分の日\n",
                            "10/22 即位礼正殿の儀\n", "11/4 振替休日\n"})
        EXPECT_NE(std::string::npos, names.find(day)) << day << " in\n" << names;
    EXPECT_TRUE(NationalHolidays(1948, {21, 23}).size() == 3u); // from 20 July: 秋分の日, 文化の日, 勤労感謝の日
    // An equinox not found is left out, never put on a wrong day.
    for (const NationalHoliday& h : NationalHolidays(2027, {0, 0}))
        EXPECT_NE("春分の日", h.name);
    EXPECT_EQ("成人の日", HolidayName(NationalHolidays(2027, {21, 23}), 1, 11));
    EXPECT_EQ("休日", HolidayName(NationalHolidays(2027, {21, 23}), 1, 12));
}

} // namespace
} // namespace almanac
