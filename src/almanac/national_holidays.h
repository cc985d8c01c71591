// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Japan's national holidays (国民の祝日 with 振替休日 and 国民の休日) with the names the law
// gives them: one table, which the host reads to mark them in Kalvorin.CFG and the command
// lines read to name the days marked there. The law took effect on 1948-07-20.

#include "almanac/day_file.h"
#include "base/reporter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanac {

// The equinox days of a year as JST day of month (March and September), which the law fixes
// each year from the astronomical equinox.
struct EquinoxDays {
    int vernal_day = 0;   // day of March
    int autumnal_day = 0; // day of September
};

struct NationalHoliday {
    int month = 0;
    int day = 0;
    std::string_view name; // "元日", "振替休日", "国民の休日" …
};

// Every holiday of the year in date order; none before 1948-07-20.
std::vector<NationalHoliday> NationalHolidays(int year, const EquinoxDays& equinoxes);

// The equinox days of a year from the day file (the days 春分 and 秋分 begin); nothing when
// the day file cannot give them (told through the reporter).
std::optional<EquinoxDays> EquinoxDaysIn(const DayFile& file, int year, base::Reporter& reporter);

// What a day marked as a holiday is called: its name among `national`, else "休日" (a day
// the user marked).
std::string_view HolidayName(const std::vector<NationalHoliday>& national, int month, int day);

} // namespace almanac
