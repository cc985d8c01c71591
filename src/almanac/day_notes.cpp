// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_notes.h"

#include "almanac/day_rules.h"
#include "almanac/name_tables.h"

namespace almanac {

const std::array<SeasonDay, 7> SeasonDays = {{
    {season::kDoyou, "土用"},
    {season::kSetsubun, "節分"},
    {season::kHigan, "彼岸"},
    {season::kShanichi, "社日"},
    {season::kHachijuhachiya, "八十八夜"},
    {season::kNyubai, "入梅"},
    {season::kHatsuuma, "初午"},
}};

std::string CycleName(int cycle) {
    if (cycle < 1 || cycle > 60) return {};
    std::string s(TableText(StemNames, StemOf(cycle) - 1));
    s += TableText(BranchNames, BranchOf(cycle) - 1);
    return s;
}

std::string SeasonDayText(std::uint8_t season_flags, std::string_view separator) {
    std::string s;
    for (const SeasonDay& d : SeasonDays) {
        if ((season_flags & d.bit) == 0) continue;
        if (!s.empty()) s += separator;
        s += d.name;
    }
    return s;
}

bool SolarTermBegins(const DayRecord& day, const DayRecord& day_before) {
    return day_before.Date != 0 && day.SolarTerm != day_before.SolarTerm;
}

} // namespace almanac
