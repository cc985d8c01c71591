// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/first_start.h"

#include "almanac/day_notes.h"
#include "config/config_file.h"
#include "config/holidays.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

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

// The folder the first start makes is the folder init makes for the same answers: the same
// sections, and every year's holidays (not only those around the year it was made).
TEST(FirstStart, MakesTheFolderInitMakes) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("first_start_test_" + std::to_string(::getpid()));
    fs::remove_all(root);
    HostFolderOptions options;
    options.eto = 7;
    options.start_weekday = 1;
    options.latitude = "43.5000";
    options.folder = root / "dialog";
    ASSERT_EQ(MakeNewHostFolder(options, 2026), "");
    options.folder = root / "init";
    ASSERT_EQ(MakeFullHostFolder(options), "");
    const config::ConfigFile dialog(root / "dialog" / "Kalvorin.CFG");
    const config::ConfigFile init(root / "init" / "Kalvorin.CFG");
    EXPECT_EQ(dialog.SectionNames(), init.SectionNames());
    EXPECT_EQ(dialog.SectionNames().size(), 1u + (2100 - 1948 + 1));
    for (const std::string& section : init.SectionNames()) {
        for (int month = 1; month <= 12; ++month) {
            const std::string key = "HOLIDAY" + std::to_string(month);
            EXPECT_EQ(dialog.ReadString(section, key, "-"), init.ReadString(section, key, "-")) << section << key;
        }
    }
    EXPECT_EQ(dialog.ReadString("2030", "HOLIDAY1", ""), "0114"); // 元日 and 成人の日
    for (const char* key : {"ETO", "Start Youbi", "GENGO NAME", "GENGO YEAR", "IDO", "KEIDO", "HYOUKOU", "Font Name"})
        EXPECT_EQ(dialog.ReadString("UNSEI", key, "-"), init.ReadString("UNSEI", key, "-")) << key;
    fs::remove_all(root);
}

} // namespace
} // namespace host
