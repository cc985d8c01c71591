// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UNSEI.DAT as the host writes it: one 15-byte record a day from 1901-01-01 to 2100-12-31.
// The module finds a day's record by counting every year divisible by 4 as a leap year, 2100
// included, so the file holds a slot for 2100-02-29: a copy of 2100-02-28 with the date
// 21000229. That makes 73,050 records.

#include <filesystem>
#include <string>

#include "host/day_calendar.h"

namespace host {

constexpr int kDayFileFirstYear = 1901;
constexpr int kDayFileLastYear = 2100;
constexpr int kDayFileRecords = 73050;

// The bytes of the whole file; the calendar must cover 1901 … 2100.
std::string DayFileBytes(const DayCalendar& calendar);

// Writes the file atomically (a sibling file, flushed, renamed over `path`). Returns an empty
// text on success, else what went wrong.
std::string WriteDayFile(const std::filesystem::path& path, const DayCalendar& calendar);

} // namespace host
