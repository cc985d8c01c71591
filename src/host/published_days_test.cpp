// SPDX-License-Identifier: GPL-3.0-or-later
// Lists of days that almanac sites publish (testdata/published-days.csv), each compared whole.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almanac/day_record.h"
#include "host/civil_date.h"
#include "host/test_calendar.h"

namespace host {
namespace {

using testing::FullCalendar;

// "m/d" for every day of the year whose flag byte has the bit; `byte` picks A, B or the season byte.
enum class Byte { A, B, Season };
std::vector<std::string> DaysWith(int year, Byte byte, std::uint8_t bit, int from_month = 1, int to_month = 12) {
    std::vector<std::string> days;
    for (int month = from_month; month <= to_month; ++month) {
        for (int day = 1; day <= DaysInMonth(year, month); ++day) {
            const almanac::DayRecord* d = FullCalendar().Find(year, month, day);
            const std::uint8_t flags = byte == Byte::A ? d->DayFlagsA : byte == Byte::B ? d->DayFlagsB : d->SeasonFlags;
            if (flags & bit) days.push_back(std::to_string(month) + "/" + std::to_string(day));
        }
    }
    return days;
}

// The first day of each run of consecutive flagged days.
std::vector<std::string> RunStarts(int year, Byte byte, std::uint8_t bit) {
    std::vector<std::string> starts;
    bool before = FullCalendar().Find(year - 1, 12, 31)->DayFlagsB & bit;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(year, month); ++day) {
            const almanac::DayRecord* d = FullCalendar().Find(year, month, day);
            const bool now = (byte == Byte::B ? d->DayFlagsB : d->DayFlagsA) & bit;
            if (now && !before) starts.push_back(std::to_string(month) + "/" + std::to_string(day));
            before = now;
        }
    }
    return starts;
}

using Days = std::vector<std::string>;

TEST(PublishedDays, TenichiTenjoStarts) {
    EXPECT_EQ(RunStarts(2040, Byte::B, almanac::flag_b::kTenichi),
              (Days{"1/6", "3/6", "5/5", "7/4", "9/2", "11/1", "12/31"}));
    EXPECT_EQ(RunStarts(2021, Byte::B, almanac::flag_b::kTenichi),
              (Days{"2/14", "4/15", "6/14", "8/13", "10/12", "12/11"}));
}

TEST(PublishedDays, Tensha2022) {
    EXPECT_EQ(DaysWith(2022, Byte::A, almanac::flag_a::kTensha),
              (Days{"1/11", "3/26", "6/10", "8/23", "10/22", "11/7"}));
}

TEST(PublishedDays, Fujoju2024) {
    EXPECT_EQ(DaysWith(2024, Byte::A, almanac::flag_a::kFujoju),
              (Days{"1/2",   "1/10", "1/16",  "1/24",  "2/1",   "2/9",  "2/12",  "2/20",  "2/28",  "3/7",
                    "3/11",  "3/19", "3/27",  "4/4",   "4/9",   "4/17", "4/25",  "5/3",   "5/11",  "5/19",
                    "5/27",  "6/4",  "6/10",  "6/18",  "6/26",  "7/4",  "7/11",  "7/19",  "7/27",  "8/6",
                    "8/14",  "8/22", "8/30",  "9/4",   "9/12",  "9/20", "9/28",  "10/3",  "10/11", "10/19",
                    "10/27", "11/4", "11/12", "11/20", "11/28", "12/5", "12/13", "12/21", "12/29"}));
}

TEST(PublishedDays, Sanrinbou2021) {
    // The published list leaves out 3/4 (辛亥, solar month 1 because 啓蟄 is on 3/5): a slip of the page.
    EXPECT_EQ(DaysWith(2021, Byte::A, almanac::flag_a::kSanrinbou),
              (Days{"1/10", "1/22", "2/8",   "2/20",  "3/4",  "3/7",   "3/19",  "3/31", "4/4",  "4/16", "4/28",
                    "5/15", "5/27", "6/11",  "6/23",  "7/5",  "7/9",   "7/21",  "8/2",  "8/7",  "8/19", "8/31",
                    "9/15", "9/27", "10/13", "10/25", "11/6", "11/11", "11/23", "12/5", "12/8", "12/20"}));
}

TEST(PublishedDays, October2023) {
    EXPECT_EQ(DaysWith(2023, Byte::A, almanac::flag_a::kIchiryuManbai, 10, 10),
              (Days{"10/5", "10/15", "10/18", "10/27", "10/30"}));
    EXPECT_EQ(DaysWith(2023, Byte::A, almanac::flag_a::kTensha, 10, 10), (Days{"10/17"}));
}

TEST(PublishedDays, HassenWithItsRestDays) {
    std::vector<std::string> days;
    for (int jdn = JdnFromCivil({2021, 12, 28}); jdn <= JdnFromCivil({2022, 1, 12}); ++jdn) {
        const CivilDate date = CivilFromJdn(jdn);
        if (FullCalendar().Find(date.year, date.month, date.day)->DayFlagsA & almanac::flag_a::kHassen) {
            days.push_back(std::to_string(date.month) + "/" + std::to_string(date.day));
        }
    }
    // 壬子 12/30 … 癸亥 1/10 without 癸丑 12/31, 丙辰 1/3, 戊午 1/5, 壬戌 1/9.
    EXPECT_EQ(days, (Days{"12/30", "1/1", "1/2", "1/4", "1/6", "1/7", "1/8", "1/10"}));
}

TEST(PublishedDays, SeasonalDays2005And2024) {
    using namespace almanac;
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kSetsubun), (Days{"2/3"}));
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kHigan, 3, 3),
              (Days{"3/17", "3/18", "3/19", "3/20", "3/21", "3/22", "3/23"}));
    // 春分 2005-03-20 21:33 falls on a 癸 day in the afternoon: the later 戊 day.
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kShanichi, 3, 3), (Days{"3/25"}));
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kHachijuhachiya), (Days{"5/2"}));
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kDoyou, 1, 1).front(), "1/17");
    EXPECT_EQ(DaysWith(2005, Byte::Season, season::kDoyou, 4, 4).front(), "4/17");

    EXPECT_EQ(DaysWith(2024, Byte::Season, season::kSetsubun), (Days{"2/3"}));
    EXPECT_EQ(DaysWith(2024, Byte::Season, season::kHigan, 3, 3).front(), "3/17");
    EXPECT_EQ(DaysWith(2024, Byte::Season, season::kHachijuhachiya), (Days{"5/1"}));
    EXPECT_EQ(DaysWith(2024, Byte::Season, season::kNyubai), (Days{"6/10"}));
    // 春分 2024-03-20 12:06 JST, a 癸 day after noon: the later 戊 day.
    EXPECT_EQ(DaysWith(2024, Byte::Season, season::kShanichi, 3, 3), (Days{"3/25"}));
}

TEST(PublishedDays, Setsubun2021FellOnTheSecond) {
    // 立春 2021 was at 23:58:48 JST on 3 February, so 節分 was 2 February for the first time since 1897.
    EXPECT_EQ(DaysWith(2021, Byte::Season, almanac::season::kSetsubun), (Days{"2/2"}));
    EXPECT_EQ(FullCalendar().Find(2021, 2, 3)->SolarTerm, 1);
    EXPECT_EQ(FullCalendar().Find(2021, 2, 2)->SolarTerm, 24);
    EXPECT_EQ(FullCalendar().Find(2021, 2, 2)->YearCycle, 37); // still 庚子 (2020)
    EXPECT_EQ(FullCalendar().Find(2021, 2, 3)->YearCycle, 38); // 辛丑
}

} // namespace
} // namespace host
