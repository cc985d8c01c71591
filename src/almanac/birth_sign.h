// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sexagenary sign (1 … 60) of a birth year, which the almanac counts from 立春, not from
// the 1st of January: someone born on 1990-01-15 belongs to 1989's 己巳 (6).

#include "almanac/day_file.h"

#include <optional>
#include <string>

namespace base {
class Reporter;
}

namespace almanac {

// Whether a value is a birth sign, 1 … 60. Kalvorin.CFG's ETO is 0 when the host registered
// none, and a value that is not a whole number (empty, "abc", too large) reads as 0 as well.
// The fortune is told only for a sign: for any other value it would be made up.
constexpr bool IsBirthSign(int eto) { return eto >= 1 && eto <= 60; }

// IsBirthSign, with a note through the reporter when it is not: that no fortune is shown
// and how to give a sign for the run.
bool HasBirthSign(int eto, base::Reporter& reporter);

// The sign of a year counted from its 立春: 1984 → 1 (甲子), 1990 → 7 (庚午).
int YearSignOf(int year);

// The sign of someone born on the date: the YearCycle of that day's record, which the host
// writes with the 立春 boundary. Nothing, after a message through the reporter, when the
// date is outside 1901 … 2100 or the day file cannot give the day.
std::optional<int> BirthSignOn(const DayFile& file, int year, int month, int day, base::Reporter& reporter);

// "1990 is a year: its sign is 7 (庚午), or give --born": the answer to a year given where
// a sign is asked for.
std::string YearGivenForSignHint(int year);

} // namespace almanac
