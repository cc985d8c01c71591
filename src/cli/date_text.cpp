// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/date_text.h"

#include "almanac/calendar_math.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace cli {

namespace {

print::CivilDay DayBefore(print::CivilDay d) {
    if (--d.day >= 1) return d;
    if (--d.month < 1) {
        d.month = 12;
        --d.year;
    }
    d.day = almanac::DaysInMonth(d.year, d.month);
    return d;
}

} // namespace

std::optional<print::CivilDay> ParseDate(std::string_view text) {
    if (text == "today") return Today();
    if (text == "tomorrow") return print::NextDay(Today());
    if (text == "yesterday") return DayBefore(Today());
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    print::CivilDay d;
    auto field = [&](std::size_t pos, std::size_t len, int& out) {
        for (std::size_t i = pos; i < pos + len; ++i)
            if (text[i] < '0' || text[i] > '9') return false;
        auto r = std::from_chars(text.data() + pos, text.data() + pos + len, out);
        return r.ec == std::errc{} && r.ptr == text.data() + pos + len;
    };
    if (!field(0, 4, d.year) || !field(5, 2, d.month) || !field(8, 2, d.day)) return std::nullopt;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > almanac::DaysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

bool InDayFileRange(const print::CivilDay& d) {
    return d.year >= almanac::kFirstYear && d.year <= almanac::kLastYear;
}

std::string DateText(const print::CivilDay& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

print::CivilDay Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace cli
