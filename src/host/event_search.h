#pragma once
// Instants of solar longitudes and of new moons, found by root finding on the apparent
// longitudes of ephemeris.h. Instants are Julian Dates in UT (TT − ΔT).

#include <vector>

namespace host {

// The instant when the Sun's apparent longitude reaches `longitude` (degrees), the one
// nearest to `jd_ut_guess` (the Sun needs a year for a turn; the guess must be within
// about half a year). Converges to well under a millisecond.
double FindSolarLongitude(double longitude, double jd_ut_guess);

// How much of the full lunar theory a new-moon search spends (lunar_theory.h). eraMoon98
// finds every new moon to within 21 s; one Newton step with ELP 2000-82B then brings it to a
// few seconds, at 4.5 ms a step.
enum class NewMoonAccuracy {
    Instant, // every instant refined
    Date,    // refined only within a minute of JST midnight, where the date could change
};

// The new moon (apparent longitudes of Sun and Moon equal) nearest to `jd_ut_guess`
// (within about half a synodic month).
double FindNewMoon(double jd_ut_guess, NewMoonAccuracy accuracy = NewMoonAccuracy::Instant);

struct SolarEvent {
    double jd_ut = 0.0;
    int longitude = 0; // degrees, 0 … 359
};

// Every instant in [jd_ut_from, jd_ut_to) at which the Sun's longitude is a multiple of 5°
// (80° among them, for 入梅) or one of the starts of 土用 (27°, 117°, 207°, 297°), in time
// order: 76 a year.
std::vector<SolarEvent> SolarEventsBetween(double jd_ut_from, double jd_ut_to);

// Every new moon in [jd_ut_from, jd_ut_to), in time order.
std::vector<double> NewMoonsBetween(double jd_ut_from, double jd_ut_to,
                                    NewMoonAccuracy accuracy = NewMoonAccuracy::Instant);

} // namespace host
