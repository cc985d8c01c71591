// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/fortune.h"

#include "almanac/named_days.h"

namespace almanac {
namespace {

// Points of the mansions 1 角 … 28 軫.
constexpr std::array<FortunePoints, 28> kMansionPoints = {{
    {1, 1, 0},  {1, 1, 0}, {-1, 0, 1}, {1, 1, 0},  {-1, 1, 2}, {1, 1, 0}, {1, 1, 0},
    {1, 1, 0},  {-1, 1, 2}, {-1, 0, 1}, {0, 1, 1}, {1, 2, 1}, {1, 1, 0}, {2, 2, 0},
    {2, 2, 0},  {2, 2, 0}, {0, 1, 1},  {1, 1, 0},  {0, 1, 1},  {0, 1, 1}, {1, 1, 0},
    {0, 1, 1},  {1, 1, 0}, {-1, 0, 1}, {0, 1, 1},  {1, 1, 0},  {0, 1, 1}, {1, 1, 0},
}};

// Points of the day-officers 1 開, 2 閉, 3 建 … 12 納. 建 alone has net ≠ good − bad.
constexpr std::array<FortunePoints, 12> kOfficerPoints = {{
    {1, 1, 0}, {-1, 0, 1}, {2, 2, 1}, {1, 1, 0}, {2, 2, 0}, {2, 2, 0},
    {1, 1, 0}, {1, 1, 0}, {-1, 0, 1}, {-1, 0, 1}, {1, 1, 0}, {1, 1, 0},
}};

void Add(FortuneWork& w, const FortunePoints& p) {
    w.net += p.net;
    w.good += p.good;
    w.bad += p.bad;
}

} // namespace

std::int32_t EvaluateDayFortune(const DayRecord& day, std::uint8_t birth_sign, std::uint8_t year_sign,
                                FortuneWork& work) {
    work = FortuneWork{};
    const DayKeys keys = MakeDayKeys(day, birth_sign, year_sign);
    for (const NamedDay& named : NamedDays) {
        if (named.from_rule && birth_sign == 0) continue;
        if (named.applies(day, keys)) Add(work, named.points);
    }
    if (day.Mansion >= 1 && day.Mansion <= 28) Add(work, kMansionPoints[day.Mansion - 1u]);
    if (day.Officer >= 1 && day.Officer <= 12) Add(work, kOfficerPoints[day.Officer - 1u]);
    return work.net;
}

std::string_view FortuneRank(int good, int bad) {
    const double g = good, b = bad;
    if (good >= bad) {
        if (bad <= 0) {
            if (good > 5) return "大吉";
            if (good == 5) return "中吉";
            if (good == 4) return " 吉 ";
            if (good >= 2) return "半吉";
            return "末吉";
        }
        const double r = g / b;
        if (r > 5.0) {
            if (good > 10) return "大吉";
            if (good > 8) return "中吉";
            if (good > 6) return " 吉 ";
            if (good > 4) return "半吉";
            return "末吉";
        }
        if (r > 2.0) return "中吉";
        if (r > 1.5) return " 吉 ";
        return good - bad > 3 ? "小吉" : "末吉";
    }
    if (good <= 0) {
        if (bad > 8) return "大凶";
        if (bad > 3) return " 凶 ";
        return "    ";
    }
    const double r = b / g;
    if (r > 5.0) return bad > 10 ? "大凶" : " 凶 ";
    if (r > 1.5) return " 凶 ";
    return "    ";
}

} // namespace almanac
