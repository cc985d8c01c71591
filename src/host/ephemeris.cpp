// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ephemeris.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "host/lunar_theory.h"

namespace host {
namespace {

constexpr double kLightTimePerAu = ERFA_AULT / ERFA_DAYSEC; // days that light takes for 1 au
constexpr double kCInAuPerDay = 1.0 / kLightTimePerAu;

struct EarthState {
    double heliocentric[3];
    double barycentric[3];
    double velocity[3];       // barycentric, au/day
    double helio_velocity[3]; // heliocentric, au/day
    double sun_velocity[3];   // the Sun's barycentric velocity, au/day
};

EarthState EarthAt(double jd_tt) {
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(ERFA_DJ00, jd_tt - ERFA_DJ00, pvh, pvb);
    EarthState state{};
    for (int i = 0; i < 3; ++i) {
        state.heliocentric[i] = pvh[0][i];
        state.barycentric[i] = pvb[0][i];
        state.velocity[i] = pvb[1][i];
        state.helio_velocity[i] = pvh[1][i];
        state.sun_velocity[i] = pvb[1][i] - pvh[1][i];
    }
    return state;
}

// Annual aberration of a direction (BCRS-aligned, any length) seen from the Earth with
// barycentric velocity `velocity`; `sun_distance` is the Earth's distance from the Sun in au,
// which eraAb's relativistic term needs.
void Aberrate(double direction[3], const double velocity[3], double sun_distance) {
    double unit[3];
    double length = 0.0;
    eraPn(direction, &length, unit);
    double v[3];
    for (int i = 0; i < 3; ++i)
        v[i] = velocity[i] / kCInAuPerDay;
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    double apparent[3];
    eraAb(unit, v, sun_distance, bm1, apparent);
    for (int i = 0; i < 3; ++i)
        direction[i] = apparent[i] * length;
}

double LongitudeOfDate(double matrix[3][3], double direction[3]) {
    double ecliptic[3];
    eraRxp(matrix, direction, ecliptic);
    return eraAnp(std::atan2(ecliptic[1], ecliptic[0])) * ERFA_DR2D;
}

// Geocentric direction of the Sun as seen: the Sun where it was when the light left it (its
// barycentric velocity, about 13 m/s, carried back over the 500 s of light time; its change in
// that time is far below a metre), from the Earth where it is, then aberration.
void ApparentSun(EarthState earth, double sun[3], double* distance) {
    const double light_time = eraPm(earth.heliocentric) * kLightTimePerAu;
    double sun_barycentric[3];
    for (int i = 0; i < 3; ++i) {
        sun_barycentric[i] = earth.barycentric[i] - earth.heliocentric[i] - earth.sun_velocity[i] * light_time;
    }
    for (int i = 0; i < 3; ++i)
        sun[i] = sun_barycentric[i] - earth.barycentric[i];
    *distance = eraPm(sun);
    Aberrate(sun, earth.velocity, *distance);
}

// Geocentric direction of the Moon as seen: the Moon at the time its light left it, from the
// Earth at the time of observation (the Earth's barycentric motion during the light time is
// taken out), then the same annual aberration; the two Earth-motion terms nearly cancel, as
// they should for a body that travels with the Earth.
void ApparentMoon(double jd_tt, MoonTheory theory, const EarthState& earth, double sun_distance, double moon[3]) {
    // The light time (1.3 s) from Moon98's distance: 30 km of error in it changes the time by 0.1 ms.
    double rough[3];
    MoonPosition(jd_tt, MoonTheory::Moon98, rough);
    const double light_time = eraPm(rough) * kLightTimePerAu;
    double position[3];
    MoonPosition(jd_tt - light_time, theory, position);
    for (int i = 0; i < 3; ++i)
        moon[i] = position[i] - earth.velocity[i] * light_time;
    Aberrate(moon, earth.velocity, sun_distance);
}

// The Sun as seen at jd_tt, with what the Moon's place and the longitudes need of it.
struct SunView {
    EarthState earth;
    double direction[3];
    double distance = 0.0;
    double to_ecliptic[3][3]; // GCRS to the mean ecliptic and equinox of date
};

SunView ViewOfSun(double jd_tt) {
    SunView view{};
    view.earth = EarthAt(jd_tt);
    ApparentSun(view.earth, view.direction, &view.distance);
    eraEcm06(ERFA_DJ00, jd_tt - ERFA_DJ00, view.to_ecliptic);
    return view;
}

ApparentLongitudes LongitudesOfMeanEquinox(double jd_tt, MoonTheory theory) {
    SunView view = ViewOfSun(jd_tt);
    double moon[3];
    ApparentMoon(jd_tt, theory, view.earth, view.distance, moon);
    return {LongitudeOfDate(view.to_ecliptic, view.direction), LongitudeOfDate(view.to_ecliptic, moon)};
}

// The rate of the Sun's geocentric longitude (degrees a day) from the Earth's heliocentric
// motion; precession (50″ a year) and the slow change of aberration are left out, a part in
// ten thousand, which is all that a Newton step needs.
double SunLongitudeRate(const EarthState& earth, double to_ecliptic[3][3]) {
    double position[3];
    double velocity[3];
    double p[3];
    double v[3];
    for (int i = 0; i < 3; ++i) {
        position[i] = -earth.heliocentric[i];
        velocity[i] = -earth.helio_velocity[i];
    }
    eraRxp(to_ecliptic, position, p);
    eraRxp(to_ecliptic, velocity, v);
    return (p[0] * v[1] - p[1] * v[0]) / (p[0] * p[0] + p[1] * p[1]) * ERFA_DR2D;
}

constexpr double kEarthToMoonMass = 81.3005690769; // IAU 2009
constexpr double kKmPerAu = ERFA_DAU / 1000.0;

double Sine(double degrees) {
    return std::sin(degrees * ERFA_DD2R);
}
double Cosine(double degrees) {
    return std::cos(degrees * ERFA_DD2R);
}

// The Moon on the ecliptic and equinox of date from the largest terms of its series, to about
// 0.1° and 0.5 % (t in Julian centuries TT from J2000): enough for the Earth's offset from the
// Earth–Moon barycentre, 4,700 km, whose direction from the Sun it moves by under 0.01″.
void RoughMoonOfDate(double t, double moon[3]) {
    const double d = 297.8501921 + 445267.1114034 * t;  // mean elongation
    const double m = 357.5291092 + 35999.0502909 * t;   // the Sun's mean anomaly
    const double mm = 134.9633964 + 477198.8675055 * t; // the Moon's mean anomaly
    const double f = 93.2720950 + 483202.0175233 * t;   // argument of latitude
    const double l = 218.3164477 + 481267.8812342 * t;  // mean longitude
    const double longitude = l + 6.288774 * Sine(mm) + 1.274027 * Sine(2 * d - mm) + 0.658314 * Sine(2 * d) +
                             0.213618 * Sine(2 * mm) - 0.185116 * Sine(m) - 0.114332 * Sine(2 * f);
    const double latitude = 5.128122 * Sine(f) + 0.280602 * Sine(mm + f) + 0.277693 * Sine(mm - f);
    const double distance =
        (385000.56 - 20905.355 * Cosine(mm) - 3699.111 * Cosine(2 * d - mm) - 2955.968 * Cosine(2 * d)) / kKmPerAu;
    moon[0] = distance * Cosine(latitude) * Cosine(longitude);
    moon[1] = distance * Cosine(latitude) * Sine(longitude);
    moon[2] = distance * Sine(latitude);
}

// Δψ in degrees from its four largest terms, within about 0.5″.
double RoughNutationInLongitude(double t) {
    const double node = 125.04452 - 1934.136261 * t;
    const double sun = 280.4665 + 36000.7698 * t;
    const double moon = 218.3165 + 481267.8813 * t;
    return (-17.20 * Sine(node) - 1.32 * Sine(2 * sun) - 0.23 * Sine(2 * moon) + 0.21 * Sine(2 * node)) / 3600.0;
}

// Longitude of a direction on the ecliptic of date after aberration to first order; the
// second-order terms are below a thousandth of an arcsecond.
double AberratedLongitude(double direction[3], double velocity_over_c[3]) {
    double unit[3];
    double length = 0.0;
    eraPn(direction, &length, unit);
    const double along = eraPdp(unit, velocity_over_c);
    double apparent[3];
    for (int i = 0; i < 3; ++i)
        apparent[i] = unit[i] + velocity_over_c[i] - along * unit[i];
    return eraAnp(std::atan2(apparent[1], apparent[0])) * ERFA_DR2D;
}

// The quick Sun on the ecliptic of date, with what the quick Moon needs of it.
struct QuickView {
    double to_ecliptic[3][3]; // GCRS to the mean ecliptic and equinox of date
    double sun[3];            // geometric, geocentric
    double velocity[3];       // the Earth's heliocentric velocity, au/day
    double sun_longitude = 0.0;
    double sun_rate = 0.0; // degrees a day
};

QuickView QuickViewOfSun(double jd_tt) {
    QuickView view{};
    double barycentre[2][3]; // of the Earth and the Moon, heliocentric, J2000 axes
    eraPlan94(ERFA_DJ00, jd_tt - ERFA_DJ00, 3, barycentre);
    eraEcm06(ERFA_DJ00, jd_tt - ERFA_DJ00, view.to_ecliptic);
    double sun[3];
    eraRxp(view.to_ecliptic, barycentre[0], sun);
    eraRxp(view.to_ecliptic, barycentre[1], view.velocity);
    double moon[3];
    RoughMoonOfDate((jd_tt - ERFA_DJ00) / ERFA_DJC, moon);
    // The Earth lies opposite the Moon from the barycentre, at 1/(1 + M⊕/M☾) of its distance.
    for (int i = 0; i < 3; ++i)
        view.sun[i] = -sun[i] + moon[i] / (1.0 + kEarthToMoonMass);
    double velocity_over_c[3];
    for (int i = 0; i < 3; ++i)
        velocity_over_c[i] = view.velocity[i] / kCInAuPerDay;
    view.sun_longitude = AberratedLongitude(view.sun, velocity_over_c);
    const double* p = view.sun;
    const double* v = view.velocity; // the Sun's geocentric velocity is its opposite
    view.sun_rate = -(p[0] * v[1] - p[1] * v[0]) / (p[0] * p[0] + p[1] * p[1]) * ERFA_DR2D;
    return view;
}

double Normalized(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

} // namespace

double NutationInLongitude(double jd_tt) {
    double dpsi = 0.0;
    double deps = 0.0;
    eraNut00b(ERFA_DJ00, jd_tt - ERFA_DJ00, &dpsi, &deps);
    return dpsi * ERFA_DR2D;
}

double SunApparentLongitude(double jd_tt) {
    return Normalized(SunLongitudeOfMeanEquinox(jd_tt) + NutationInLongitude(jd_tt));
}

double SunLongitudeOfMeanEquinox(double jd_tt) {
    return SunLongitudeAndRateOfMeanEquinox(jd_tt).longitude;
}

SunLongitudeAndRate SunLongitudeAndRateOfMeanEquinox(double jd_tt) {
    SunView view = ViewOfSun(jd_tt);
    return {LongitudeOfDate(view.to_ecliptic, view.direction), SunLongitudeRate(view.earth, view.to_ecliptic)};
}

ApparentLongitudes SunAndMoonApparentLongitudes(double jd_tt, MoonTheory theory) {
    ApparentLongitudes result = LongitudesOfMeanEquinox(jd_tt, theory);
    const double dpsi = NutationInLongitude(jd_tt);
    result.sun = Normalized(result.sun + dpsi);
    result.moon = Normalized(result.moon + dpsi);
    return result;
}

ApparentLongitudes SunAndMoonLongitudesOfMeanEquinox(double jd_tt, MoonTheory theory) {
    return LongitudesOfMeanEquinox(jd_tt, theory);
}


SunLongitudeAndRate QuickSunApparentLongitude(double jd_tt) {
    const QuickView view = QuickViewOfSun(jd_tt);
    return {Normalized(view.sun_longitude + RoughNutationInLongitude((jd_tt - ERFA_DJ00) / ERFA_DJC)), view.sun_rate};
}

ApparentLongitudes QuickSunAndMoonLongitudesOfMeanEquinox(double jd_tt) {
    QuickView view = QuickViewOfSun(jd_tt);
    double pv[2][3];
    eraMoon98(ERFA_DJ00, jd_tt - ERFA_DJ00, pv);
    // Where the Moon was when its light left it, 1.3 s before, from where the Earth is now.
    const double light_time = eraPm(pv[0]) * kLightTimePerAu;
    double moon_gcrs[3];
    for (int i = 0; i < 3; ++i)
        moon_gcrs[i] = pv[0][i] - pv[1][i] * light_time;
    double moon[3];
    eraRxp(view.to_ecliptic, moon_gcrs, moon);
    double velocity_over_c[3];
    for (int i = 0; i < 3; ++i) {
        moon[i] -= view.velocity[i] * light_time;
        velocity_over_c[i] = view.velocity[i] / kCInAuPerDay;
    }
    return {view.sun_longitude, AberratedLongitude(moon, velocity_over_c)};
}

} // namespace host
