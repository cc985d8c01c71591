// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Japan's national holidays (国民の祝日 with 振替休日 and 国民の休日), which the host writes into
// the configuration file as user holidays: the dates of almanac/national_holidays.h, the
// table the command lines name them from. The law took effect on 1948-07-20.

#include <vector>

#include "almanac/national_holidays.h"
#include "config/holidays.h"
#include "host/civil_date.h"

namespace host {

// The first year with national holidays.
constexpr int kFirstHolidayYear = config::kFirstNationalHolidayYear;

using almanac::EquinoxDays;

// Every holiday of the year in date order; none before 1948-07-20.
std::vector<CivilDate> NationalHolidayDates(int year, const EquinoxDays& equinoxes);

} // namespace host
