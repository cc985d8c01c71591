// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/named_days.h"

#include "almanac/day_rules.h"
#include "almanac/name_tables.h"

namespace almanac {
namespace {

using K = NamedDayClass;

template <std::uint8_t Bit>
bool FlagA(const DayRecord& d, const DayKeys&) {
    return (d.DayFlagsA & Bit) != 0;
}
template <std::uint8_t Bit>
bool FlagB(const DayRecord& d, const DayKeys&) {
    return (d.DayFlagsB & Bit) != 0;
}

MonthlyCalamity Calamity(const DayKeys& k) {
    MonthlyCalamity c;
    CheckMonthlyCalamity(k.birth_branch, k.lunar_month, k.day_branch, c);
    return c;
}

} // namespace

DayKeys MakeDayKeys(const DayRecord& day, int birth_eto, int year_cycle) {
    DayKeys k;
    k.month = day.SolarMonth;
    k.lunar_month = day.LunarMonth;
    k.day_sign = day.DayCycle;
    k.day_stem = StemOf(day.DayCycle);
    k.day_branch = BranchOf(day.DayCycle);
    k.year_branch = BranchOf(year_cycle);
    k.birth_branch = BranchOf(birth_eto);
    k.mansion = day.Mansion;
    return k;
}

base::Color ClassColor(NamedDayClass c) {
    switch (c) {
    case NamedDayClass::Good:
        return base::kRed;
    case NamedDayClass::Bad:
        return base::kBlue;
    case NamedDayClass::Neutral:
        break;
    }
    return base::kBlack;
}

const std::array<NamedDay, kNamedDayCount> NamedDays = {{
    {"十方暮", K::Bad, {-1, 0, 1}, false, FlagA<flag_a::kJippoGure>},
    {"八専", K::Bad, {-1, 0, 1}, false, FlagA<flag_a::kHassen>},
    {"大犯土", K::Bad, {-1, 0, 1}, false, FlagB<flag_b::kDaiTsuchi>},
    {"小犯土", K::Bad, {-1, 0, 1}, false, FlagB<flag_b::kShoTsuchi>},
    {"天恩日", K::Good, {2, 2, 0}, false, FlagB<flag_b::kTenon>},
    {"三隣亡", K::Bad, {-2, 0, 2}, false, FlagA<flag_a::kSanrinbou>},
    {"一粒万倍日", K::Good, {2, 2, 0}, false, FlagA<flag_a::kIchiryuManbai>},
    {"天赦日", K::Good, {2, 2, 0}, false, FlagA<flag_a::kTensha>},
    {"母倉", K::Good, {1, 1, 0}, false, FlagA<flag_a::kBosou>},
    {"不成就日", K::Bad, {-3, 0, 3}, false, FlagA<flag_a::kFujoju>},
    {"天一天上", K::Good, {1, 1, 0}, false, FlagB<flag_b::kTenichi>},
    {"受死日(黒日)", K::Bad, {-10, 0, 10}, true,
     [](const DayRecord&, const DayKeys& k) { return IsJushi(k.month, k.day_branch); }},
    {"十死日", K::Bad, {-8, 0, 8}, true,
     [](const DayRecord&, const DayKeys& k) { return IsJisshi(k.month, k.day_branch); }},
    {"五墓日", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsGobo(k.birth_branch, k.day_sign); }},
    {"帰忌日", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsKiko(k.month, k.day_branch); }},
    {"血忌日", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsChiimi(k.month, k.day_branch); }},
    {"重日", K::Neutral, {0, 1, 1}, true, [](const DayRecord&, const DayKeys& k) { return IsJunichi(k.day_branch); }},
    {"復日", K::Neutral, {0, 1, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsFukunichi(k.month, k.day_stem); }},
    {"天火日", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsTenka(k.month, k.day_branch); }},
    {"地火日", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsChika(k.month, k.day_branch); }},
    {"大禍日", K::Bad, {-6, 0, 6}, true, [](const DayRecord&, const DayKeys& k) { return Calamity(k).taika; }},
    {"浪藉日", K::Bad, {-6, 0, 6}, true, [](const DayRecord&, const DayKeys& k) { return Calamity(k).rouseki; }},
    {"滅門日", K::Bad, {-6, 0, 6}, true, [](const DayRecord&, const DayKeys& k) { return Calamity(k).metsumon; }},
    {"時下食", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return JigejikiHour(k.lunar_month, k.day_branch) != -1; }},
    {"歳下食", K::Bad, {-1, 0, 1}, true,
     [](const DayRecord&, const DayKeys& k) { return IsSaigejiki(k.year_branch, k.day_sign); }},
    {"凶会日", K::Bad, {-2, 0, 2}, true,
     [](const DayRecord&, const DayKeys& k) { return IsKunie(k.month, k.day_sign); }},
    {"神吉日", K::Good, {2, 2, 0}, true, [](const DayRecord&, const DayKeys& k) { return IsKamiyoshi(k.day_sign); }},
    {"大明日", K::Good, {4, 4, 0}, true, [](const DayRecord&, const DayKeys& k) { return IsDaimyo(k.day_sign); }},
    {"鬼宿日", K::Good, {4, 4, 0}, true, [](const DayRecord&, const DayKeys& k) { return IsKishuku(k.mansion); }},
    {"月徳日", K::Good, {1, 1, 0}, true,
     [](const DayRecord&, const DayKeys& k) { return IsGettoku(k.month, k.day_stem); }},
}};

std::string NamedDayText(int row, const DayKeys& keys) {
    if (row < 0 || row >= kNamedDayCount) return {};
    std::string text(NamedDays[static_cast<std::size_t>(row)].text);
    if (row == kJigejikiRow) {
        int h = JigejikiHour(keys.lunar_month, keys.day_branch);
        if (h >= 1) {
            text += " ";
            text += TableText(BranchNames, h - 1);
            text += "刻 ";
            text += TableText(ClockNames, h - 1);
        }
    }
    return text;
}

std::vector<int> NamedDaysOf(const DayRecord& day, const DayKeys& keys) {
    std::vector<int> rows;
    for (int i = 0; i < kNamedDayCount; ++i)
        if (NamedDays[static_cast<std::size_t>(i)].applies(day, keys)) rows.push_back(i);
    return rows;
}

} // namespace almanac
