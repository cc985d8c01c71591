// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plain notes of a day that are look-ups of its record: 干支, the seasonal days, the
// beginning of a solar term, the lunar date.

#include "almanac/day_record.h"

#include <array>
#include <string>
#include <string_view>

namespace almanac {

// 干支 of a sexagenary number: stem name and branch name (1 → "甲子"). Empty outside 1 … 60.
std::string CycleName(int cycle);

struct SeasonDay {
    std::uint8_t bit; // bit of SeasonFlags
    std::string_view name;
};
// The seasonal days (雑節) in the order the pages print them.
extern const std::array<SeasonDay, 7> SeasonDays;

// Names of the day's seasonal days in page order, joined by separator.
std::string SeasonDayText(std::uint8_t season_flags, std::string_view separator);

// Whether a new solar term begins on the day: its SolarTerm differs from the day before's.
// A day before without a date (the empty slot before 1901-01-01) begins nothing.
bool SolarTermBegins(const DayRecord& day, const DayRecord& day_before);

} // namespace almanac
