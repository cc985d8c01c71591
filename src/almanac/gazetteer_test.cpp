// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/birth_sign.h"
#include "almanac/gazetteer.h"
#include "almanac/test_day_file.h"
#include "base/reporter.h"

#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

namespace almanac {
namespace {

TEST(Gazetteer, TheFortySevenCapitals) {
    std::set<std::string_view> names, prefectures;
    for (const GazetteerPlace& p : PrefecturalCapitals) {
        names.insert(p.romaji);
        prefectures.insert(p.prefecture);
        // Japan's offices lie between Naha and Sapporo; angles are proper degrees, minutes, seconds.
        const Place place = p.place();
        EXPECT_TRUE(place.latitude > 26 && place.latitude < 43.1) << p.romaji;
        EXPECT_TRUE(place.longitude > 127 && place.longitude < 141.4) << p.romaji;
        EXPECT_TRUE(p.latitude.min < 60 && p.latitude.sec < 60 && p.longitude.min < 60 && p.longitude.sec < 60);
        EXPECT_TRUE(p.height >= 0 && p.height < 500) << p.romaji;
        EXPECT_EQ(&p, FindCapital(p.romaji));
        EXPECT_EQ(&p, FindCapital(p.city));
        EXPECT_EQ(&p, FindCapital(p.prefecture));
    }
    EXPECT_EQ(47u, names.size());
    EXPECT_EQ(47u, prefectures.size());
    // Any letter case, and the city with 市.
    EXPECT_EQ(FindCapital("sapporo"), FindCapital("Sapporo"));
    EXPECT_EQ(FindCapital("sapporo"), FindCapital("札幌市"));
    EXPECT_EQ(FindCapital("tokyo"), FindCapital("東京都"));
    EXPECT_EQ(nullptr, FindCapital("osaka-fu"));
    EXPECT_EQ(nullptr, FindCapital(""));
    // The Tokyo Metropolitan Government building: 35°41′22″ N, 139°41′30″ E.
    const Place tokyo = FindCapital("tokyo")->place();
    EXPECT_NEAR(35.6894, tokyo.latitude, 1e-4);
    EXPECT_NEAR(139.6917, tokyo.longitude, 1e-4);
}

TEST(BirthSign, CountedFromRisshun) {
    EXPECT_EQ(1, YearSignOf(1984)); // 甲子
    EXPECT_EQ(7, YearSignOf(1990)); // 庚午
    EXPECT_EQ(60, YearSignOf(1983));
    EXPECT_EQ(43, YearSignOf(2026)); // 丙午
    EXPECT_EQ("1990 is a year: its sign is 7 (庚午), or give --born", YearGivenForSignHint(1990));

    // The sign is the day's YearCycle in the day file, which holds the 立春 boundary.
    char dir[] = "/tmp/qelmarin-birth-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(dir));
    const std::filesystem::path path = std::filesystem::path(dir) / kDayFileName;
    testing::WriteSyntheticDayFile(path);
    const DayFile file(path);
    base::RecordingReporter reporter;
    EXPECT_EQ(testing::SyntheticDay(0, 1990, 1, 15).YearCycle, BirthSignOn(file, 1990, 1, 15, reporter));
    EXPECT_TRUE(reporter.messages().empty());
    EXPECT_FALSE(BirthSignOn(file, 1900, 12, 31, reporter));
    EXPECT_FALSE(BirthSignOn(file, 1990, 2, 30, reporter));
    EXPECT_EQ(2u, reporter.messages().size());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace almanac
