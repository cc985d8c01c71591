// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The personal fortune of a day: points of the named days, the mansion and the day-officer
// added into three counters, and the rank text they give.

#include "almanac/day_record.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace almanac {

// The work block the pages read right after evaluating a day: net score, good points,
// bad points; the rest of its 64 bytes is cleared and unused.
struct FortuneWork {
    std::int32_t net = 0;
    std::int32_t good = 0;
    std::int32_t bad = 0;
    std::array<std::uint8_t, 52> unused{};
};
static_assert(sizeof(FortuneWork) == 64);

// Clears the work block and adds the points of the day. Flag days always count; rule days
// only when birth_sign (the low byte of BirthEto) is not 0; year_sign is the day's own
// YearCycle. Returns the net score.
std::int32_t EvaluateDayFortune(const DayRecord& day, std::uint8_t birth_sign, std::uint8_t year_sign,
                                FortuneWork& work);

// Rank text from the good and bad points: "大吉", "中吉", " 吉 ", "半吉", "末吉", "小吉",
// "大凶", " 凶 " or four spaces; always four bytes in CP932.
std::string_view FortuneRank(int good, int bad);

} // namespace almanac
