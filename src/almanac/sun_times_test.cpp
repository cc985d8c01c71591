// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/sun_times.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

// How close the times are to the Sun's is measured against the host's ephemeris, every day
// of 1901 … 2100 (src/host/sun_times_reference_test.cpp); these are the cases around it.

TEST(SunTimes, PolarDayHasNoCrossing) {
    SunTimes t = SunriseSunset(2026, 6, 21, 80.0, 15.0);
    EXPECT_EQ(-1.0, t.rise);
    EXPECT_EQ(-1.0, t.set);
    EXPECT_TRUE(t.up_all_day);
}

// The computation is spherical astronomy that holds anywhere: south of the equator and on
// it too, in Japan Standard Time (Sydney keeps UTC+10 in June, two hours behind Tokyo).
// Near the poles a day may have no crossing, either way round.
TEST(SunTimes, SouthernEquatorialAndPolarPlaces) {
    const SunTimes sydney = SunriseSunset(2026, 6, 21, -33.87, 151.21);
    EXPECT_NEAR(7.0 - 1.0, sydney.rise, 0.05);   // 7:00 AEST
    EXPECT_NEAR(16.9 - 1.0, sydney.set, 0.05);   // 16:54 AEST
    const SunTimes sydney_summer = SunriseSunset(2026, 12, 22, -33.87, 151.21);
    EXPECT_LT(sydney_summer.rise, sydney.rise);
    EXPECT_GT(sydney_summer.set, sydney.set);

    // On the equator the day is twelve hours and a few minutes all year.
    for (int month : {3, 6, 9, 12}) {
        const SunTimes equator = SunriseSunset(2026, month, 21, 0.0, 100.0);
        ASSERT_GT(equator.rise, 0);
        EXPECT_NEAR(12.1, equator.set - equator.rise, 0.1) << month;
    }

    const SunTimes polar_night = SunriseSunset(2026, 12, 21, 80.0, 15.0);
    EXPECT_EQ(-1.0, polar_night.rise);
    EXPECT_EQ(-1.0, polar_night.set);
    EXPECT_FALSE(polar_night.up_all_day);
    const SunTimes antarctic_summer = SunriseSunset(2026, 12, 21, -80.0, 0.0);
    EXPECT_EQ(-1.0, antarctic_summer.rise);
    EXPECT_TRUE(antarctic_summer.up_all_day);
}

TEST(SunTimes, ElevationBands) {
    EXPECT_EQ(50, ElevationBands[10][0].lower);
    EXPECT_EQ(65, ElevationBands[10][0].upper);
    EXPECT_EQ(35, ElevationBands[10][0].latitude);
    EXPECT_EQ(9.5, ElevationBands[10][18].minutes);

    auto shifted = [](double elevation, double latitude) {
        SunTimes t{6.0, 18.0};
        ApplyElevation(t, elevation, latitude);
        return (6.0 - t.rise) * 60.0;
    };
    EXPECT_DOUBLE_EQ(0.0, shifted(0, 35.7));
    EXPECT_NEAR(0.5, shifted(60, 35.7), 1e-9);
    EXPECT_NEAR(1.0, shifted(65, 35.7), 1e-9);
    EXPECT_NEAR(10.0, shifted(5000, 35), 1e-9);
    EXPECT_NEAR(10.0, shifted(4000, 25), 1e-9); // bands 17–19 of latitude 25 are empty
    EXPECT_DOUBLE_EQ(0.0, shifted(1000, 46.2));
    EXPECT_DOUBLE_EQ(0.0, shifted(1000, 24.9));
    EXPECT_DOUBLE_EQ(0.0, shifted(30, 35));  // below the first band
    EXPECT_DOUBLE_EQ(0.0, shifted(-20, 35));

    SunTimes t{6.0, 18.0};
    ApplyElevation(t, 60, 35.7);
    EXPECT_NEAR(18.0 + 0.5 / 60, t.set, 1e-12);
    SunTimes none;
    ApplyElevation(none, 3000, 35);
    EXPECT_EQ(-1.0, none.rise); // no crossing stays recognisable
}

TEST(SunTimes, ClockTimeAsTheListWritesIt) {
    EXPECT_EQ(5, SplitSunTime(5.7446).hour);
    EXPECT_EQ(44, SplitSunTime(5.7446).minute);
    EXPECT_EQ(17, SplitSunTime(17.877).hour);
    EXPECT_EQ(52, SplitSunTime(17.877).minute);
    EXPECT_EQ(6, SplitSunTime(5.996).hour);
    EXPECT_EQ(0, SplitSunTime(5.996).minute);
}

} // namespace
} // namespace almanac
