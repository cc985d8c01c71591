// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/event_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "host/civil_date.h"
#include "host/delta_t.h"
#include "host/ephemeris.h"
#include "host/lunar_theory.h"

namespace host {
namespace {

constexpr double kSunMeanRate = 360.0 / 365.2422;  // degrees a day
constexpr double kSynodicRate = 360.0 / 29.530589; // elongation, degrees a day
constexpr double kTolerance = 1e-8;                // days, about a millisecond
constexpr int kMaxSteps = 30;

// The extra longitudes of the seasonal days: the start of 土用 (27°, 117°, 207°, 297°) and 入梅 (80°).
constexpr std::array<int, 5> kExtraLongitudes = {27, 80, 117, 207, 297};

// The quick roots lie this close to the full models' at worst; within twice that of a JST
// midnight (or noon) a date could differ, and the full models decide. The Sun: the quick
// model's error at its slowest, 0.95° a day. A new moon: that error and eraMoon98's (21 s)
// at the slowest elongation, 10° a day.
constexpr double kQuickSunRootError = kQuickSunErrorArcsec / (0.95 * 3600.0);               // 5 minutes
constexpr double kQuickMoonRootError = kQuickSunErrorArcsec / (10.0 * 3600.0) + 21.0 / 86400.0; // 70 s
constexpr double kSolarDateWindow = 2.0 * kQuickSunRootError;
constexpr double kNewMoonDateWindow = 2.5 * kQuickMoonRootError;
constexpr double kQuickTolerance = 1e-6; // days, a tenth of a second

// The equinoxes: whether their instant falls before or after JST noon moves 社日.
constexpr std::array<int, 2> kHalfDayLongitudes = {0, 180};

bool QuickModelsHold(double jd_tt) {
    return jd_tt >= kQuickModelFirstJd && jd_tt <= kQuickModelLastJd;
}

// Whether the instant lies within `window` days of a JST midnight, or of a JST noon too.
bool NearJstHour(double jd_ut, double window, bool noon_too = false) {
    const double jst = jd_ut + 0.5 + kJstOffsetDays;
    double of_day = jst - std::floor(jst);
    if (noon_too && of_day >= 0.5) of_day -= 0.5;
    const double day = noon_too ? 0.5 : 1.0;
    return of_day < window || of_day > day - window;
}

// Degrees in (−180, 180].
double Wrapped(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    if (degrees > 180.0) degrees -= 360.0;
    if (degrees <= -180.0) degrees += 360.0;
    return degrees;
}

// Secant iteration for the root of `offset` (degrees, increasing at about `rate` degrees a
// day) near jd_tt. The functions are smooth and monotonic over the whole bracket, so the
// iteration converges in four or five steps; a step is never allowed to leave a ±`rate`-limited
// window of a few days, which keeps a poor first guess from jumping to the next root.
struct Root {
    double jd_tt;
    double slope; // degrees a day at the root
};

template <typename Offset> Root SolveNear(Offset offset, double jd_tt, double rate, double tolerance = kTolerance) {
    double t0 = jd_tt;
    double f0 = offset(t0);
    double t1 = t0 - f0 / rate;
    if (std::fabs(t1 - t0) < tolerance) return {t1, rate};
    for (int step = 0; step < kMaxSteps; ++step) {
        const double f1 = offset(t1);
        double slope = (f1 - f0) / (t1 - t0);
        if (!(slope > 0.1 * rate && slope < 10.0 * rate)) slope = rate;
        double next = t1 - f1 / slope;
        next = std::clamp(next, t1 - 5.0, t1 + 5.0);
        t0 = t1;
        f0 = f1;
        t1 = next;
        if (std::fabs(t1 - t0) < tolerance) return {t1, slope};
    }
    throw std::runtime_error("event search did not converge");
}

// Newton's method on the quick Sun, to a tenth of a second of its own root.
Root SolveQuickSolarLongitude(double longitude, double guess_tt) {
    double tt = guess_tt;
    for (int step = 0; step < kMaxSteps; ++step) {
        const SunLongitudeAndRate sun = QuickSunApparentLongitude(tt);
        const double rate = std::clamp(sun.rate, 0.5 * kSunMeanRate, 2.0 * kSunMeanRate);
        const double delta = std::clamp(Wrapped(sun.longitude - longitude) / rate, -5.0, 5.0);
        tt -= delta;
        if (std::fabs(delta) < kQuickTolerance) return {tt, rate};
    }
    throw std::runtime_error("solar longitude search did not converge");
}

// Newton's method on the Sun's longitude with the rate that comes with it, from a start
// near the root. The rate leaves out precession and the change of aberration, a part in
// ten thousand, so the error left after a step is that part of the step: a step below
// 1e-5 day leaves under 0.2 ms. The nutation in longitude changes by at most about 0.15″ a
// day: it is taken once at the start, and once more at the root when that lies farther
// from the start than 0.004 day (where holding it would cost more than 0.01 s).
Root RefineSolarLongitude(double longitude, double start_tt) {
    constexpr double kNutationHold = 0.004;
    constexpr double kLastStep = 1e-5;
    const double dpsi = NutationInLongitude(start_tt);
    double tt = start_tt;
    for (int step = 0; step < kMaxSteps; ++step) {
        const SunLongitudeAndRate sun = SunLongitudeAndRateOfMeanEquinox(tt);
        const double rate = std::clamp(sun.rate, 0.5 * kSunMeanRate, 2.0 * kSunMeanRate);
        const double delta = std::clamp(Wrapped(sun.longitude + dpsi - longitude) / rate, -5.0, 5.0);
        tt -= delta;
        if (std::fabs(delta) < kLastStep) {
            if (std::fabs(tt - start_tt) > kNutationHold) tt += (dpsi - NutationInLongitude(tt)) / rate;
            return {tt, rate};
        }
    }
    throw std::runtime_error("solar longitude search did not converge");
}

// The full models' root: started from the quick root (within minutes of it) where the quick
// model holds, so that two steps of the full model reach it.
Root SolveSolarLongitude(double longitude, double guess_tt) {
    if (!QuickModelsHold(guess_tt)) return RefineSolarLongitude(longitude, guess_tt);
    return RefineSolarLongitude(longitude, SolveQuickSolarLongitude(longitude, guess_tt).jd_tt);
}

// The root for the dates: the quick one, or the full one where the date could differ.
Root SolveSolarLongitudeForDate(int longitude, double guess_tt) {
    if (!QuickModelsHold(guess_tt)) return RefineSolarLongitude(longitude, guess_tt);
    const Root quick = SolveQuickSolarLongitude(longitude, guess_tt);
    const bool half_day = std::find(kHalfDayLongitudes.begin(), kHalfDayLongitudes.end(), longitude) !=
                          kHalfDayLongitudes.end();
    if (!NearJstHour(UtFromTt(quick.jd_tt), kSolarDateWindow, half_day)) return quick;
    return RefineSolarLongitude(longitude, quick.jd_tt);
}

// Δψ moves both longitudes alike, so the elongation needs no nutation.
double Elongation(double jd_tt, MoonTheory theory) {
    const ApparentLongitudes l = SunAndMoonLongitudesOfMeanEquinox(jd_tt, theory);
    return Wrapped(l.moon - l.sun);
}

Root QuickNewMoon(double guess_tt) {
    const auto quick_elongation = [](double t) {
        const ApparentLongitudes l = QuickSunAndMoonLongitudesOfMeanEquinox(t);
        return Wrapped(l.moon - l.sun);
    };
    return SolveNear(quick_elongation, guess_tt, kSynodicRate, kQuickTolerance);
}

// The new moon of eraMoon98 with the full Sun from a start near it, refined by the full
// lunar theory.
double RefineNewMoon(const Root& start) {
    const Root root = SolveNear([](double t) { return Elongation(t, MoonTheory::Moon98); }, start.jd_tt, start.slope);
    double tt = root.jd_tt;
    if (HasFullLunarTheory()) {
        // The two theories differ by seconds, over which the elongation's rate is constant to
        // a part in a million: one Newton step lands on the full theory's root.
        tt -= Elongation(tt, MoonTheory::Elp82b) / root.slope;
    }
    return tt;
}

double FullNewMoon(double guess_tt) {
    if (!QuickModelsHold(guess_tt)) return RefineNewMoon({guess_tt, kSynodicRate});
    return RefineNewMoon(QuickNewMoon(guess_tt));
}

double NewMoonForDate(double guess_tt) {
    if (!QuickModelsHold(guess_tt)) return RefineNewMoon({guess_tt, kSynodicRate});
    const Root quick = QuickNewMoon(guess_tt);
    return NearJstHour(UtFromTt(quick.jd_tt), kNewMoonDateWindow) ? RefineNewMoon(quick) : quick.jd_tt;
}

} // namespace

double FindSolarLongitude(double longitude, double jd_ut_guess) {
    return UtFromTt(SolveSolarLongitude(longitude, TtFromUt(jd_ut_guess)).jd_tt);
}

double FindNewMoon(double jd_ut_guess, EventAccuracy accuracy) {
    const double guess_tt = TtFromUt(jd_ut_guess);
    return UtFromTt(accuracy == EventAccuracy::Date ? NewMoonForDate(guess_tt) : FullNewMoon(guess_tt));
}

std::vector<SolarEvent> SolarEventsBetween(double jd_ut_from, double jd_ut_to, EventAccuracy accuracy) {
    std::vector<int> targets;
    for (int l = 0; l < 360; l += 5)
        targets.push_back(l);
    targets.insert(targets.end(), kExtraLongitudes.begin(), kExtraLongitudes.end());
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end()); // 80° is both

