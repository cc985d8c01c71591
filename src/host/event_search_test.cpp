// SPDX-License-Identifier: GPL-3.0-or-later
// Instants of solar longitudes and new moons against published instants.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/civil_date.h"
#include "host/delta_t.h"
#include "host/ephemeris.h"
#include "host/event_search.h"
#include "host/lunar_theory.h"

namespace host {
namespace {

double JstInstant(int y, int mo, int d, int h, int mi, int s = 0) {
    return JdnFromCivil({y, mo, d}) - 0.5 - kJstOffsetDays + (h * 3600 + mi * 60 + s) / 86400.0;
}

double SecondsBetween(double a, double b) {
    return std::fabs(a - b) * 86400.0;
}

TEST(EventSearch, SolarTermsOf2008ToTheMinute) {
    // The observatory's instants, rounded to the minute: a found instant must lie within the
    // rounding (30 s) plus 2 s for the difference between its predicted ΔT and our table.
    struct Term {
        int longitude, month, day, hour, minute;
    };
    const Term terms[] = {{285, 1, 6, 8, 25},   {300, 1, 21, 1, 44}, {315, 2, 4, 20, 0},
                          {0, 3, 20, 14, 48},   {90, 6, 21, 8, 59},  {180, 9, 23, 0, 45},
                          {270, 12, 21, 21, 4}, {297, 1, 18, 3, 0},  {27, 4, 17, 0, 9}};
    for (const Term& t : terms) {
        const double published = JstInstant(2008, t.month, t.day, t.hour, t.minute);
        const double found = FindSolarLongitude(t.longitude, published + 3.0);
        EXPECT_LE(SecondsBetween(found, published), 32.0) << t.longitude << "° " << FormatJst(found);
    }
}

TEST(EventSearch, Risshun2021JustBeforeMidnight) {
    const double found = FindSolarLongitude(315, JstInstant(2021, 2, 1, 0, 0));
    EXPECT_LE(SecondsBetween(found, JstInstant(2021, 2, 3, 23, 58, 48)), 2.0) << FormatJst(found);
    EXPECT_EQ(CivilFromJdn(JstJdnOf(found)), (CivilDate{2021, 2, 3}));
}

TEST(EventSearch, NewMoonsToTheMinute) {
    const double june2012 = FindNewMoon(JstInstant(2012, 6, 18, 0, 0));
    EXPECT_LE(SecondsBetween(june2012, JstInstant(2012, 6, 20, 0, 2)), 30.0) << FormatJst(june2012);
    EXPECT_EQ(CivilFromJdn(JstJdnOf(june2012)), (CivilDate{2012, 6, 20}));
    const double april2015 = FindNewMoon(JstInstant(2015, 4, 25, 0, 0));
    EXPECT_LE(SecondsBetween(april2015, JstInstant(2015, 4, 19, 3, 57)), 30.0) << FormatJst(april2015);
    // To the second by a DE431-based ephemeris: 00:02:06 and 03:56:51. The full lunar theory
    // stays within 5 s of it everywhere in 1901 … 2100; eraMoon98 alone within 21 s.
    const double tolerance = HasFullLunarTheory() ? 5.0 : 21.0;
    EXPECT_LE(SecondsBetween(june2012, JstInstant(2012, 6, 20, 0, 2, 6)), tolerance) << FormatJst(june2012);
    EXPECT_LE(SecondsBetween(april2015, JstInstant(2015, 4, 19, 3, 56, 51)), tolerance) << FormatJst(april2015);
    // Ten seconds after JST midnight by the reference ephemeris: the month begins on the 23rd.
    const double august2074 = FindNewMoon(JstInstant(2074, 8, 22, 0, 0));
    EXPECT_EQ(CivilFromJdn(JstJdnOf(august2074)), (CivilDate{2074, 8, 23})) << FormatJst(august2074);
}

TEST(EventSearch, FoundInstantsAreRoots) {
    for (int longitude : {0, 45, 80, 117, 355}) {
        // Guesses up to three months off: the nutation is held at the guess while solving.
        const double jd = FindSolarLongitude(longitude, JstInstant(2050, 3, 20, 0, 0) + longitude / 0.9856);
        const double residual = std::remainder(SunApparentLongitude(TtFromUt(jd)) - longitude, 360.0);
        EXPECT_LT(std::fabs(residual) * 3600.0, 0.01) << longitude; // arcseconds
    }
    const double moon = FindNewMoon(JstInstant(1901, 1, 20, 0, 0));
    const MoonTheory theory = HasFullLunarTheory() ? MoonTheory::Elp82b : MoonTheory::Moon98;
    const ApparentLongitudes l = SunAndMoonApparentLongitudes(TtFromUt(moon), theory);
    EXPECT_LT(std::fabs(std::remainder(l.moon - l.sun, 360.0)) * 3600.0, 0.01);
}

TEST(EventSearch, EventsOfAYear) {
    const double from = JstInstant(2030, 1, 1, 0, 0);
    const double to = JstInstant(2031, 1, 1, 0, 0);
    const std::vector<SolarEvent> solar = SolarEventsBetween(from, to);
    // 76 longitudes a turn; the one nearest 1 January (280°) may fall in the year twice or not at all.
    EXPECT_GE(solar.size(), 75u);
    EXPECT_LE(solar.size(), 77u);
    const int extras[] = {27, 117, 207, 297};
    for (std::size_t i = 1; i < solar.size(); ++i) {
        EXPECT_LT(solar[i - 1].jd_ut, solar[i].jd_ut);
        // Each event is the next longitude of the cycle: the next multiple of 5 or an extra one.
        const int from = solar[i - 1].longitude;
        int expected = (from / 5 + 1) * 5 % 360;
        for (int extra : extras) {
            if (extra > from && extra < (from / 5 + 1) * 5) expected = extra;
        }
        EXPECT_EQ(solar[i].longitude, expected) << i;
    }
    const std::vector<double> moons = NewMoonsBetween(from, to);
    EXPECT_TRUE(moons.size() == 12u || moons.size() == 13u);
    for (std::size_t i = 1; i < moons.size(); ++i) {
        EXPECT_NEAR(moons[i] - moons[i - 1], 29.53, 0.4);
    }
}

TEST(QuickEphemeris, StaysWithinItsBoundOfTheFullModels) {
    // Instants spread over 1899 … 2102 at a step that is no multiple of a month or a year.
    double worst_sun = 0.0;
    double worst_moon = 0.0;
    for (double jd_tt = 2414650.5; jd_tt < 2488800.5; jd_tt += 37.3) {
        const SunLongitudeAndRate quick = QuickSunApparentLongitude(jd_tt);
        worst_sun = std::max(worst_sun, std::fabs(std::remainder(quick.longitude - SunApparentLongitude(jd_tt), 360.0)));
        EXPECT_NEAR(quick.rate, SunLongitudeAndRateOfMeanEquinox(jd_tt).rate, 0.001) << jd_tt;
        // The Moon is eraMoon98's in both; only the light time is taken differently.
        const ApparentLongitudes quick_pair = QuickSunAndMoonLongitudesOfMeanEquinox(jd_tt);
        const ApparentLongitudes full_pair = SunAndMoonLongitudesOfMeanEquinox(jd_tt);
        worst_moon = std::max(worst_moon, std::fabs(std::remainder(quick_pair.moon - full_pair.moon, 360.0)));
    }
    EXPECT_LT(worst_sun * 3600.0, kQuickSunErrorArcsec);
    EXPECT_GT(worst_sun * 3600.0, 1.0); // the comparison is not of a model with itself
    EXPECT_LT(worst_moon * 3600.0, 0.05);
}

TEST(EventSearch, DateAccuracyGivesTheDatesOfTheFullModels) {
    // Years with events seconds from a JST midnight or, for an equinox, from noon: 春分 1991
    // at 12:01:55, 立春 2021 at 23:58:48, 雨水 2030 at 23:59:56.
    for (int year : {1991, 2021, 2030}) {
        const double from = JstInstant(year, 1, 1, 0, 0);
        const double to = JstInstant(year + 1, 1, 1, 0, 0);
        const std::vector<SolarEvent> exact = SolarEventsBetween(from, to, EventAccuracy::Instant);
        const std::vector<SolarEvent> dated = SolarEventsBetween(from, to, EventAccuracy::Date);
        ASSERT_EQ(exact.size(), dated.size()) << year;
        for (std::size_t i = 0; i < exact.size(); ++i) {
            EXPECT_EQ(dated[i].longitude, exact[i].longitude);
            EXPECT_EQ(JstJdnOf(dated[i].jd_ut), JstJdnOf(exact[i].jd_ut)) << FormatJst(exact[i].jd_ut);
            // Within the quick model's reach, and exact where the date was at stake.
            EXPECT_LT(SecondsBetween(dated[i].jd_ut, exact[i].jd_ut), 300.0) << FormatJst(exact[i].jd_ut);
            const double of_day = std::fmod(exact[i].jd_ut + 0.5 + kJstOffsetDays, 1.0);
            const bool equinox = exact[i].longitude % 180 == 0;
            if (of_day < 0.005 || of_day > 0.995 || (equinox && std::fabs(of_day - 0.5) < 0.005)) {
                EXPECT_LT(SecondsBetween(dated[i].jd_ut, exact[i].jd_ut), 0.01) << FormatJst(exact[i].jd_ut);
            }
        }
        const std::vector<double> exact_moons = NewMoonsBetween(from, to, EventAccuracy::Instant);
        const std::vector<double> dated_moons = NewMoonsBetween(from, to, EventAccuracy::Date);
        ASSERT_EQ(exact_moons.size(), dated_moons.size()) << year;
        for (std::size_t i = 0; i < exact_moons.size(); ++i) {
            EXPECT_EQ(JstJdnOf(dated_moons[i]), JstJdnOf(exact_moons[i])) << FormatJst(exact_moons[i]);
            EXPECT_LT(SecondsBetween(dated_moons[i], exact_moons[i]), 70.0) << FormatJst(exact_moons[i]);
        }
    }
    const double august2074 = FindNewMoon(JstInstant(2074, 8, 22, 0, 0), EventAccuracy::Date);
    EXPECT_EQ(CivilFromJdn(JstJdnOf(august2074)), (CivilDate{2074, 8, 23})) << FormatJst(august2074);

    // Outside the span of the quick models' bound the full models find every instant.
    const double far = JstInstant(2250, 6, 1, 0, 0);
    EXPECT_EQ(FindNewMoon(far, EventAccuracy::Date), FindNewMoon(far, EventAccuracy::Instant));
    const std::vector<SolarEvent> far_solar = SolarEventsBetween(far, far + 20, EventAccuracy::Date);
    const std::vector<SolarEvent> far_exact = SolarEventsBetween(far, far + 20, EventAccuracy::Instant);
    ASSERT_EQ(far_solar.size(), far_exact.size());
    for (std::size_t i = 0; i < far_solar.size(); ++i)
        EXPECT_EQ(far_solar[i].jd_ut, far_exact[i].jd_ut);
}

TEST(DeltaT, TableAndInterpolation) {
    const double jan2000 = JdnFromCivil({2000, 1, 1}) - 0.5;
    const double jan2001 = JdnFromCivil({2001, 1, 1}) - 0.5;
    EXPECT_NEAR(DeltaTSeconds(jan2000), DeltaTSeconds(jan2000 + 1e-9), 1e-6);
    const double middle = DeltaTSeconds((jan2000 + jan2001) / 2);
    EXPECT_NEAR(middle, (DeltaTSeconds(jan2000) + DeltaTSeconds(jan2001)) / 2, 1e-6);
    EXPECT_NEAR(DeltaTSeconds(JdnFromCivil({1900, 1, 1}) - 0.5), -1.99, 1e-9);
    EXPECT_NEAR(DeltaTSeconds(JdnFromCivil({1850, 1, 1})), -1.99, 1e-9); // the ends hold outside
    EXPECT_NEAR(DeltaTSeconds(JdnFromCivil({2200, 1, 1})), 93.65, 1e-9);
    const double t = 2460000.25;
    EXPECT_NEAR(UtFromTt(TtFromUt(t)), t, 1e-9);
}

} // namespace
} // namespace host
