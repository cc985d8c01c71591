// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user holidays: per year, section "<year>" of Kalvorin.CFG with the keys "HOLIDAY1" …
// "HOLIDAY12", each the marked days of its month as two-digit day numbers run together in
// ascending order ("0111" marks the 1st and the 11th).

#include "config/config_file.h"
#include "config/edit_set.h"

#include <array>
#include <cstdint>
#include <vector>

namespace config {

// The first year with national holidays: the law took effect on 1948-07-20, and the years
// before have none that the host could add.
inline constexpr int kFirstNationalHolidayYear = 1948;

// 12 × 31 flags of one year: flags[month − 1][day − 1] is 1 for a marked day, else 0.
struct HolidayTable {
    std::array<std::array<std::uint8_t, 31>, 12> flags{};

    // False for a day outside 1 … 12 / 1 … 31.
    bool IsMarked(int month, int day) const;
    // Days outside 1 … 12 / 1 … 31 are ignored.
    void Mark(int month, int day, bool marked);
    void Toggle(int month, int day);
    void Clear() { flags = {}; }

    bool operator==(const HolidayTable&) const = default;
};

// Clears the table, then reads section year: each value is taken two characters at a time
// (a last single character is a piece of its own); a piece that is a number 1 … 31 marks
// that day, anything else (other numbers, pieces that are not numbers) is ignored.
void LoadHolidays(const ConfigFile& file, int year, HolidayTable& table);

// Writes "HOLIDAY1" … "HOLIDAY12" of section year in one replacement of the file; a month
// without marks gets an empty value (the key is kept, not removed). The holiday editor
// writes its edits instead (HolidayEdits).
bool SaveHolidays(ConfigFile& file, int year, const HolidayTable& table);

// The edits of a holiday editor of year that was given the marks `given` and leaves them as
// `edited`: the days whose marks differ (toggled an odd number of times) are set as in
// edited in the month's value as the file holds it when written; every other day of the
// file's value is kept, and a month without such a day is not written. The value is
// rewritten in the stored form (LoadHolidays' reading, FormatHolidayMonth's writing).
EditSet HolidayEdits(int year, const HolidayTable& given, const HolidayTable& edited);

// The entries SaveHolidays writes, for a caller that writes several years in one batch.
std::vector<ConfigFile::Entry> HolidayEntries(int year, const HolidayTable& table);

// Whether the file has the section of the year's holidays at all (a year nobody has
// written holidays for prints none).
bool HasHolidaySection(const ConfigFile& file, int year);

// The stored value of one month's marks, e.g. "0111".
std::string FormatHolidayMonth(const std::array<std::uint8_t, 31>& days);

} // namespace config
