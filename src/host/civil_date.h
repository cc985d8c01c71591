// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gregorian civil dates as Julian Day Numbers, and instants (Julian Dates in UT) as dates in
// Japan Standard Time. A JDN names a whole civil day; a JD is an instant, noon-based.

#include <string>

namespace host {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};

// Julian Day Number of a proleptic Gregorian date (2000-01-01 is 2451545).
int JdnFromCivil(const CivilDate& date);
CivilDate CivilFromJdn(int jdn);

// yyyymmdd, as the day file stores dates.
int DateNumber(const CivilDate& date);

// 0 = Sunday … 6 = Saturday: the real Gregorian weekday.
int WeekdayOfJdn(int jdn);

bool IsGregorianLeapYear(int year);
int DaysInMonth(int year, int month);

// Japan Standard Time is UT + 9 h; the civil day is the JST day that contains the instant.
constexpr double kJstOffsetDays = 9.0 / 24.0;
int JstJdnOf(double jd_ut);

// "2021-02-02 23:58:48" (JST, rounded to the second).
std::string FormatJst(double jd_ut);
std::string FormatDate(const CivilDate& date);

} // namespace host
