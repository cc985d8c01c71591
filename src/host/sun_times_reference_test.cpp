// SPDX-License-Identifier: GPL-3.0-or-later
// The almanac's sunrise and sunset formula (almanac/sun_times.h) against the host's own
// ephemeris: the Sun's apparent longitude of ephemeris.h, ERFA's obliquity, nutation and
// sidereal time, and the ΔT table. Both sides take the formula's own horizon (the centre of
// the Sun 0.9° below a geocentric horizon), so the difference is the formula's astronomy,
// not the choice of refraction; the reference's crossings are found to a millisecond.

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/sun_times.h"
#include "host/civil_date.h"
#include "host/delta_t.h"
#include "host/ephemeris.h"

namespace host {
namespace {

constexpr double kHorizon = -0.9 * ERFA_DD2R;

// The Sun at 0h TT of every day of a span, interpolated between: a quadratic through three
// days is exact to a few milliarcseconds (the Moon's monthly pull on the Earth the largest
// part), well under a millisecond of time at the horizon.
class ReferenceSun {
public:
    ReferenceSun(int first_jdn, int last_jdn) : first_(first_jdn - 2) {
        double previous = 0.0;
        for (int jdn = first_; jdn <= last_jdn + 2; ++jdn) {
            const double jd = jdn - 0.5;
            double longitude = SunApparentLongitude(jd) * ERFA_DD2R;
            if (!nodes_.empty())
                longitude += 2 * std::numbers::pi * std::round((previous - longitude) / (2 * std::numbers::pi));
            previous = longitude;
            double dpsi = 0.0, deps = 0.0;
            eraNut00b(ERFA_DJ00, jd - ERFA_DJ00, &dpsi, &deps);
            nodes_.push_back({longitude, dpsi, eraObl06(ERFA_DJ00, jd - ERFA_DJ00) + deps});
        }
    }

    // The Sun's altitude at the instant jd_ut (UT) minus the horizon's, for a place in radians.
    double AltitudeExcess(double jd_ut, double latitude, double longitude) const {
        const double jd_tt = TtFromUt(jd_ut);
        const Node n = At(jd_tt);
        const double ra = std::atan2(std::sin(n.longitude) * std::cos(n.obliquity), std::cos(n.longitude));
        const double dec = std::asin(std::sin(n.obliquity) * std::sin(n.longitude));
        // Apparent sidereal time: the mean one and the equation of the equinoxes.
        const double gast = eraGmst06(jd_ut, 0.0, jd_tt, 0.0) + n.nutation * std::cos(n.obliquity);
        const double hour_angle = gast + longitude - ra;
        const double altitude =
            std::asin(std::sin(latitude) * std::sin(dec) + std::cos(latitude) * std::cos(dec) * std::cos(hour_angle));
        return altitude - kHorizon;
    }

private:
    struct Node {
        double longitude; // apparent, of date, radians (the Sun's latitude, below 1.2″, is left out)
        double nutation;  // in longitude, radians
        double obliquity; // true, radians
    };

    Node At(double jd_tt) const {
        const double x = jd_tt + 0.5 - first_;
        const auto k = static_cast<std::size_t>(std::lround(x));
        const double u = x - static_cast<double>(k);
        const Node& a = nodes_.at(k - 1);
        const Node& b = nodes_.at(k);
        const Node& c = nodes_.at(k + 1);
        auto quadratic = [u](double ya, double yb, double yc) {
            return yb + u * (yc - ya) / 2 + u * u * (yc - 2 * yb + ya) / 2;
        };
        return {quadratic(a.longitude, b.longitude, c.longitude), quadratic(a.nutation, b.nutation, c.nutation),
                quadratic(a.obliquity, b.obliquity, c.obliquity)};
    }

