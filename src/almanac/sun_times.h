// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sunrise and sunset at the user's place, in Japan Standard Time, from a low-precision solar
// position; and the correction of both for the place's elevation.

#include <array>

namespace almanac {

struct SunTimes {
    double rise = -1.0; // local decimal hours; −1 when the sun does not cross in the day
    double set = -1.0;
    // With neither crossing (near the poles): whether the sun stays above the rise-and-set
    // altitude all day (midnight sun) rather than below it (polar night).
    bool up_all_day = false;
};

// Latitude and longitude in degrees, north and east positive.
// The formula's accuracy: how far from an exact ephemeris its times stay on every day of
// 1901 … 2100 at latitudes up to 45° north or south, for the same horizon (sun_times.cpp says
// what the formula leaves out). Beyond 45° the Sun crosses the horizon ever more slowly and
// the error grows; near the poles a crossing may be missed altogether.
inline constexpr double kSunTimesAccuracyMinutes = 0.25;
SunTimes SunriseSunset(int year, int month, int day, double latitude, double longitude);

// One elevation band: elevations in [lower, upper) metres make rise earlier and set later
// by `minutes`. A band whose bounds are equal is empty.
struct ElevationBand {
    int latitude;
    int lower;
    int upper;
    double minutes;
};
constexpr int kBandLatitudeFirst = 25;
constexpr int kBandLatitudeLast = 45;
constexpr int kBandsPerLatitude = 19;
// For each whole latitude 25 … 45, its 19 bands in order.
extern const std::array<std::array<ElevationBand, kBandsPerLatitude>, kBandLatitudeLast - kBandLatitudeFirst + 1>
    ElevationBands;

// Moves rise earlier and set later by the minutes of the band that holds the elevation at
// the whole latitude; an elevation at or above the last band's upper bound takes 10.0
// minutes. Elevation 0, a latitude outside 25 … 45, and elevations below the first band
// (under 50 m) change nothing. A time of −1 (no crossing) is left as it is.
void ApplyElevation(SunTimes& times, double elevation, double latitude);

// A sun time split into hours and minutes as the almanac list writes it: the hour is
// Trunc(t + 1/120) and the minutes Trunc((t − hour) × 60), 0 when t + 1/120 reached the
// next hour. 5.7446 h gives 5:44, 17.877 h gives 17:52.
struct ClockTime {
    int hour;
    int minute;
};
ClockTime SplitSunTime(double t);

} // namespace almanac
