// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/almanac_events.h"

#include <algorithm>

#include "host/civil_date.h"
#include "host/event_search.h"

namespace host {

const DatedSolarEvent* AlmanacEvents::EventOfLongitudeFrom(int longitude, int from) const {
    auto it = std::lower_bound(solar.begin(), solar.end(), from,
                               [](const DatedSolarEvent& e, int day) { return e.jdn < day; });
    for (; it != solar.end(); ++it) {
        if (it->longitude == longitude) return &*it;
    }
    return nullptr;
}

int AlmanacEvents::DateOfLongitudeFrom(int longitude, int from) const {
    const DatedSolarEvent* event = EventOfLongitudeFrom(longitude, from);
    return event ? event->jdn : 0;
}

AlmanacEvents ComputeAlmanacEvents(int first_year, int last_year) {
    const double from = JdnFromCivil({first_year - 1, 1, 1}) - 0.5;
    const double to = JdnFromCivil({last_year + 1, 7, 1}) - 0.5;
    AlmanacEvents events;
    // The almanac needs the dates of the events (and the half of the day of the equinoxes):
    // only those near midnight, or the equinoxes near noon, need the full models.
    for (const SolarEvent& e : SolarEventsBetween(from, to, EventAccuracy::Date))
        events.solar.push_back({e.jd_ut, JstJdnOf(e.jd_ut), e.longitude});
    events.new_moons = NewMoonsBetween(from, to, EventAccuracy::Date);
    for (double jd : events.new_moons)
        events.new_moon_jdns.push_back(JstJdnOf(jd));
    return events;
}

} // namespace host