    int first_;
    std::vector<Node> nodes_;
};

struct Place {
    const char* name;
    double latitude, longitude; // degrees
};
// North and south, from the equator to 45°. The farther from the equator, the slower the Sun
// crosses the horizon and the more a minute of declination costs: the two places farthest
// out bound the error of the others.
constexpr Place kPlaces[] = {
    {"Wakkanai", 45.42, 141.67}, {"Hobart", -42.88, 147.33},  {"Tokyo", 35.68, 139.77},
    {"Naha", 26.21, 127.68},     {"Singapore", 1.29, 103.85}, {"Sydney", -33.87, 151.21},
};
constexpr std::size_t kFarthestPlaces = 2;

// Where f, of opposite signs at a and b, crosses zero between them: false position with the
// Illinois step (an end kept twice in a row has its value halved), to 1e-9 rad of altitude,
// far under a millisecond where the Sun crosses.
template <typename F> double Crossing(const F& f, double a, double b, double fa, double fb) {
    double m = a;
    int side = 0;
    for (int i = 0; i < 100; ++i) {
        m = (a * fb - b * fa) / (fb - fa);
        const double fm = f(m);
        if (std::fabs(fm) < 1e-9) break;
        if ((fm < 0) == (fb < 0)) {
            b = m, fb = fm;
            if (side == -1) fa /= 2;
            side = -1;
        } else {
            a = m, fa = fm;
            if (side == 1) fb /= 2;
            side = 1;
        }
    }
    return m;
}

// Rise and set in the JST day as the reference has them, in local hours (−1: none). Each is
// looked for first within six minutes of the formula's time, and where the altitude does not
// cross there, in every hour of the day (the last crossing of its direction, as the formula
// keeps it).
almanac::SunTimes ReferenceTimes(const ReferenceSun& sun, int jdn, const Place& place,
                                 const almanac::SunTimes& formula) {
    const double lat = place.latitude * ERFA_DD2R, lon = place.longitude * ERFA_DD2R;
    const double midnight = jdn - 0.5 - kJstOffsetDays;
    auto f = [&](double hour) { return sun.AltitudeExcess(midnight + hour / 24.0, lat, lon); };
    auto find = [&](double guess, bool rising) {
        auto crosses = [rising](double fa, double fb) { return (fa < 0) != (fb < 0) && (fa < fb) == rising; };
        if (guess >= 0) {
            const double a = std::max(0.0, guess - 0.1), b = std::min(24.0, guess + 0.1);
            const double fa = f(a), fb = f(b);
            if (crosses(fa, fb)) return Crossing(f, a, b, fa, fb);
        }
        double found = -1.0;
        for (int hour = 0; hour < 24; ++hour) {
            const double fa = f(hour), fb = f(hour + 1.0);
            if (crosses(fa, fb)) found = Crossing(f, hour, hour + 1.0, fa, fb);
        }
        return found;
    };
    almanac::SunTimes out;
    out.rise = find(formula.rise, true);
    out.set = find(formula.set, false);
    return out;
}

// The largest difference, formula minus reference, over every day of some years.
struct Largest {
    double minutes = 0.0;
    std::string where;
    int days = 0;
};

Largest CompareYear(int year, std::span<const Place> places) {
    const int first = JdnFromCivil({year, 1, 1}), last = JdnFromCivil({year, 12, 31});
    const ReferenceSun sun(first, last);
    Largest worst;
    for (int jdn = first; jdn <= last; ++jdn) {
        const CivilDate date = CivilFromJdn(jdn);
        for (const Place& place : places) {
            const almanac::SunTimes formula =
                almanac::SunriseSunset(date.year, date.month, date.day, place.latitude, place.longitude);
            const almanac::SunTimes reference = ReferenceTimes(sun, jdn, place, formula);
            ++worst.days;
            for (auto [event, mine, theirs] :
                 {std::tuple{"rise", formula.rise, reference.rise}, std::tuple{"set", formula.set, reference.set}}) {
                // A crossing one side finds and the other does not counts as a whole day off.
                const double minutes = (mine < 0) != (theirs < 0) ? 24 * 60.0 : std::fabs(mine - theirs) * 60.0;
                if (minutes > worst.minutes) {
                    worst.minutes = minutes;
                    worst.where = FormatDate(date) + " " + place.name + " " + event;
                }
            }
        }
    }
    return worst;
}

constexpr double kBoundMinutes = almanac::kSunTimesAccuracyMinutes;

TEST(SunTimesReference, EveryDayOfThreeYearsAtSixPlaces) {
    for (int year : {1901, 2027, 2100}) {
        const Largest worst = CompareYear(year, kPlaces);
        std::printf("[ sun times ] %d, %d place-days: largest error %.2f min (%s)\n", year, worst.days, worst.minutes,
                    worst.where.c_str());
        EXPECT_LT(worst.minutes, kBoundMinutes) << year << ": " << worst.where;
    }
}

// Every day of every year at the two places farthest from the equator, north and south.
TEST(SunTimesReference, EveryYear1901To2100WithinTheFormulasAccuracy) {
    Largest worst;
    int days = 0;
    for (int year = 1901; year <= 2100; ++year) {
        const Largest y = CompareYear(year, std::span(kPlaces).first(kFarthestPlaces));
        EXPECT_LT(y.minutes, kBoundMinutes) << year << ": " << y.where;
        days += y.days;
        if (y.minutes > worst.minutes) worst = y;
    }
    std::printf("[ sun times ] 1901-2100, %d place-days: largest error %.2f min (%s), bound %.2f min\n", days,
                worst.minutes, worst.where.c_str(), kBoundMinutes);
}

} // namespace
} // namespace host
