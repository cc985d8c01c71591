// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/named_days.h"

#include "almanac/commentary_names.h"
#include "almanac/day_notes.h"
#include "almanac/name_tables.h"
#include "base/sjis.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

TEST(NamedDays, CanonicalOrderAndClasses) {
    const char* names[kNamedDayCount] = {
        "十方暮", "八専",   "大犯土", "小犯土", "天恩日", "三隣亡", "一粒万倍日", "天赦日", "母倉",   "不成就日",
        "天一天上", "受死日(黒日)", "十死日", "五墓日", "帰忌日", "血忌日", "重日", "復日", "天火日", "地火日",
        "大禍日", "浪藉日", "滅門日", "時下食", "歳下食", "凶会日", "神吉日", "大明日", "鬼宿日", "月徳日",
    };
    const char* good[] = {"天恩日", "一粒万倍日", "天赦日", "母倉", "天一天上", "神吉日", "大明日", "鬼宿日", "月徳日"};
    for (int i = 0; i < kNamedDayCount; ++i) {
        const NamedDay& n = NamedDays[static_cast<std::size_t>(i)];
        EXPECT_EQ(names[i], n.text);
        EXPECT_EQ(i >= 11, n.from_rule) << n.text;
        bool is_good = std::find(std::begin(good), std::end(good), n.text) != std::end(good);
        bool neutral = n.text == "重日" || n.text == "復日";
        EXPECT_EQ(is_good ? NamedDayClass::Good : neutral ? NamedDayClass::Neutral : NamedDayClass::Bad, n.kind)
            << n.text;
        // Every row but 建-like exceptions keeps net = good − bad (the exception is an officer).
        EXPECT_EQ(n.points.net, n.points.good - n.points.bad) << n.text;
    }
    EXPECT_EQ("時下食", NamedDays[kJigejikiRow].text);
    EXPECT_EQ(base::kRed, ClassColor(NamedDayClass::Good));
    EXPECT_EQ(base::kBlue, ClassColor(NamedDayClass::Bad));
    EXPECT_EQ(base::kBlack, ClassColor(NamedDayClass::Neutral));
}

TEST(NamedDays, FlagRowsReadTheirBits) {
    DayRecord d;
    d.DayCycle = 15; // 戊寅, no rule in month 1 / lunar month 1 for birth branch 1
    d.SolarMonth = 1;
    d.LunarMonth = 1;
    const DayKeys keys = MakeDayKeys(d, 1, 1);
    d.DayFlagsA = flag_a::kHassen | flag_a::kLeapMonth;
    d.DayFlagsB = flag_b::kTenichi | flag_b::kDaiTsuchi | 0x0F; // bits 0–3 carry nothing
    EXPECT_EQ((std::vector<int>{1, 2, 10}), NamedDaysOf(d, keys));
}

TEST(NamedDays, JigejikiTextNamesTheHour) {
    DayRecord d;
    d.LunarMonth = 6;
    d.DayCycle = 1; // 甲子: branch 1, hour 5
    DayKeys keys = MakeDayKeys(d, 0, 1);
    EXPECT_EQ("時下食 辰刻 朝八時", NamedDayText(kJigejikiRow, keys));
    d.LunarMonth = 12;
    d.DayCycle = 4; // 丁卯: hour 11
    keys = MakeDayKeys(d, 0, 1);
    EXPECT_EQ("時下食 戌刻 夜八時", NamedDayText(kJigejikiRow, keys));
    d.LunarMonth = 4;
    d.DayCycle = 3; // 丙寅: hour 3
    keys = MakeDayKeys(d, 0, 1);
    EXPECT_EQ("時下食 寅刻 夜四時", NamedDayText(kJigejikiRow, keys));
    EXPECT_EQ("五墓日", NamedDayText(13, keys));
    EXPECT_EQ("", NamedDayText(30, keys));
}

TEST(NamedDays, YearBranchComesFromTheCycleGiven) {
    DayRecord d;
    d.SolarMonth = 1;
    d.LunarMonth = 1;
    d.DayCycle = 14; // 丁丑: 歳下食 in a 子 year
    d.YearCycle = 2;
    EXPECT_FALSE(MakeDayKeys(d, 1, d.YearCycle).year_branch == 1);
    auto rows = NamedDaysOf(d, MakeDayKeys(d, 1, 1));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), 24));
}

TEST(DayNotes, CycleNamesAndSeasonDays) {
    EXPECT_EQ("甲子", CycleName(1));
    EXPECT_EQ("癸亥", CycleName(60));
    EXPECT_EQ("丙午", CycleName(43));
    EXPECT_EQ("", CycleName(0));
    EXPECT_EQ("土用・節分・彼岸・社日・八十八夜・入梅・初午", SeasonDayText(0xFE, "・"));
    EXPECT_EQ("", SeasonDayText(0x01, "・")); // bit 0 carries nothing
    EXPECT_EQ("彼岸・社日", SeasonDayText(season::kShanichi | season::kHigan, "・"));
}

TEST(DayNotes, SolarTermBeginsWhenTheTermChanges) {
    DayRecord before, day;
    before.Date = 20260203;
    before.SolarTerm = 24;
    day.Date = 20260204;
    day.SolarTerm = 1;
    EXPECT_TRUE(SolarTermBegins(day, before));
    before.SolarTerm = 1;
    EXPECT_FALSE(SolarTermBegins(day, before));
    EXPECT_FALSE(SolarTermBegins(day, DayRecord{})); // the empty slot before 1901-01-01
}

TEST(NameTables, MansionAndOfficerNamesComeFromTheirCommentary) {
    EXPECT_EQ("角", MansionName(1));
    EXPECT_EQ("氏", MansionName(3));
    EXPECT_EQ("軫", MansionName(28));
    EXPECT_EQ("開", OfficerName(1));
    EXPECT_EQ("納", OfficerName(12));
    EXPECT_EQ("", MansionName(0));
    EXPECT_EQ("", OfficerName(13));
}

TEST(NameTables, TextsAndWidths) {
    EXPECT_EQ(7u, WeekdayNames.size());
    EXPECT_EQ("Sun", WeekdayNamesLatin[0]);
    EXPECT_EQ("TUE", WeekdayNamesLatin[2]);
    EXPECT_EQ("師走", MonthOldNames[11]);
    EXPECT_EQ("かみなづき", MonthOldNameReadings[9]);
    EXPECT_EQ("十一月", LunarMonthNames[10]);
    EXPECT_EQ("立春", SolarTermNames[0]);
    EXPECT_EQ("大寒", SolarTermNames[23]);
    EXPECT_EQ("亥", BranchNames[11]);
    EXPECT_EQ("癸", StemNames[9]);
    EXPECT_EQ("仏滅", RokuyoNames[3]);
    EXPECT_EQ("朝六時", ClockNames[3]);
    EXPECT_EQ("夜十時", ClockNames[11]);
    for (std::size_t i = 0; i < SolarTermSeasons.size(); ++i) {
        EXPECT_EQ(i >= 20 ? 14u : 12u, base::Cp932Length(SolarTermSeasons[i])) << i;
        EXPECT_EQ(i % 2 == 0 ? "節　" : "中　", SolarTermSeasons[i].substr(SolarTermSeasons[i].size() - 6));
    }
    EXPECT_EQ("", TableText(RokuyoNames, 6));
    EXPECT_EQ("", TableText(RokuyoNames, -1));
}

} // namespace
} // namespace almanac
