// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/start_weekday.h"

#include "base/i18n.h"

#include <algorithm>
#include <array>

namespace config {
namespace {

struct WeekdayWords {
    int value;
    std::array<std::string_view, 6> words;
};

constexpr WeekdayWords kWeekdays[] = {
    {0, {"0", "sunday", "sun", "日", "日曜", "日曜日"}},
    {1, {"1", "monday", "mon", "月", "月曜", "月曜日"}},
};

} // namespace

std::optional<int> ParseStartWeekday(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (const WeekdayWords& day : kWeekdays)
        if (std::find(day.words.begin(), day.words.end(), lower) != day.words.end()) return day.value;
    return std::nullopt;
}

std::string StartWeekdayError(std::string_view text) {
    return base::Format(_("--start-weekday needs sunday or monday (or 0 or 1), not '%s'"), std::string(text).c_str());
}

} // namespace config