    std::vector<SolarEvent> events;
    double start_longitude = SunApparentLongitude(TtFromUt(jd_ut_from));
    // The first target strictly ahead of the Sun's place at the start.
    std::size_t next =
        std::upper_bound(targets.begin(), targets.end(), static_cast<int>(start_longitude)) - targets.begin();
    double last_jd = jd_ut_from;
    double rate = kSunMeanRate; // the Sun's rate at the last event found, for the next guess
    double last_longitude = start_longitude;
    for (;;) {
        if (next == targets.size()) next = 0;
        const int target = targets[next];
        double ahead = std::fmod(target - last_longitude + 360.0, 360.0);
        const double guess = TtFromUt(last_jd + ahead / rate);
        const Root root = accuracy == EventAccuracy::Date ? SolveSolarLongitudeForDate(target, guess)
                                                          : SolveSolarLongitude(target, guess);
        const double jd = UtFromTt(root.jd_tt);
        rate = root.slope;
        if (jd >= jd_ut_to) break;
        if (jd >= jd_ut_from) events.push_back({jd, target});
        last_jd = jd;
        last_longitude = target;
        ++next;
    }
    return events;
}

std::vector<double> NewMoonsBetween(double jd_ut_from, double jd_ut_to, EventAccuracy accuracy) {
    const ApparentLongitudes start = SunAndMoonLongitudesOfMeanEquinox(TtFromUt(jd_ut_from));
    double elongation = std::fmod(start.moon - start.sun + 720.0, 360.0);
    double guess = jd_ut_from + (360.0 - elongation) / kSynodicRate;
    std::vector<double> moons;
    double jd = FindNewMoon(guess, accuracy);
    if (jd < jd_ut_from) jd = FindNewMoon(jd + 29.53, accuracy);
    while (jd < jd_ut_to) {
        moons.push_back(jd);
        jd = FindNewMoon(jd + 29.53, accuracy);
    }
    return moons;
}

} // namespace host
