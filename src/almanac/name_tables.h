// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names the pages print for a day's notes. Indexes are as the comments say; use
// TableText for an index that comes from a file, so that a damaged record prints nothing
// instead of reading past a table.

#include "base/kanji_numbers.h"

#include <array>
#include <string_view>

namespace almanac {

using base::KanjiNumerals;                                   // index: the number, 0 … 31
extern const std::array<std::string_view, 7> WeekdayNames;     // Weekday (0 = Sunday)
extern const std::array<std::string_view, 7> WeekdayNamesLatin; // Weekday
extern const std::array<std::string_view, 12> MonthOldNames;   // month − 1
extern const std::array<std::string_view, 12> MonthOldNameReadings; // month − 1
extern const std::array<std::string_view, 12> LunarMonthNames; // LunarMonth − 1
extern const std::array<std::string_view, 24> SolarTermSeasons; // SolarTerm − 1
extern const std::array<std::string_view, 24> SolarTermNames;   // SolarTerm − 1
extern const std::array<std::string_view, 12> BranchNames;      // branch − 1
extern const std::array<std::string_view, 10> StemNames;        // stem − 1
extern const std::array<std::string_view, 6> RokuyoNames;       // Rokuyo − 1
extern const std::array<std::string_view, 6> RokuyoShortNames;  // Rokuyo − 1: one character each
extern const std::array<std::string_view, 12> ClockNames;       // hour number − 1

// table[index], or an empty text when index is outside the table.
template <std::size_t N>
constexpr std::string_view TableText(const std::array<std::string_view, N>& table, long index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)]
                                                             : std::string_view{};
}

} // namespace almanac
