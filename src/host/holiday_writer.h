// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes the national holidays of a span of years into the year sections of Kalvorin.CFG.

#include <string>

#include "config/config_file.h"
#include "host/national_holidays.h"

namespace host {

// The equinox days of a year from the computed equinoxes (λ = 0° and 180°).
EquinoxDays ComputeEquinoxDays(int year);

// For each year from … to: the year's user holidays are read, the national holidays are added
// to them (days the user marked stay marked) and the years are written back in one
// replacement of the file; a year without national holidays (before 1948-07-20) is left
// alone. Returns an empty text on success, else what went wrong (nothing is then written).
std::string WriteNationalHolidays(config::ConfigFile& file, int from, int to);

} // namespace host
