// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the almanac list's cells: each note of a day as the list writes it in its
// vertical cell, padded with full-width spaces where the list lines its texts up.

#include "almanac/day_record.h"

#include <string>

namespace pages {

// 新暦: month and day, a one-character numeral followed by "　" ("三　月　五日", "十二月廿一日").
std::string ListDateText(int month, int day);

// 節季: the season and name of the solar term on the day it begins ("春　正月節　立春　",
// padded to 18 CP932 bytes), nine full-width spaces on the other days. Nothing begins in
// the first month of the file (the day before 1901-01-01 has no record).
std::string ListSolarTermText(const almanac::DayRecord& day, const almanac::DayRecord& day_before,
                              bool first_month_of_file);

// 旧暦: "　正月　一日", "十一月廿九日", "三　月　五日". A day of a leap month is marked
// "閏" in place of the month's padding and always ends in "日", as the calendar page writes
// it: "閏三月　五日", "閏十一月　五日", "閏十一月廿二日" (seven characters, which the list
// writes smaller so that they fit the cell).
std::string ListLunarDateText(int lunar_month, int lunar_day, bool leap = false);

// 宿 and 直: the one-kanji name of the mansion (1 … 28) and of the day-officer (1 … 12);
// empty outside those ranges.
std::string ListMansionText(int mansion);
std::string ListOfficerText(int officer);

// 候: the pentad number 1 … 72 in kanji (一 … 十九, 廿 … 廿九, 三十, 三一 … 七二), a
// one-character text preceded by "　"; empty outside 1 … 72.
std::string ListPentadText(int pentad);

// 日出没: a sun time in decimal hours as "五時四四分"; empty for a time below 0 (the sun does
// not cross that day).
std::string ListSunTimeText(double hours);

} // namespace pages
