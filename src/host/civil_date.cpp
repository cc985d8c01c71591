// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/civil_date.h"

#include <cmath>
#include <cstdio>

namespace host {

int JdnFromCivil(const CivilDate& date) {
    // The Fliegel–Van Flandern formula, valid for every Gregorian date after −4800.
    const int a = (14 - date.month) / 12;
    const int y = date.year + 4800 - a;
    const int m = date.month + 12 * a - 3;
    return date.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

CivilDate CivilFromJdn(int jdn) {
    const int a = jdn + 32044;
    const int b = (4 * a + 3) / 146097;
    const int c = a - 146097 * b / 4;
    const int d = (4 * c + 3) / 1461;
    const int e = c - 1461 * d / 4;
    const int m = (5 * e + 2) / 153;
    return {100 * b + d - 4800 + m / 10, m + 3 - 12 * (m / 10), e - (153 * m + 2) / 5 + 1};
}

int DateNumber(const CivilDate& date) {
    return date.year * 10000 + date.month * 100 + date.day;
}

int WeekdayOfJdn(int jdn) {
    return (jdn + 1) % 7;
}

bool IsGregorianLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsGregorianLeapYear(year)) return 29;
    return kLengths[month - 1];
}

int JstJdnOf(double jd_ut) {
    return static_cast<int>(std::floor(jd_ut + 0.5 + kJstOffsetDays));
}

std::string FormatJst(double jd_ut) {
    const double jst = jd_ut + 0.5 + kJstOffsetDays;
    long long seconds = std::llround(jst * 86400.0);
    const int jdn = static_cast<int>(seconds / 86400);
    const int of_day = static_cast<int>(seconds % 86400);
    const CivilDate date = CivilFromJdn(jdn);
    char text[80]; // room for any six ints, so that no field can be cut
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day, of_day / 3600,
                  of_day / 60 % 60, of_day % 60);
    return text;
}

std::string FormatDate(const CivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace host
