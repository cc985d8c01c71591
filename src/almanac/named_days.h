// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The thirty named lucky and unlucky days (吉凶) in the order the pages list them, each
// with its colour class, its fortune points and the test that names it. The pages walk
// this table to print a day's names; the fortune adds up the same rows.

#include "almanac/day_record.h"
#include "base/color.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace almanac {

// The keys of a day that the rules read.
struct DayKeys {
    int month = 0;        // SolarMonth
    int lunar_month = 0;  // LunarMonth
    int day_sign = 0;     // DayCycle
    int day_stem = 0;     // DayCycle mod 10, 0 read as 10
    int day_branch = 0;   // DayCycle mod 12, 0 read as 12
    int year_branch = 0;  // of the year cycle given (see MakeDayKeys)
    int birth_branch = 0; // BirthEto mod 12, 0 read as 12
    int mansion = 0;      // Mansion
};

// Keys of a day. year_cycle is the YearCycle the caller decides on: the fortune uses the
// day's own, the list and calendar pages that of the 1st of the month being printed.
DayKeys MakeDayKeys(const DayRecord& day, int birth_eto, int year_cycle);

enum class NamedDayClass { Good, Bad, Neutral };

// Print colour of a class: good red, bad blue, neutral black.
base::Color ClassColor(NamedDayClass c);

struct FortunePoints {
    int net = 0;
    int good = 0;
    int bad = 0;
};

struct NamedDay {
    std::string_view text;  // the name as the pages print it (時下食 gets its hour added)
    NamedDayClass kind;
    FortunePoints points;
    // Rows 1 … 11 read a flag bit of the record; rows 12 … 30 are rules, which count in the
    // fortune only when a birth sign is registered.
    bool from_rule;
    bool (*applies)(const DayRecord& day, const DayKeys& keys);
};

constexpr int kNamedDayCount = 30;
extern const std::array<NamedDay, kNamedDayCount> NamedDays;
constexpr int kJigejikiRow = 23; // index of "時下食" in NamedDays

// Text of a row for a day: the name, or for 時下食 the name with the double hour and its
// clock name as the list page writes it ("時下食 卯刻 朝六時").
std::string NamedDayText(int row, const DayKeys& keys);

// Indexes into NamedDays of every named day of the day, in the canonical order.
std::vector<int> NamedDaysOf(const DayRecord& day, const DayKeys& keys);

} // namespace almanac
