// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Date arithmetic of the day file and the pages.
//
// The day file counts every year divisible by 4 as a leap year (2100 included: the host's
// file has a record in the slot of 2100-02-29 and every later offset relies on it), so the
// file offsets use that rule. What the user sees — month lengths and weekdays — follows the
// Gregorian calendar, so that no 29 February 2100 is printed and March–December 2100 keep
// their true weekdays.

#include <array>
#include <cstdint>

namespace almanac {

constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2100;
constexpr int kYearCount = kLastYear - kFirstYear + 1;

// The leap-year rule of the day file's offsets.
constexpr bool IsFileLeapYear(int year) { return year % 4 == 0; }
// The Gregorian rule.
constexpr bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days of a month as the day file counts them (February 2100 has 29).
int FileDaysInMonth(int year, int month);
// Days of a month in the Gregorian calendar (what pages and the print run use).
int DaysInMonth(int year, int month);

// Number of days from date A to date B (yyyymmdd), stepping day by day under the file's
// leap-year rule; 0 when A ≥ B. Dates outside 1 … 9999 give 0.
std::int32_t DaysBetween(std::int32_t a, std::int32_t b);

// Day offsets of 1 January of 1901 … 2100 from 1901-01-01: entry k (k = 1 … 200) is the
// offset of 1 January of year 1900 + k; entry 0 is unused.
class YearOffsets {
public:
    YearOffsets();
    std::int32_t operator[](int k) const { return offsets_[static_cast<std::size_t>(k)]; }
    // Record number of a date in the day file, or −1 outside 1901 … 2100 or for a month
    // outside 1 … 12 or a day outside 1 … 31.
    std::int32_t RecordIndex(int year, int month, int day) const;

private:
    std::array<std::int32_t, kYearCount + 1> offsets_{};
};

// The table of the day file, built once.
const YearOffsets& FileYearOffsets();

// Weekday of a Gregorian date, 0 = Sunday … 6 = Saturday.
int Weekday(int year, int month, int day);

} // namespace almanac
