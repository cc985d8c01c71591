// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac of every day of a span of years (JST civil dates), as the day file holds it.

#include <vector>

#include "almanac/day_record.h"
#include "host/almanac_events.h"
#include "host/lunar_calendar.h"

namespace host {

class DayCalendar {
public:
    // Computes the events of the span once and every day from them.
    DayCalendar(int first_year, int last_year);
    // From events computed elsewhere (they must cover the span as ComputeAlmanacEvents does).
    DayCalendar(int first_year, int last_year, AlmanacEvents events);

    int first_year() const { return first_year_; }
    int last_year() const { return last_year_; }
    const AlmanacEvents& events() const { return events_; }
    const std::vector<LunarMonth>& lunar_months() const { return months_; }
    const std::vector<almanac::DayRecord>& days() const { return days_; }

    // The day of a date inside the span; nullptr outside.
    const almanac::DayRecord* Find(int year, int month, int day) const;

private:
    void Build();

    int first_year_;
    int last_year_;
    int first_jdn_ = 0;
    AlmanacEvents events_;
    std::vector<LunarMonth> months_;
    std::vector<almanac::DayRecord> days_;
};

// Solar term (1 立春 … 24 大寒), solar month (1 … 12) and pentad (1 … 72) of the latest
// boundaries at these longitudes (multiples of 15°, 30° + 15°, 5°).
int SolarTermOfLongitude(int longitude);
int SolarMonthOfLongitude(int longitude);
int PentadOfLongitude(int longitude);

} // namespace host
