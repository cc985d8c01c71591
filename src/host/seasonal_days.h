// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seasonal days (雑節) that the day file stores as bits of SeasonFlags, marked for every day
// of a span from the dated solar events.

#include <cstdint>
#include <vector>

#include "host/almanac_events.h"

namespace host {

// Flags for the days first_jdn … last_jdn (index jdn − first_jdn), almanac::season bits.
std::vector<std::uint8_t> SeasonalDayFlags(const AlmanacEvents& events, int first_jdn, int last_jdn);

// 社日 near an equinox: the 戊 day nearest the equinox date; when the equinox day is a 癸 day
// (two 戊 days five days away on each side), the earlier one if the equinox instant is before
// noon JST, else the later one.
int ShanichiJdn(int equinox_jdn, double equinox_jd_ut);

} // namespace host
