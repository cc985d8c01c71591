// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first day of the week as both programs' --start-weekday takes it, and as Kalvorin.CFG
// stores it (0 Sunday, 1 Monday).

#include <optional>
#include <string>
#include <string_view>

namespace config {

// 0 for sunday, sun, 日, 日曜, 日曜日 or 0; 1 for monday, mon, 月, 月曜, 月曜日 or 1 (names in
// any letter case); nothing for anything else.
std::optional<int> ParseStartWeekday(std::string_view text);

// The usage error for a value ParseStartWeekday refuses, naming it.
std::string StartWeekdayError(std::string_view text);

} // namespace config
