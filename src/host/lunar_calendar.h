// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lunar calendar (旧暦) by the rules in use since the 天保暦: a month begins on the JST date
// of a new moon and takes its number from the 中気 it holds, anchored on the months that hold
// 冬至 (11), 春分 (2), 夏至 (5) and 秋分 (8).

#include <stdexcept>
#include <vector>

namespace host {

struct LunarMonth {
    int start_jdn = 0;
    int number = 0; // 1 … 12
    bool leap = false;
    bool operator==(const LunarMonth&) const = default;
};

// A 中気 on its JST date, with the number of the month it names (雨水 → 1 … 大寒 → 12).
struct Chuki {
    int jdn = 0;
    int month_number = 0;
};

// The month number that the 中気 at solar longitude `longitude` (a multiple of 30°) names.
int MonthNumberOfChuki(int longitude);

class LunarCalendarError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Numbers the months that begin on the dates `new_moon_jdns` (ascending). Only the months from
// the first anchor month to the last one can be numbered; the others are left out. Throws
// LunarCalendarError when an interval between anchors cannot be resolved.
std::vector<LunarMonth> NumberLunarMonths(const std::vector<int>& new_moon_jdns, const std::vector<Chuki>& chuki);

struct LunarDate {
    int month = 0;
    int day = 0;
    bool leap = false;
};

// The lunar date of a day, from months ordered by start; false when the day is outside them
// (before the first month, or after the last month's start + 30 days).
bool LunarDateOf(const std::vector<LunarMonth>& months, int jdn, LunarDate* date);

} // namespace host
