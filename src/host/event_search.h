// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Instants of solar longitudes and of new moons, found by root finding on the apparent
// longitudes of ephemeris.h. Instants are Julian Dates in UT (TT − ΔT).

#include <vector>

namespace host {

// The instant when the Sun's apparent longitude reaches `longitude` (degrees), the one
// nearest to `jd_ut_guess` (the Sun needs a year for a turn; the guess must be within
// about half a year). Converges to well under a millisecond.
double FindSolarLongitude(double longitude, double jd_ut_guess);

// How exact a search's instants must be.
enum class EventAccuracy {
    // Every instant from the full models: the Sun to a millisecond, the new moons refined with
    // the full lunar theory.
    Instant,
    // What the dates in JST need: roots of the quick models of ephemeris.h, the Sun within
    // 5 minutes and new moons within 70 s, refined as for Instant only where they fall within
    // 10 minutes (3 minutes for new moons) of a JST midnight, or of a JST noon for the
    // equinoxes, whose half of the day the seasonal days need. The dates and those halves
    // are the same as Instant's. Outside the span of the quick models' bound (1899 … 2101)
    // it is Instant.
    Date,
};

// The new moon (apparent longitudes of Sun and Moon equal) nearest to `jd_ut_guess`
// (within about half a synodic month). eraMoon98 finds every new moon to within 21 s; one
// Newton step with ELP 2000-82B then brings it to a few seconds, at 0.6 ms a step.
double FindNewMoon(double jd_ut_guess, EventAccuracy accuracy = EventAccuracy::Instant);

struct SolarEvent {
    double jd_ut = 0.0;
    int longitude = 0; // degrees, 0 … 359
};

// Every instant in [jd_ut_from, jd_ut_to) at which the Sun's longitude is a multiple of 5°
// (80° among them, for 入梅) or one of the starts of 土用 (27°, 117°, 207°, 297°), in time
// order: 76 a year.
std::vector<SolarEvent> SolarEventsBetween(double jd_ut_from, double jd_ut_to,
                                           EventAccuracy accuracy = EventAccuracy::Instant);

// Every new moon in [jd_ut_from, jd_ut_to), in time order.
std::vector<double> NewMoonsBetween(double jd_ut_from, double jd_ut_to,
                                    EventAccuracy accuracy = EventAccuracy::Instant);

} // namespace host
