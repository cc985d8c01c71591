// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/sun_times.h"

#include <cmath>
#include <numbers>

#include "almanac/calendar_math.h"

namespace almanac {
namespace {

// The Sun moves on a fixed Keplerian ellipse whose elements are the Astronomical Almanac's
// low-precision Sun (mean anomaly g = 357.528° + 0.9856003° a day and mean longitude
// L = 280.460° + 0.9856474° a day from J2000.0, aberration included; eccentricity 0.01671;
// obliquity 23.439°), rounded to 0.01° and written per Julian century, with the longitude of
// perigee L − g. The Almanac gives that Sun to 0.01° in 1950 … 2050. What the formula leaves
// out, and what each costs the Sun's direction:
// - nutation: up to 17″ in longitude and 9″ in obliquity;
// - the drift of the eccentricity (0.01675 in 1901, 0.01667 in 2100: up to 21″ in the
//   equation of the centre) and of the obliquity (23.452° in 1901, 23.426° in 2100: up to
//   50″ in declination at the solstices);
// - the planets' perturbations (a few ″), the Sun's ecliptic latitude (below 1.2″) and its
//   parallax (8.8″);
// - the rounding: g + (L − g) is 0.01° (33″) ahead of the Almanac's L.
// Rise and set are found to 0.0001 rad (21″) of altitude, a few seconds of time. Together
// these keep rise and set within kSunTimesAccuracyMinutes of an exact ephemeris for the
// same horizon: src/host/sun_times_reference_test.cpp measures every day of 1901 … 2100
// (0.18 minute at worst, at 45° north in June, where the Sun crosses the horizon slowest).
// The horizon itself is a geocentric one under a standard atmosphere; real refraction at the
// horizon changes rise and set by a minute or more with the weather.

constexpr double kDeg = std::numbers::pi / 180.0; // radians in a degree

// Time. Day numbers D count days from 1900-12-31 0h (D = 1 on 1901-01-01); T counts Julian
// centuries of dynamical time (TT) from J2000.0, 2000-01-01 12:00 TT, which is D = 36160.5.
constexpr double kJ2000DayNumber = 36160.5;
constexpr double kDaysPerJulianCentury = 36525.0;
constexpr double kTimeZoneHours = 9.0; // Japan Standard Time, UT + 9 h

// ΔT = TT − UT in minutes, a straight line: 1 minute in 1995 (61 s measured), growing by 0.8 s
// a year. It is 14 s too low in 1901 and 50 s too high in 2100; the Sun moves 2.5″ a minute,
// so the times stay within a fraction of a second of those of the true ΔT. Sidereal time
// takes the universal time itself (Tu), not this estimate.
double DeltaTMinutes(int year) {
    constexpr int kDeltaTBaseYear = 1995;
    constexpr double kDeltaTBaseMinutes = 1.0;
    constexpr double kYearsPerMinuteOfDeltaT = 75.0;
    return (year - kDeltaTBaseYear) / kYearsPerMinuteOfDeltaT + kDeltaTBaseMinutes;
}

// The Sun's elements, degrees and degrees per Julian century of T.
constexpr double kMeanAnomalyAtJ2000 = 357.53;
constexpr double kMeanAnomalyPerCentury = 35999.05;
constexpr double kPerigeeAtJ2000 = 282.94; // longitude of perigee, L − g
constexpr double kPerigeePerCentury = 1.72;
constexpr double kEccentricity = 0.0167;
constexpr double kObliquity = 23.44 * kDeg; // of J2000.0, held fixed

// Greenwich mean sidereal time at 0h UT, hours (IAU 1982: 6h 41m 50.54841s +
// 8640184.812866 s per Julian century of UT, rounded); the UT hours are added on, and
// 2400 h (100 days) keeps the sum positive for every date from 1901 before it is reduced.
constexpr double kSiderealAtJ2000Hours = 6.69736;
constexpr double kSiderealHoursPerCentury = 2400.0513;
constexpr double kSiderealOffsetHours = 2400.0;

// The centre of the Sun at rise and set, degrees below a geocentric horizon: 34′ of refraction
// and 16′ of semi-diameter make the almanacs' −50′; the formula takes −54′, which puts rise
// about a third of a minute earlier and set as much later at Japan's latitudes.
constexpr double kRiseAltitude = -0.9 * kDeg;

constexpr double kTolerance = 0.0001; // radians: Kepler's equation and the altitude at a crossing
constexpr int kMaxIterations = 100;   // guards both loops; they converge in a handful of steps

constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

struct Equatorial {
    double ra;
    double dec;
};

// Sun's apparent right ascension and declination at T (Julian centuries of TT from J2000).
Equatorial SunPosition(double T) {
    double ms_deg = kMeanAnomalyAtJ2000 + kMeanAnomalyPerCentury * T;
    ms_deg -= 360.0 * std::trunc(ms_deg / 360.0);
    const double ms = ms_deg * kDeg;
    const double perigee = (kPerigeeAtJ2000 + kPerigeePerCentury * T) * kDeg;

    double e0 = ms, e1 = ms;
    for (int i = 0; i < kMaxIterations; ++i) {
        e1 = ms + kEccentricity * std::sin(e0);
        if (std::fabs(e0 - e1) <= kTolerance) break;
        e0 = e1;
    }
    const double x = std::cos(e1) - kEccentricity;
    const double y = std::sqrt(1.0 - kEccentricity * kEccentricity) * std::sin(e1);
    double nu = std::atan(y / x);
    if (x < 0) nu += std::numbers::pi;

    double lambda = std::atan(std::sin(perigee + nu) / std::cos(perigee + nu));
    if (std::cos(perigee + nu) < 0) lambda += std::numbers::pi;
    const double beta = 0.0;

    const double a = std::cos(beta) * std::cos(lambda);
    const double c = -std::sin(beta) * std::sin(kObliquity) + std::cos(beta) * std::cos(kObliquity) * std::sin(lambda);
    const double dec = std::atan((std::sin(beta) * std::cos(kObliquity) +
                                  std::cos(beta) * std::sin(kObliquity) * std::sin(lambda)) /
                                 std::sqrt(a * a + c * c));
    double ra = std::atan(c / a);
    if (a < 0) ra += std::numbers::pi;
    return {ra, dec};
}

struct Observer {
    int day_number; // D of the date
    double delta_t; // minutes
    double latitude;
    double longitude; // radians
};

// Altitude of the sun minus the rise-and-set altitude at UT hour t.
double AltitudeExcess(const Observer& o, double t) {
    const double T = (o.day_number + (t + o.delta_t / 60.0) / 24.0 - kJ2000DayNumber) / kDaysPerJulianCentury;
    const double Tu = T - o.delta_t / (24.0 * 60.0) / kDaysPerJulianCentury;
    const Equatorial sun = SunPosition(T);
    double theta = kSiderealAtJ2000Hours + kSiderealHoursPerCentury * Tu + t + kSiderealOffsetHours;
    theta -= 24.0 * std::trunc(theta / 24.0);
    const double h_angle = theta * 15.0 * kDeg + o.longitude - sun.ra;
    const double x = -std::cos(sun.dec) * std::sin(h_angle);
    const double y = std::sin(sun.dec) * std::cos(o.latitude) - std::cos(sun.dec) * std::sin(o.latitude) * std::cos(h_angle);
    const double z = std::sin(sun.dec) * std::sin(o.latitude) + std::cos(sun.dec) * std::cos(o.latitude) * std::cos(h_angle);
    return std::atan(z / std::sqrt(x * x + y * y)) - kRiseAltitude;
}

constexpr std::array<std::array<int, kBandsPerLatitude>, kBandLatitudeLast - kBandLatitudeFirst + 1> kUpperBounds = {{
    {85, 180, 280, 370, 465, 550, 750, 1000, 1200, 1500, 1850, 2200, 2600, 3000, 3500, 4000, 4000, 4000, 4000},
    {90, 180, 275, 365, 460, 540, 740, 970, 1185, 1475, 1820, 2150, 2540, 2940, 3435, 3920, 4000, 4000, 4000},
    {80, 165, 260, 350, 445, 530, 715, 960, 1170, 1445, 1770, 2120, 2485, 2880, 3355, 3825, 4000, 4000, 4000},
    {85, 160, 255, 345, 440, 515, 710, 940, 1145, 1415, 1725, 2065, 2435, 2800, 3285, 3735, 4000, 4000, 4000},
    {75, 155, 250, 335, 420, 500, 695, 925, 1125, 1385, 1680, 2010, 2365, 2740, 3200, 3650, 4000, 4000, 4000},
    {75, 150, 240, 320, 420, 485, 690, 905, 1095, 1350, 1635, 1965, 2315, 2675, 3100, 3555, 4000, 4000, 4000},
    {70, 135, 235, 300, 390, 480, 675, 885, 1075, 1320, 1595, 1920, 2265, 2605, 3005, 3465, 3900, 4000, 4000},
    {70, 125, 220, 295, 365, 460, 655, 865, 1050, 1270, 1545, 1865, 2200, 2550, 2920, 3370, 3800, 4000, 4000},
    {70, 120, 205, 270, 350, 440, 635, 840, 1020, 1240, 1500, 1800, 2150, 2485, 2835, 3265, 3695, 4000, 4000},
    {70, 120, 195, 260, 340, 420, 615, 820, 990, 1195, 1465, 1750, 2080, 2420, 2750, 3170, 3590, 4000, 4000},
    {65, 115, 185, 250, 320, 410, 610, 790, 970, 1165, 1420, 1700, 2000, 2340, 2665, 3070, 3500, 3900, 4000},
    {70, 100, 175, 240, 315, 400, 585, 770, 935, 1130, 1370, 1645, 1930, 2270, 2585, 2960, 3400, 3800, 4000},
    {70, 100, 175, 225, 300, 390, 580, 745, 910, 1095, 1320, 1585, 1870, 2200, 2500, 2855, 3250, 3700, 4000},
    {70, 100, 160, 215, 290, 370, 550, 725, 890, 1065, 1265, 1520, 1800, 2100, 2420, 2750, 3150, 3580, 4000},
    {70, 100, 180, 200, 275, 360, 535, 705, 860, 1030, 1220, 1465, 1755, 2020, 2330, 2660, 3000, 3450, 4000},
    {70, 100, 150, 190, 250, 340, 510, 685, 830, 995, 1175, 1400, 1685, 1950, 2260, 2550, 2900, 3300, 4000},
    {70, 100, 150, 180, 240, 330, 500, 660, 800, 955, 1125, 1345, 1620, 1890, 2170, 2470, 2800, 3185, 3730},
    {70, 100, 150, 180, 230, 320, 480, 625, 770, 920, 1085, 1290, 1530, 1820, 2085, 2355, 2700, 3060, 3460},
    {70, 100, 150, 180, 220, 300, 460, 605, 740, 900, 1045, 1210, 1470, 1750, 2000, 2250, 2600, 2915, 3265},
    {70, 100, 150, 180, 210, 295, 445, 580, 700, 865, 990, 1155, 1395, 1685, 1900, 2150, 2450, 2785, 3100},
    {70, 100, 150, 180, 200, 280, 415, 550, 680, 840, 950, 1100, 1315, 1600, 1800, 2050, 2300, 2600, 2900},
}};

auto MakeBands() {
    std::array<std::array<ElevationBand, kBandsPerLatitude>, kBandLatitudeLast - kBandLatitudeFirst + 1> bands{};
    for (std::size_t row = 0; row < bands.size(); ++row) {
        int lower = 50;
        for (std::size_t i = 0; i < kBandsPerLatitude; ++i) {
            const int upper = kUpperBounds[row][i];
            bands[row][i] = {kBandLatitudeFirst + static_cast<int>(row), lower, upper, 0.5 * static_cast<double>(i + 1)};
            lower = upper;
        }
    }
    return bands;
}

} // namespace

const std::array<std::array<ElevationBand, kBandsPerLatitude>, kBandLatitudeLast - kBandLatitudeFirst + 1>
    ElevationBands = MakeBands();

SunTimes SunriseSunset(int year, int month, int day, double latitude, double longitude) {
    SunTimes out;
    if (month < 1 || month > 12) return out;
    // The day number: the whole years since 1901 count a leap day every fourth year, which
    // is the Gregorian count up to 2100 (2000 is a leap year); the year's own leap day
    // follows the Gregorian rule, so that 2100, which has no 29 February, is not counted one
    // (counting it put every day from March 2100 on a day late: rise and set up to 1.9 minutes
    // off at 45° latitude).
    // Years after 2100 would count 2100's leap day in the first term: the day file, and so
    // every caller, ends with 2100.
    int d = static_cast<int>(std::trunc((year - 1901) * 365.25 + 0.1)) + kDaysBeforeMonth[month - 1u] + day;
    if (IsLeapYear(year) && month >= 3) d += 1;
    const Observer o{d, DeltaTMinutes(year), latitude * kDeg, longitude * kDeg};

    for (int j = 0; j < 24; ++j) {
        double t0 = j - kTimeZoneHours, t1 = j - kTimeZoneHours + 1.0;
        double f0 = AltitudeExcess(o, t0), f1 = AltitudeExcess(o, t1);
        if (f0 * f1 > 0) continue;
        const bool rising = f0 < f1;
        double t = t0;
        for (int i = 0; i < kMaxIterations; ++i) {
            if (f1 == f0) break; // both ends on the horizon altitude: t0 is the crossing
            t = t0 + (0.0 - f0) / (f1 - f0) * (t1 - t0);
            const double ft = AltitudeExcess(o, t);
            if (std::fabs(ft) < kTolerance) break;
            if (f1 * ft > 0) {
                t1 = t;
                f1 = ft;
            } else {
                t0 = t;
                f0 = ft;
            }
        }
        if (rising)
            out.rise = t + kTimeZoneHours;
        else
            out.set = t + kTimeZoneHours;
    }
    // No crossing: the altitude keeps one side of the horizon all day.
    if (out.rise < 0 && out.set < 0) out.up_all_day = AltitudeExcess(o, -kTimeZoneHours) > 0;
    return out;
}

void ApplyElevation(SunTimes& times, double elevation, double latitude) {
    if (elevation == 0) return;
    const double k = std::trunc(latitude);
    if (!(k >= kBandLatitudeFirst && k <= kBandLatitudeLast)) return;
    const auto& bands = ElevationBands[static_cast<std::size_t>(k - kBandLatitudeFirst)];
    double minutes = 0;
    for (const ElevationBand& band : bands) {
        if (band.lower <= elevation && elevation < band.upper) {
            minutes = band.minutes;
            break;
        }
    }
    if (minutes == 0 && elevation >= bands.back().upper) minutes = bands.back().minutes + 0.5;
    if (minutes == 0) return;
    if (times.rise >= 0) times.rise -= minutes / 60.0;
    if (times.set >= 0) times.set += minutes / 60.0;
}

ClockTime SplitSunTime(double t) {
    const int hour = static_cast<int>(std::trunc(t + 1.0 / 120.0));
    const int minute = static_cast<int>(std::trunc((t - hour) * 60.0));
    return {hour, minute < 0 ? 0 : minute};
}

} // namespace almanac
