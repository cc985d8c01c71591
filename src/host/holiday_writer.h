// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes the national holidays of a span of years into the year sections of Kalvorin.CFG.

#include <string>

#include "config/config_file.h"
#include "host/national_holidays.h"

namespace host {

// The equinox days of a year from the computed equinoxes (λ = 0° and 180°).
EquinoxDays ComputeEquinoxDays(int year);

// For each year from … to, the national holidays are marked among the year's user holidays
// (days the user marked stay marked), every year in one replacement of the file made under
// one take of its lock from the file as it then is; a year without national holidays
// (before 1948-07-20) is left alone. Returns an empty text on success, else what went wrong
// (nothing is then written). *changed, when given, tells whether the file's holidays
// changed: not when every national holiday was marked already.
std::string WriteNationalHolidays(config::ConfigFile& file, int from, int to, bool* changed = nullptr);

} // namespace host
