// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers written in kanji, as the pages and the main window print them.

#include <array>
#include <string>
#include <string_view>

namespace base {

// The numeral table: index 0 … 31 ("〇", "一" … "十", "十一" … "廿", "廿一" … "卅", "卅一").
// Day, month and lunar numbers index it directly; digits are its entries 0 … 9.
extern const std::array<std::string_view, 32> KanjiNumerals;

// The four decimal digits of a year, each a kanji digit: 1901 gives "一九〇一". Years outside
// 0 … 9999 are written by their last four digits.
std::string FormatYearKanji(int year);

// 0 … 999 digit by digit: hundreds when non-zero; tens when non-zero, "〇" when a hundreds
// digit stands before it, else a full-width space; units, "〇" for zero. 5 → "　五",
// 10 → "一〇", 105 → "一〇五". Values outside 0 … 999 are clamped to that range.
std::string FormatNumberKanji(int n);

// The kanji digits of the sun times: 0 … 10 from the numeral table, 11 … 19 "十" and the
// units digit, 20 … 99 two digits (二〇, 四四), 100 … 999 three, 1000 and more four (the
// thousands digit taken mod 10). Negative values give "〇".
std::string NumberToKanji(int n);

} // namespace base
