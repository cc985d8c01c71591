// SPDX-License-Identifier: GPL-3.0-or-later
// The day signs and named days on days that almanac sites publish (testdata/published-days.csv).

#include <gtest/gtest.h>

#include <string>

#include "almanac/day_record.h"
#include "almanac/name_tables.h"
#include "host/civil_date.h"
#include "host/day_signs.h"
#include "host/named_days.h"
#include "host/test_calendar.h"

namespace host {
namespace {

using testing::DayOf;

constexpr const char* kMansions[28] = {"角", "亢", "氐", "房", "心", "尾", "箕", "斗", "牛", "女",
                                       "虚", "危", "室", "壁", "奎", "婁", "胃", "昴", "畢", "觜",
                                       "参", "井", "鬼", "柳", "星", "張", "翼", "軫"};
constexpr const char* kOfficers[12] = {"開", "閉", "建", "除", "満", "平", "定", "執", "破", "危", "成", "納"};

std::string Rokuyo(const almanac::DayRecord& d) {
    return std::string(almanac::RokuyoNames[d.Rokuyo - 1]);
}
std::string Sign(const almanac::DayRecord& d) {
    return std::string(almanac::StemNames[StemOfCycle(d.DayCycle) - 1]) +
           std::string(almanac::BranchNames[BranchOfCycle(d.DayCycle) - 1]);
}

TEST(DaySigns, CyclesFromTheirEpochs) {
    EXPECT_EQ(DayCycleOfJdn(2451545), 55); // 2000-01-01 戊午
    EXPECT_EQ(MansionOfJdn(2451545), 17);  // 胃
    EXPECT_EQ(YearCycleOfYear(2026), 43);  // 丙午
    EXPECT_EQ(YearCycleOfYear(1984), 1);   // 甲子
    // 角 always falls on a Thursday.
    for (int jdn = 2451545; jdn < 2451545 + 400; ++jdn) {
        if (MansionOfJdn(jdn) == 1) {
            EXPECT_EQ(WeekdayOfJdn(jdn), 4) << jdn;
        }
    }
    EXPECT_EQ(WeekdayOfJdn(JdnFromCivil({1901, 1, 1})), 2);
    EXPECT_EQ(WeekdayOfJdn(JdnFromCivil({2026, 12, 6})), 0);
}

TEST(DaySigns, RokuyoFromLunarDate) {
    EXPECT_EQ(RokuyoOf(1, 1), 1);  // 先勝 on every New Year
    EXPECT_EQ(RokuyoOf(2, 1), 2);  // 友引
    EXPECT_EQ(RokuyoOf(5, 1), 5);  // 大安
    EXPECT_EQ(RokuyoOf(6, 1), 6);  // 赤口
    EXPECT_EQ(RokuyoOf(12, 1), 6); // 赤口
    EXPECT_EQ(RokuyoOf(9, 3), 5);  // 大安
}

TEST(DaySigns, OfficerRepeatsOnTheSetsuDay) {
    // In month 1 (寅) 建 is the 寅 day; on the first day of the next month the officer of the day
    // before repeats, because the day's branch moves by one and so does the month's.
    EXPECT_EQ(kOfficers[OfficerOf(1, 3) - 1], std::string("建")); // 丙寅 in month 1
    EXPECT_EQ(OfficerOf(1, 3), OfficerOf(2, 4));
    EXPECT_EQ(kOfficers[OfficerOf(11, 1) - 1], std::string("建")); // 子 day in month 11
}

struct PublishedDay {
    CivilDate date;
    const char* rokuyo;
    const char* officer;
    const char* mansion;
    std::uint8_t flags_a; // the named days the sites list (bits of almanac::flag_a)
    std::uint8_t flags_b;
};

TEST(DaySigns, PublishedDays) {
    using namespace almanac;
    const PublishedDay days[] = {
        {{2030, 9, 30}, "赤口", "危", "畢", flag_a::kBosou, flag_b::kTenon},
        {{2044, 1, 22}, "仏滅", "執", "牛", flag_a::kSanrinbou | flag_a::kBosou, flag_b::kDaiTsuchi},
        {{2058, 10, 11},
         "先勝",
         "成",
         "牛",
         flag_a::kIchiryuManbai | flag_a::kSanrinbou | flag_a::kBosou,
         flag_b::kTenichi},
        {{2067, 12, 29}, "仏滅", "建", "奎", flag_a::kIchiryuManbai | flag_a::kHassen, flag_b::kTenon},
    };
    for (const PublishedDay& p : days) {
        SCOPED_TRACE(FormatDate(p.date));
        const DayRecord d = DayOf(p.date.year, p.date.month, p.date.day);
        EXPECT_EQ(Rokuyo(d), p.rokuyo);
        EXPECT_EQ(kOfficers[d.Officer - 1], std::string(p.officer));
        EXPECT_EQ(kMansions[d.Mansion - 1], std::string(p.mansion));
        EXPECT_EQ(d.DayFlagsA & p.flags_a, p.flags_a);
        EXPECT_EQ(d.DayFlagsB & p.flags_b, p.flags_b);
    }
    // 2010-03-17: 旧暦2月2日 先負, 丙寅, 閉, 参.
    const DayRecord d = DayOf(2010, 3, 17);
    EXPECT_EQ(d.LunarMonth, 2);
    EXPECT_EQ(d.LunarDay, 2);
    EXPECT_FALSE(d.LeapMonth);
    EXPECT_EQ(Rokuyo(d), "先負");
    EXPECT_EQ(Sign(d), "丙寅");
    EXPECT_EQ(kOfficers[d.Officer - 1], std::string("閉"));
    EXPECT_EQ(kMansions[d.Mansion - 1], std::string("参"));
}

TEST(NamedDays, RowsOfTheTables) {
    using namespace almanac;
    // 八専 has eight days: 壬子 … 癸亥 without the four 間日.
    int hassen = 0;
    for (int cycle = 1; cycle <= 60; ++cycle)
        hassen += (NamedDaysOf({cycle, 1, 1, 1}).a & flag_a::kHassen) ? 1 : 0;
    EXPECT_EQ(hassen, 8);
    EXPECT_FALSE(NamedDaysOf({50, 1, 1, 1}).a & flag_a::kHassen); // 癸丑 間日
    EXPECT_TRUE(NamedDaysOf({49, 1, 1, 1}).a & flag_a::kHassen);
    // 小犯土 skips 丁丑 (14), the 間日 between the two 犯土.
    EXPECT_FALSE(NamedDaysOf({14, 1, 1, 1}).b & (flag_b::kShoTsuchi | flag_b::kDaiTsuchi));
    EXPECT_TRUE(NamedDaysOf({13, 1, 1, 1}).b & flag_b::kDaiTsuchi);
    EXPECT_TRUE(NamedDaysOf({15, 1, 1, 1}).b & flag_b::kShoTsuchi);
    // 不成就日 by the lunar date; a leap month counts as its number.
    EXPECT_TRUE(NamedDaysOf({1, 1, 7, 27}).a & flag_a::kFujoju);
    EXPECT_TRUE(NamedDaysOf({1, 1, 12, 30}).a & flag_a::kFujoju);
    EXPECT_FALSE(NamedDaysOf({1, 1, 12, 29}).a & flag_a::kFujoju);
    // 天赦日 by season: 戊寅 in spring only.
    EXPECT_TRUE(NamedDaysOf({15, 3, 1, 1}).a & flag_a::kTensha);
    EXPECT_FALSE(NamedDaysOf({15, 4, 1, 1}).a & flag_a::kTensha);
    EXPECT_TRUE(NamedDaysOf({1, 12, 1, 1}).a & flag_a::kTensha);
}

} // namespace
} // namespace host
