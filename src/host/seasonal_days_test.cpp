// SPDX-License-Identifier: GPL-3.0-or-later
// The seasonal days that follow from the solar events: 社日's choice between two 戊 days, the
// span of 土用, 初午.

#include <gtest/gtest.h>

#include <cstdlib>

#include "almanac/day_record.h"
#include "host/civil_date.h"
#include "host/day_signs.h"
#include "host/seasonal_days.h"
#include "host/test_calendar.h"

namespace host {
namespace {

TEST(SeasonalDays, ShanichiNearestTsuchinoe) {
    // 2005-03-20 is a 癸 day: the afternoon equinox takes the later 戊 day, a morning one the earlier.
    const int equinox = JdnFromCivil({2005, 3, 20});
    ASSERT_EQ(StemOfCycle(DayCycleOfJdn(equinox)), 10);
    const double noon_jst = equinox - 0.5 - kJstOffsetDays + 0.5;
    EXPECT_EQ(ShanichiJdn(equinox, noon_jst + 0.1), equinox + 5);
    EXPECT_EQ(ShanichiJdn(equinox, noon_jst - 0.1), equinox - 5);
    // Otherwise the nearest 戊 day, within four days.
    for (int day = equinox + 1; day < equinox + 10; ++day) {
        const int found = ShanichiJdn(day, day);
        if (StemOfCycle(DayCycleOfJdn(day)) == 10) continue;
        EXPECT_EQ(StemOfCycle(DayCycleOfJdn(found)), 5);
        EXPECT_LE(std::abs(found - day), 4);
    }
}

TEST(SeasonalDays, DoyouEndsTheDayBeforeTheNextSeason) {
    // 2024: 土用 of spring from 4/16 (λ 27° at 21:19 JST) to 5/4, 立夏 being 5/5.
    const auto flagged = [](int m, int d) {
        return (testing::DayOf(2024, m, d).SeasonFlags & almanac::season::kDoyou) != 0;
    };
    EXPECT_FALSE(flagged(4, 15));
    EXPECT_TRUE(flagged(4, 16));
    EXPECT_TRUE(flagged(5, 4));
    EXPECT_FALSE(flagged(5, 5));
    EXPECT_EQ(testing::DayOf(2024, 5, 5).SolarTerm, 7); // 立夏
}

TEST(SeasonalDays, HatsuumaIsTheFirstUmaDayOfFebruary) {
    for (int year : {1901, 2024, 2100}) {
        int first = 0;
        for (int d = 1; d <= 12 && first == 0; ++d) {
            if (testing::DayOf(year, 2, d).SeasonFlags & almanac::season::kHatsuuma) first = d;
        }
        ASSERT_NE(first, 0) << year;
        EXPECT_EQ(BranchOfCycle(testing::DayOf(year, 2, first).DayCycle), 7) << year;
        EXPECT_LE(first, 12);
    }
    EXPECT_TRUE(testing::DayOf(2024, 2, 12).SeasonFlags & almanac::season::kHatsuuma); // 甲午
}

} // namespace
} // namespace host
