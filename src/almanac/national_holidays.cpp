// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/national_holidays.h"

#include "almanac/calendar_math.h"
#include "almanac/day_notes.h"
#include "almanac/name_tables.h"

#include <map>
#include <set>

namespace almanac {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int DayNumber(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

struct Date {
    int year, month, day;
};

Date DateOfNumber(int number) {
    const int z = number + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int day_of_era = z - era * 146097;
    const int year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int mp = (5 * day_of_year + 2) / 153;
    const int day = day_of_year - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    return {year_of_era + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

int WeekdayOf(int number) {
    return ((number % 7) + 11) % 7; // 1970-01-01 was a Thursday (4)
}

constexpr int kMonday = 1;
constexpr int kSunday = 0;

int NthMonday(int year, int month, int n) {
    const int first = DayNumber(year, month, 1);
    const int to_monday = (kMonday - WeekdayOf(first) + 7) % 7;
    return first + to_monday + 7 * (n - 1);
}

// How a holiday's date is found in a span of years.
enum class Rule { Fixed, NthMonday, VernalEquinox, AutumnalEquinox };

struct HolidayRule {
    std::string_view name;
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
struct SingleDay {
    Date date;
    std::string_view name;
};
constexpr SingleDay kSingleDays[] = {
    {{1959, 4, 10}, "皇太子明仁親王の結婚の儀"}, {{1989, 2, 24}, "昭和天皇の大喪の礼"},
    {{1990, 11, 12}, "即位礼正殿の儀"},          {{1993, 6, 9}, "皇太子徳仁親王の結婚の儀"},
    {{2019, 5, 1}, "天皇の即位の日"},            {{2019, 10, 22}, "即位礼正殿の儀"},
};

constexpr std::string_view kSubstituteName = "振替休日";
constexpr std::string_view kBetweenName = "国民の休日";
constexpr std::string_view kMarkedName = "休日";

constexpr Date kLawInForce{1948, 7, 20};
constexpr Date kSubstituteFrom{1973, 4, 12}; // 振替休日
constexpr Date kBetweenFrom{1985, 12, 27};   // 国民の休日
constexpr int kRevisedLawYear = 2007;        // both rules widened

int DateOf(const HolidayRule& rule, int year, const EquinoxDays& equinoxes) {
    switch (rule.rule) {
    case Rule::Fixed:
        return DayNumber(year, rule.month, rule.day);
    case Rule::NthMonday:
        return NthMonday(year, rule.month, rule.day);
    case Rule::VernalEquinox:
        return DayNumber(year, 3, equinoxes.vernal_day);
    case Rule::AutumnalEquinox:
        return DayNumber(year, 9, equinoxes.autumnal_day);
    }
    return 0;
}

int Number(const Date& d) {
    return DayNumber(d.year, d.month, d.day);
}

// The day of the month on which the term `term` (1 = 立春 …) begins, or 0.
int TermBeginsIn(const DayFile& file, int year, int month, int term, base::Reporter& reporter, bool* ok) {
    MonthDays days{};
    if (!file.LoadMonth(days, year, month, DaysInMonth(year, month), reporter)) {
        *ok = false;
        return 0;
    }
    for (int d = 1; d <= DaysInMonth(year, month); ++d) {
        const DayRecord& day = days[static_cast<std::size_t>(d)];
        if (day.SolarTerm == term && SolarTermBegins(day, days[static_cast<std::size_t>(d - 1)])) return d;
    }
    return 0;
}

} // namespace

std::vector<NationalHoliday> NationalHolidays(int year, const EquinoxDays& equinoxes) {
    const int law = Number(kLawInForce);
    std::map<int, std::string_view> national; // 国民の祝日 and the single days
    for (const HolidayRule& rule : kRules) {
        if (year < rule.first_year || year > rule.last_year) continue;
        // An equinox the caller could not find is left out rather than put on a wrong day.
        if ((rule.rule == Rule::VernalEquinox && equinoxes.vernal_day == 0) ||
            (rule.rule == Rule::AutumnalEquinox && equinoxes.autumnal_day == 0))
            continue;
        const int day = DateOf(rule, year, equinoxes);
        if (day >= law) national.emplace(day, rule.name);
    }
    for (const SingleDay& single : kSingleDays) {
        if (single.date.year == year) national.emplace(Number(single.date), single.name);
    }

    std::set<int> substitutes; // 振替休日
    for (const auto& [day, name] : national) {
        if (WeekdayOf(day) != kSunday || day < Number(kSubstituteFrom)) continue;
        int next = day + 1;
        if (year >= kRevisedLawYear) {
            while (national.count(next))
                ++next;
        } else if (national.count(next)) {
            continue; // before 2007 only a Monday that is not itself a holiday
        }
        substitutes.insert(next);
    }

    std::set<int> between; // 国民の休日
    for (const auto& [holiday, name] : national) {
        const int day = holiday + 1;
        if (day < Number(kBetweenFrom) || national.count(day) || !national.count(day + 1)) continue;
        if (year < kRevisedLawYear && (WeekdayOf(day) == kSunday || substitutes.count(day))) continue;
        between.insert(day);
    }

    std::map<int, std::string_view> all = national;
    for (int day : substitutes)
        all.emplace(day, kSubstituteName);
    for (int day : between)
        all.emplace(day, kBetweenName);
    std::vector<NationalHoliday> holidays;
    for (const auto& [number, name] : all) {
        const Date date = DateOfNumber(number);
        // A substitute for 31 December would fall in the next year.
        if (date.year == year) holidays.push_back({date.month, date.day, name});
    }
    return holidays;
}

std::optional<EquinoxDays> EquinoxDaysIn(const DayFile& file, int year, base::Reporter& reporter) {
    constexpr int kVernal = 4;    // 春分
    constexpr int kAutumnal = 16; // 秋分
    bool ok = true;
    const EquinoxDays days{TermBeginsIn(file, year, 3, kVernal, reporter, &ok),
                           TermBeginsIn(file, year, 9, kAutumnal, reporter, &ok)};
    if (!ok) return std::nullopt;
    return days;
}

std::string_view HolidayName(const std::vector<NationalHoliday>& national, int month, int day) {
    for (const NationalHoliday& h : national)
        if (h.month == month && h.day == day) return h.name;
    return kMarkedName;
}

} // namespace almanac
