// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 1901 … 2100 calendar that the tests share: computed once per test binary (its events
// kept in a file beside the binary for its other processes).

#include <filesystem>
#include <string>

#include "host/day_calendar.h"

namespace host::testing {

const DayCalendar& FullCalendar();

// A file of src/host/testdata.
std::filesystem::path TestDataPath(const std::string& name);
std::string ReadTestData(const std::string& name);

// The day of a date of the full calendar; fails the test (and returns a zero day) when absent.
almanac::DayRecord DayOf(int year, int month, int day);

} // namespace host::testing
