// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/day_calendar.h"

#include <stdexcept>

#include "host/civil_date.h"
#include "host/day_signs.h"
#include "host/named_days.h"
#include "host/seasonal_days.h"

namespace host {
namespace {

int Mod(int a, int n) {
    return ((a % n) + n) % n;
}

constexpr int kRisshun = 315;

std::vector<Chuki> ChukiOf(const AlmanacEvents& events) {
    std::vector<Chuki> chuki;
    for (const DatedSolarEvent& e : events.solar) {
        if (e.longitude % 30 == 0) chuki.push_back({e.jdn, MonthNumberOfChuki(e.longitude)});
    }
    return chuki;
}

} // namespace

int SolarTermOfLongitude(int longitude) {
    return Mod(longitude - kRisshun, 360) / 15 + 1;
}
int SolarMonthOfLongitude(int longitude) {
    return Mod(longitude - kRisshun, 360) / 30 + 1;
}
int PentadOfLongitude(int longitude) {
    return Mod(longitude - kRisshun, 360) / 5 + 1;
}

DayCalendar::DayCalendar(int first_year, int last_year)
    : DayCalendar(first_year, last_year, ComputeAlmanacEvents(first_year, last_year)) {}

DayCalendar::DayCalendar(int first_year, int last_year, AlmanacEvents events)
    : first_year_(first_year), last_year_(last_year), events_(std::move(events)) {
    Build();
}

const almanac::DayRecord* DayCalendar::Find(int year, int month, int day) const {
    if (year < first_year_ || year > last_year_ || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return nullptr;
    }
    return &days_[static_cast<std::size_t>(JdnFromCivil({year, month, day}) - first_jdn_)];
}

void DayCalendar::Build() {
    months_ = NumberLunarMonths(events_.new_moon_jdns, ChukiOf(events_));
    first_jdn_ = JdnFromCivil({first_year_, 1, 1});
    const int last_jdn = JdnFromCivil({last_year_, 12, 31});
    const std::vector<std::uint8_t> seasonal = SeasonalDayFlags(events_, first_jdn_, last_jdn);

    // The latest boundaries on or before the day, carried along as the days advance.
    int pentad_longitude = -1;
    int term_longitude = -1;
    int month_longitude = -1;
    int sign_year = 0; // the year whose 立春 is the latest on or before the day
    std::size_t next_event = 0;
    const auto& solar = events_.solar;

    days_.clear();
    days_.reserve(static_cast<std::size_t>(last_jdn - first_jdn_ + 1));
    for (int jdn = first_jdn_; jdn <= last_jdn; ++jdn) {
        for (; next_event < solar.size() && solar[next_event].jdn <= jdn; ++next_event) {
            const DatedSolarEvent& e = solar[next_event];
            if (e.longitude % 5 != 0) continue;
            pentad_longitude = e.longitude;
            if (e.longitude % 15 == 0) term_longitude = e.longitude;
            if (e.longitude % 30 == 15) month_longitude = e.longitude;
            if (e.longitude == kRisshun) sign_year = CivilFromJdn(e.jdn).year;
        }
        LunarDate lunar;
        if (pentad_longitude < 0 || term_longitude < 0 || month_longitude < 0 || sign_year == 0 ||
            !LunarDateOf(months_, jdn, &lunar)) {
            throw std::runtime_error("the computed events do not cover " + FormatDate(CivilFromJdn(jdn)));
        }
        almanac::DayRecord day;
        day.Date = DateNumber(CivilFromJdn(jdn));
        day.YearCycle = static_cast<std::uint8_t>(YearCycleOfYear(sign_year));
        day.Weekday = static_cast<std::uint8_t>(WeekdayOfJdn(jdn));
        day.DayCycle = static_cast<std::uint8_t>(DayCycleOfJdn(jdn));
        day.SolarTerm = static_cast<std::uint8_t>(SolarTermOfLongitude(term_longitude));
        day.SolarMonth = static_cast<std::uint8_t>(SolarMonthOfLongitude(month_longitude));
        day.Mansion = static_cast<std::uint8_t>(MansionOfJdn(jdn));
        day.Officer = static_cast<std::uint8_t>(OfficerOf(day.SolarMonth, day.DayCycle));
        day.Pentad = static_cast<std::uint8_t>(PentadOfLongitude(pentad_longitude));
        day.LunarMonth = static_cast<std::uint8_t>(lunar.month);
        day.LunarDay = static_cast<std::uint8_t>(lunar.day);
        day.LeapMonth = lunar.leap;
        day.Rokuyo = static_cast<std::uint8_t>(RokuyoOf(lunar.month, lunar.day));
        const NamedDayFlags named = NamedDaysOf({day.DayCycle, day.SolarMonth, lunar.month, lunar.day});
        day.DayFlagsA = static_cast<std::uint8_t>(named.a | (lunar.leap ? almanac::flag_a::kLeapMonth : 0));
        day.DayFlagsB = named.b;
        day.SeasonFlags = seasonal[static_cast<std::size_t>(jdn - first_jdn_)];
        days_.push_back(day);
    }
}

} // namespace host
