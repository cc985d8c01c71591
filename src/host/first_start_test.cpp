// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/first_start.h"

#include "almanac/day_notes.h"

#include <gtest/gtest.h>

#include <set>

namespace host {
namespace {

// The year sign changes at 立春, not on 1 January: 4 February 1990, and 3 February 2021
// (the first 立春 on the 3rd since 1897).
TEST(BirthYearCycle, TheYearChangesAtRisshun) {
    EXPECT_EQ("己巳", almanac::CycleName(BirthYearCycle(1990, 2, 3)));
    EXPECT_EQ("庚午", almanac::CycleName(BirthYearCycle(1990, 2, 4)));
    EXPECT_EQ("己巳", almanac::CycleName(BirthYearCycle(1990, 1, 1)));
    EXPECT_EQ("庚子", almanac::CycleName(BirthYearCycle(2021, 2, 2)));
    EXPECT_EQ("辛丑", almanac::CycleName(BirthYearCycle(2021, 2, 3)));
    EXPECT_EQ("甲子", almanac::CycleName(BirthYearCycle(1984, 12, 31)));
    EXPECT_EQ(0, BirthYearCycle(1900, 5, 1));
    EXPECT_EQ(0, BirthYearCycle(2023, 2, 29));
}

TEST(PrefecturalCapitals, FortySevenPlacesInJapan) {
    std::set<std::string_view> prefectures;
    for (const PrefecturalCapital& c : PrefecturalCapitals()) {
        prefectures.insert(c.prefecture);
        EXPECT_TRUE(c.latitude > 24 && c.latitude < 46 && c.longitude > 122 && c.longitude < 146) << c.city;
        EXPECT_TRUE(c.elevation >= 0 && c.elevation < 1000) << c.city;
    }
    EXPECT_EQ(47u, prefectures.size());
}

} // namespace
} // namespace host
