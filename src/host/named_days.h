// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The named days (選日) that the day file stores as bits of DayFlagsA and DayFlagsB.

#include <cstdint>

namespace host {

struct NamedDayKeys {
    int day_cycle = 0;   // 1 … 60
    int solar_month = 0; // 1 … 12
    int lunar_month = 0; // 1 … 12 (a leap month counts as its number)
    int lunar_day = 0;   // 1 … 30
};

struct NamedDayFlags {
    std::uint8_t a = 0; // almanac::flag_a bits, without the leap-month bit
    std::uint8_t b = 0; // almanac::flag_b bits
};

NamedDayFlags NamedDaysOf(const NamedDayKeys& keys);

} // namespace host
