// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/sun_times.h"

#include <cmath>

namespace almanac {
namespace {

constexpr double kDeg = 0.017453292519943295;
constexpr double kObliquity = 23.44 * kDeg;
constexpr double kTimeZone = 9.0;
constexpr double kRiseAltitude = -0.9 * kDeg;
constexpr double kEccentricity = 0.0167;
constexpr double kTolerance = 0.0001;
constexpr int kMaxIterations = 100; // guards both loops; they converge in a handful of steps

constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

struct Equatorial {
    double ra;
    double dec;
};

// Sun's apparent right ascension and declination at T (Julian centuries of TT from J2000).
Equatorial SunPosition(double T) {
    double ms_deg = 357.53 + 35999.05 * T;
    ms_deg -= 360.0 * std::trunc(ms_deg / 360.0);
    const double ms = ms_deg * kDeg;
    const double perigee = (282.94 + 1.72 * T) * kDeg;

    double e0 = ms, e1 = ms;
    for (int i = 0; i < kMaxIterations; ++i) {
        e1 = ms + kEccentricity * std::sin(e0);
        if (std::fabs(e0 - e1) <= kTolerance) break;
        e0 = e1;
    }
    const double x = std::cos(e1) - kEccentricity;
    const double y = std::sqrt(1.0 - kEccentricity * kEccentricity) * std::sin(e1);
    double nu = std::atan(y / x);
    if (x < 0) nu += M_PI;

    double lambda = std::atan(std::sin(perigee + nu) / std::cos(perigee + nu));
    if (std::cos(perigee + nu) < 0) lambda += M_PI;
    const double beta = 0.0;

    const double a = std::cos(beta) * std::cos(lambda);
    const double c = -std::sin(beta) * std::sin(kObliquity) + std::cos(beta) * std::cos(kObliquity) * std::sin(lambda);
    const double dec = std::atan((std::sin(beta) * std::cos(kObliquity) +
                                  std::cos(beta) * std::sin(kObliquity) * std::sin(lambda)) /
                                 std::sqrt(a * a + c * c));
    double ra = std::atan(c / a);
    if (a < 0) ra += M_PI;
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
    const double T = (o.day_number + (t + o.delta_t / 60.0) / 24.0 - 36160.5) / 36525.0;
    const double Tu = T - o.delta_t / 1440.0 / 36525.0;
    const Equatorial sun = SunPosition(T);
    double theta = 6.69736 + 2400.0513 * Tu + t + 2400.0;
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
    int d = static_cast<int>(std::trunc((year - 1901) * 365.25 + 0.1)) + kDaysBeforeMonth[month - 1u] + day;
    if (year % 4 == 0 && month >= 3) d += 1;
    const Observer o{d, (year - 1995) / 75.0 + 1.0, latitude * kDeg, longitude * kDeg};

    for (int j = 0; j < 24; ++j) {
        double t0 = j - kTimeZone, t1 = j - kTimeZone + 1.0;
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
            out.rise = t + kTimeZone;
        else
            out.set = t + kTimeZone;
    }
    // No crossing: the altitude keeps one side of the horizon all day.
    if (out.rise < 0 && out.set < 0) out.up_all_day = AltitudeExcess(o, -kTimeZone) > 0;
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
