// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Japan's national holidays (国民の祝日 with 振替休日 and 国民の休日), which the host writes into
// the configuration file as user holidays. The law took effect on 1948-07-20.

#include <vector>

#include "config/holidays.h"
#include "host/civil_date.h"

namespace host {

// The first year with national holidays.
constexpr int kFirstHolidayYear = config::kFirstNationalHolidayYear;

// The equinox days of a year as JST day of month (March and September), which the law fixes
// each year from the astronomical equinox; ours come from the computed equinoxes.
struct EquinoxDays {
    int vernal_day = 0;   // day of March
    int autumnal_day = 0; // day of September
};

// Every holiday of the year in date order; none before 1948-07-20.
std::vector<CivilDate> NationalHolidays(int year, const EquinoxDays& equinoxes);

} // namespace host
