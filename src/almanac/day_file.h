// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UNSEI.DAT, the host's file of one 15-byte record per day from 1901-01-01 to 2100-12-31,
// and the month loader that fills MonthDays from it.

#include "almanac/calendar_math.h"
#include "almanac/day_record.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace base {
class Reporter;
}

namespace almanac {

constexpr const char* kDayFileName = "UNSEI.DAT";

// Slot 0: the day before the 1st; slots 1 … 31: the days of the month. Slots past the
// month's last day keep what they held.
using MonthDays = std::array<DayRecord, 32>;

class DayFile {
public:
    explicit DayFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // Fills slot 0 and slots 1 … day_count with the records of the month (day_count is the
    // month's length as the caller prints it; more than 31 is cut to 31). A year outside
    // 1901 … 2100 or a month outside 1 … 12 returns false with no message and leaves the
    // buffer untouched. A file that cannot be opened, sought or read shows "Error" through
    // the reporter (the caption names the file and the reason) and returns false; the
    // buffer may then be partly filled. So does a path that is not a regular file (a named
    // pipe is refused, not waited on), and a record that does not hold the date of its
    // place in the file (a damaged or foreign file: the days from there on are emptied).
    // A file that ends before the month's last day (a copy cut short) is reported the same
    // way ("file too short", naming no date) and the days it lacks are emptied. The next
    // month's first record after the last day of a shorter month ends the month without an
    // error.
    bool LoadMonth(MonthDays& days, int year, int month, int day_count, base::Reporter& reporter) const;

    // Whether the file is there, a regular file and long enough for every day 1901 … 2100;
    // otherwise it is reported as LoadMonth reports it (the same texts) and false returned.
    // For a program that starts once and prints many months later.
    bool CheckWhole(base::Reporter& reporter) const;

private:
    std::filesystem::path path_;
};

} // namespace almanac
