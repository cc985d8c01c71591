// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/national_holidays.h"

#include <algorithm>
#include <set>

namespace host {
namespace {

constexpr int kMonday = 1;
constexpr int kSunday = 0;

int NthMonday(int year, int month, int n) {
    const int first = JdnFromCivil({year, month, 1});
    const int to_monday = (kMonday - WeekdayOfJdn(first) + 7) % 7;
    return first + to_monday + 7 * (n - 1);
}

// How a holiday's date is found in a span of years.
enum class Rule { Fixed, NthMonday, VernalEquinox, AutumnalEquinox };

struct HolidayRule {
    const char* name;
    int first_year;
    int last_year;
    Rule rule;
    int month;
    int day; // day of month for Fixed, n for NthMonday
};

// One row per holiday and period. The years 2020 and 2021 moved three holidays for the
// Olympic games: their regular rows stop short of them and one-year rows stand in.
constexpr HolidayRule kRules[] = {
    {"元日", 1949, 9999, Rule::Fixed, 1, 1},
    {"成人の日", 1949, 1999, Rule::Fixed, 1, 15},
    {"成人の日", 2000, 9999, Rule::NthMonday, 1, 2},
    {"建国記念の日", 1967, 9999, Rule::Fixed, 2, 11},
    {"天皇誕生日", 1949, 1988, Rule::Fixed, 4, 29},
    {"天皇誕生日", 1989, 2018, Rule::Fixed, 12, 23},
    {"天皇誕生日", 2020, 9999, Rule::Fixed, 2, 23},
    {"春分の日", 1949, 9999, Rule::VernalEquinox, 3, 0},
    {"みどりの日", 1989, 2006, Rule::Fixed, 4, 29},
    {"みどりの日", 2007, 9999, Rule::Fixed, 5, 4},
    {"昭和の日", 2007, 9999, Rule::Fixed, 4, 29},
    {"憲法記念日", 1949, 9999, Rule::Fixed, 5, 3},
    {"こどもの日", 1949, 9999, Rule::Fixed, 5, 5},
    {"海の日", 1996, 2002, Rule::Fixed, 7, 20},
    {"海の日", 2003, 2019, Rule::NthMonday, 7, 3},
    {"海の日", 2020, 2020, Rule::Fixed, 7, 23},
    {"海の日", 2021, 2021, Rule::Fixed, 7, 22},
    {"海の日", 2022, 9999, Rule::NthMonday, 7, 3},
    {"山の日", 2016, 2019, Rule::Fixed, 8, 11},
    {"山の日", 2020, 2020, Rule::Fixed, 8, 10},
    {"山の日", 2021, 2021, Rule::Fixed, 8, 8},
    {"山の日", 2022, 9999, Rule::Fixed, 8, 11},
    {"敬老の日", 1966, 2002, Rule::Fixed, 9, 15},
    {"敬老の日", 2003, 9999, Rule::NthMonday, 9, 3},
    {"秋分の日", 1948, 9999, Rule::AutumnalEquinox, 9, 0},
    {"体育の日", 1966, 1999, Rule::Fixed, 10, 10},
    {"体育の日", 2000, 2019, Rule::NthMonday, 10, 2},
    {"スポーツの日", 2020, 2020, Rule::Fixed, 7, 24},
    {"スポーツの日", 2021, 2021, Rule::Fixed, 7, 23},
    {"スポーツの日", 2022, 9999, Rule::NthMonday, 10, 2},
    {"文化の日", 1948, 9999, Rule::Fixed, 11, 3},
    {"勤労感謝の日", 1948, 9999, Rule::Fixed, 11, 23},
};

// Days made holidays by their own laws, one time each.
constexpr CivilDate kSingleDays[] = {
    {1959, 4, 10}, {1989, 2, 24}, {1990, 11, 12}, {1993, 6, 9}, {2019, 5, 1}, {2019, 10, 22},
};

const CivilDate kLawInForce{1948, 7, 20};
const CivilDate kSubstituteFrom{1973, 4, 12}; // 振替休日
const CivilDate kBetweenFrom{1985, 12, 27};   // 国民の休日
constexpr int kRevisedLawYear = 2007;         // both rules widened

int DateOf(const HolidayRule& rule, int year, const EquinoxDays& equinoxes) {
    switch (rule.rule) {
    case Rule::Fixed:
        return JdnFromCivil({year, rule.month, rule.day});
    case Rule::NthMonday:
        return NthMonday(year, rule.month, rule.day);
    case Rule::VernalEquinox:
        return JdnFromCivil({year, 3, equinoxes.vernal_day});
    case Rule::AutumnalEquinox:
        return JdnFromCivil({year, 9, equinoxes.autumnal_day});
    }
    return 0;
}

} // namespace

std::vector<CivilDate> NationalHolidays(int year, const EquinoxDays& equinoxes) {
    const int law = JdnFromCivil(kLawInForce);
    std::set<int> national; // 国民の祝日 and the single days
    for (const HolidayRule& rule : kRules) {
        if (year < rule.first_year || year > rule.last_year) continue;
        const int jdn = DateOf(rule, year, equinoxes);
        if (jdn >= law) national.insert(jdn);
    }
    for (const CivilDate& date : kSingleDays) {
        if (date.year == year) national.insert(JdnFromCivil(date));
    }

    std::set<int> substitutes; // 振替休日
    for (int jdn : national) {
        if (WeekdayOfJdn(jdn) != kSunday || jdn < JdnFromCivil(kSubstituteFrom)) continue;
        int next = jdn + 1;
        if (year >= kRevisedLawYear) {
            while (national.count(next))
                ++next;
        } else if (national.count(next)) {
            continue; // before 2007 only a Monday that is not itself a holiday
        }
        substitutes.insert(next);
    }

    std::set<int> between; // 国民の休日
    for (int jdn : national) {
        const int day = jdn + 1;
        if (day < JdnFromCivil(kBetweenFrom) || national.count(day) || !national.count(day + 1)) continue;
        if (year < kRevisedLawYear && (WeekdayOfJdn(day) == kSunday || substitutes.count(day))) continue;
        between.insert(day);
    }

    std::set<int> all = national;
    all.insert(substitutes.begin(), substitutes.end());
    all.insert(between.begin(), between.end());
    std::vector<CivilDate> dates;
    for (int jdn : all) {
        const CivilDate date = CivilFromJdn(jdn);
        if (date.year == year) dates.push_back(date); // a substitute for 31 December would fall next year
    }
    return dates;
}

} // namespace host
