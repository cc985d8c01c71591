// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/lunar_calendar.h"

#include <algorithm>
#include <string>

namespace host {
namespace {

int Mod(int a, int n) {
    return ((a % n) + n) % n;
}

bool IsAnchor(int month_number) {
    return month_number == 11 || month_number == 2 || month_number == 5 || month_number == 8;
}

struct Anchor {
    std::size_t month = 0; // index into the months
    int number = 0;
};

} // namespace

int MonthNumberOfChuki(int longitude) {
    return Mod(longitude / 30 + 1, 12) + 1;
}

std::vector<LunarMonth> NumberLunarMonths(const std::vector<int>& new_moon_jdns, const std::vector<Chuki>& chuki) {
    if (new_moon_jdns.size() < 2) return {};
    const std::size_t count = new_moon_jdns.size() - 1; // the last start only ends the month before it

    // The 中気 that each month holds: a 中気 belongs to the month whose first date is on or before
    // its date and whose successor starts after it.
    std::vector<std::vector<int>> held(count);
    for (const Chuki& c : chuki) {
        auto next = std::upper_bound(new_moon_jdns.begin(), new_moon_jdns.end(), c.jdn);
        if (next == new_moon_jdns.begin() || next == new_moon_jdns.end()) continue;
        held[static_cast<std::size_t>(next - new_moon_jdns.begin()) - 1].push_back(c.month_number);
    }

    std::vector<Anchor> anchors;
    for (std::size_t i = 0; i < count; ++i) {
        for (int number : held[i]) {
            if (IsAnchor(number)) anchors.push_back({i, number});
        }
    }

    // An interval with fewer months than its anchors' numbers need cannot keep both anchors.
    // This happens once in the range, in 2033 (秋分 to 冬至 two months apart). The convention
    // recommended in Japan (閏十一月) lets the month of 冬至 stand and numbers back from it: the
    // month of 秋分 becomes the 9th, and the leap month falls after 冬至, where the rule finds
    // the first month without 中気. Dropping the earlier anchor gives exactly that.
    for (std::size_t k = 0; k + 1 < anchors.size();) {
        const int needed = Mod(anchors[k + 1].number - anchors[k].number, 12);
        const auto months = static_cast<int>(anchors[k + 1].month - anchors[k].month);
        if (months < needed && k > 0) {
            anchors.erase(anchors.begin() + static_cast<std::ptrdiff_t>(k));
            --k;
            continue;
        }
        ++k;
    }

    std::vector<LunarMonth> numbered;
    if (anchors.empty()) return numbered;
    numbered.push_back({new_moon_jdns[anchors[0].month], anchors[0].number, false});
    for (std::size_t k = 0; k + 1 < anchors.size(); ++k) {
        const Anchor& from = anchors[k];
        const Anchor& to = anchors[k + 1];
        const int needed = Mod(to.number - from.number, 12);
        const auto months = static_cast<int>(to.month - from.month);
        std::size_t leap = 0; // index of the leap month, 0 for none
        if (months == needed + 1) {
            for (std::size_t i = from.month + 1; i < to.month && leap == 0; ++i) {
                if (held[i].empty()) leap = i;
            }
        }
        if (months != needed && leap == 0) {
            throw LunarCalendarError("cannot number the lunar months beginning at JDN " +
                                     std::to_string(new_moon_jdns[from.month]));
        }
        int number = from.number;
        for (std::size_t i = from.month + 1; i <= to.month; ++i) {
            const bool is_leap = i == leap;
            if (!is_leap) number = number % 12 + 1;
            numbered.push_back({new_moon_jdns[i], number, is_leap});
        }
    }
    return numbered;
}

bool LunarDateOf(const std::vector<LunarMonth>& months, int jdn, LunarDate* date) {
    auto next = std::upper_bound(months.begin(), months.end(), jdn,
                                 [](int day, const LunarMonth& month) { return day < month.start_jdn; });
    if (next == months.begin()) return false;
    const LunarMonth& month = *(next - 1);
    const int day = jdn - month.start_jdn + 1;
    if (day > 30) return false;
    *date = {month.number, day, month.leap};
    return true;
}

} // namespace host
