// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Apparent geocentric ecliptic longitudes of date of the Sun and the Moon: the Earth from
// ERFA's eraEpv00 (VSOP87-level), the Moon from lunar_theory.h, with light time, annual
// aberration, the IAU 2006 precession to the mean ecliptic of date and the IAU 2000B
// nutation in longitude.

#include "host/lunar_theory.h"

namespace host {

// Longitudes in degrees, 0 ≤ λ < 360, at the instant jd_tt (Julian Date, TT).
struct ApparentLongitudes {
    double sun = 0.0;
    double moon = 0.0;
};

double SunApparentLongitude(double jd_tt);
ApparentLongitudes SunAndMoonApparentLongitudes(double jd_tt, MoonTheory theory = MoonTheory::Moon98);

// The same longitudes without the nutation in longitude, which is common to both bodies and
// cancels in their difference: what the new-moon search needs, at less than half the cost.
ApparentLongitudes SunAndMoonLongitudesOfMeanEquinox(double jd_tt, MoonTheory theory = MoonTheory::Moon98);

// The Sun's longitude without the nutation in longitude (the mean equinox of date).
double SunLongitudeOfMeanEquinox(double jd_tt);

// The same with its rate in degrees a day, for Newton steps.
struct SunLongitudeAndRate {
    double longitude = 0.0;
    double rate = 0.0;
};
SunLongitudeAndRate SunLongitudeAndRateOfMeanEquinox(double jd_tt);

// Nutation in longitude Δψ in degrees: IAU 2000B, 77 terms, within 2.6 mas of IAU 2006/2000A
// in 1899 … 2102 (0.06 s of the Sun's motion) at a twentieth of its cost.
double NutationInLongitude(double jd_tt);

// Quick estimates of the same longitudes, at a small part of the cost, for finding where a
// root lies: the Earth–Moon barycentre of eraPlan94 with the Earth's offset from it, the
// aberration to first order and the four largest nutation terms. Against the full model they
// stay within kQuickSunErrorArcsec in 1899 … 2102 (9.2″ at worst in a scan at every 0.0737 day);
// the searches refine with the full model wherever a date could depend on the difference.
constexpr double kQuickSunErrorArcsec = 12.0;
// The span of that bound, Julian Dates (TT): 1898-12-27 … 2102-01-01. The searches use the
// full models outside it.
constexpr double kQuickModelFirstJd = 2414650.5;
constexpr double kQuickModelLastJd = 2488800.5;

// The Sun's apparent longitude (nutation included) and its rate.
SunLongitudeAndRate QuickSunApparentLongitude(double jd_tt);

// The Sun as above and the Moon from eraMoon98 as SunAndMoonLongitudesOfMeanEquinox takes it
// (its light time from a single position and the velocity), both of the mean equinox of date.
ApparentLongitudes QuickSunAndMoonLongitudesOfMeanEquinox(double jd_tt);

} // namespace host
