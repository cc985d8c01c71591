// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/calendar_math.h"

#include <chrono>

namespace almanac {
namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool ValidMonth(int month) { return month >= 1 && month <= 12; }

} // namespace

int FileDaysInMonth(int year, int month) {
    if (!ValidMonth(month)) return 0;
    if (month == 2 && IsFileLeapYear(year)) return 29;
    return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

int DaysInMonth(int year, int month) {
    if (!ValidMonth(month)) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

std::int32_t DaysBetween(std::int32_t a, std::int32_t b) {
    if (a >= b) return 0;
    if (a < 10101 || b > 99991231) return 0;
    int y = a / 10000, m = a / 100 % 100, d = a % 100;
    if (!ValidMonth(m)) return 0;
    std::int32_t count = 0;
    while (y * 10000 + m * 100 + d < b) {
        if (d >= FileDaysInMonth(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        } else {
            ++d;
        }
        ++count;
    }
    return count;
}

YearOffsets::YearOffsets() {
    offsets_[1] = 0;
    for (int k = 2; k <= kYearCount; ++k) {
        int prev = 1900 + k - 1;
        offsets_[static_cast<std::size_t>(k)] =
            offsets_[static_cast<std::size_t>(k - 1)] + DaysBetween(prev * 10000 + 101, (prev + 1) * 10000 + 101);
    }
}

std::int32_t YearOffsets::RecordIndex(int year, int month, int day) const {
    if (year < kFirstYear || year > kLastYear || !ValidMonth(month) || day < 1 || day > 31) return -1;
    return (*this)[year - 1900] + DaysBetween(year * 10000 + 101, year * 10000 + month * 100 + day);
}

const YearOffsets& FileYearOffsets() {
    static const YearOffsets offsets;
    return offsets;
}

int Weekday(int year, int month, int day) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<int>(std::chrono::weekday{sys_days{date}}.c_encoding());
}

} // namespace almanac
