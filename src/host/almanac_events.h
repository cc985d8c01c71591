// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The astronomical events behind the almanac of a span of years, computed once: the solar
// longitudes (every 5°, plus 27°, 80°, 117°, 207°, 297°) and the new moons, each with its
// JST date. The instants are as exact as the dates need (EventAccuracy::Date of
// event_search.h): to the millisecond only near a JST midnight, elsewhere within minutes.

#include <vector>

namespace host {

struct DatedSolarEvent {
    double jd_ut = 0.0;
    int jdn = 0; // JST date
    int longitude = 0;
};

struct AlmanacEvents {
    std::vector<DatedSolarEvent> solar; // time order
    std::vector<double> new_moons;      // UT instants, time order
    std::vector<int> new_moon_jdns;     // their JST dates

    // The date of the first event at `longitude` on or after jdn `from`; 0 when there is none.
    int DateOfLongitudeFrom(int longitude, int from) const;
    const DatedSolarEvent* EventOfLongitudeFrom(int longitude, int from) const;
};

// Events from 1 January of the year before `first_year` (its 立春 starts the sexagenary year
// of the span's first days) to half a year after the end of `last_year` (the anchors of the
// lunar months around the span's end).
AlmanacEvents ComputeAlmanacEvents(int first_year, int last_year);

} // namespace host
