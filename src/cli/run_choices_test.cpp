// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_choices.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

std::variant<RunChoices, std::string> Read(std::initializer_list<std::pair<const char*, const char*>> given) {
    base::ParsedOptions options;
    for (const auto& [name, value] : given)
        options.set(name, value);
    return ReadRunChoices(options);
}

std::string ErrorOf(std::initializer_list<std::pair<const char*, const char*>> given) {
    auto result = Read(given);
    return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "no error";
}

TEST(RunChoices, PlacesByNameOrCoordinates) {
    const auto sapporo = std::get<almanac::Place>(ParsePlace("sapporo"));
    EXPECT_NEAR(43.064, sapporo.latitude, 1e-3);
    const auto given = std::get<almanac::Place>(ParsePlace("35.5,139.25"));
    EXPECT_EQ(35.5, given.latitude);
    EXPECT_EQ(139.25, given.longitude);
    EXPECT_EQ(0, given.elevation);
    EXPECT_EQ(370, std::get<almanac::Place>(ParsePlace("36.65,138.18,370")).elevation);
    for (const char* bad : {"atlantis", "35.5", "35.5,", "1,2,3,4", "91,0", "0,181", "35,139,10000", "35,1e2"}) {
        auto parsed = ParsePlace(bad);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << bad;
        EXPECT_NE(std::string::npos, std::get<std::string>(parsed).find(std::string("'") + bad + "'")) << bad;
    }
}

TEST(RunChoices, SignWeekdayAndSettings) {
    EXPECT_EQ(7, std::get<RunChoices>(Read({{"eto", "7"}})).birth_eto);
    EXPECT_EQ("--eto 1990: 1990 is a year: its sign is 7 (庚午), or give --born", ErrorOf({{"eto", "1990"}}));
    EXPECT_EQ("--eto needs a whole number from 1 to 60, not '61'", ErrorOf({{"eto", "61"}}));
    EXPECT_EQ("give --eto or --born, not both", ErrorOf({{"eto", "7"}, {"born", "1990-01-15"}}));
    EXPECT_NE(std::string::npos, ErrorOf({{"born", "1890-01-15"}}).find("1901-01-01 to 2100-12-31"));
    EXPECT_NE(std::string::npos, ErrorOf({{"born", "1990-1-15"}}).find("--born needs a date YYYY-MM-DD"));
    const RunChoices born = std::get<RunChoices>(Read({{"born", "1990-01-15"}}));
    EXPECT_EQ((print::CivilDay{1990, 1, 15}), born.born);
    EXPECT_FALSE(born.birth_eto); // read from the day file later

    EXPECT_EQ(1, std::get<RunChoices>(Read({{"start-weekday", "monday"}})).start_weekday);
    EXPECT_EQ(0, std::get<RunChoices>(Read({{"start-weekday", "sun"}})).start_weekday);
    EXPECT_NE(std::string::npos, ErrorOf({{"start-weekday", "friday"}}).find("sunday or monday"));

    const RunChoices set = std::get<RunChoices>(Read({{"set", "PRINT 3.UnderBitmap=1"},
                                                      {"set", "PRINT 1.Unki=1"},
                                                      {"place", "naha"},
                                                      {"start-weekday", "1"},
                                                      {"eto", "6"}}));
    ASSERT_EQ(2u, set.settings.size()); // every --set, not only the last
    config::Settings settings;
    ApplyRunChoices(set, settings);
    EXPECT_TRUE(settings.page(3).under_bitmap);
    EXPECT_TRUE(settings.page(1).unki);
    EXPECT_EQ(1, settings.start_weekday);
    EXPECT_EQ(6, settings.birth_eto);
    EXPECT_NEAR(26.21, settings.latitude, 1e-2);
    EXPECT_NE(std::string::npos, ErrorOf({{"set", "UNSEI.ETO=7"}}).find("--set 'UNSEI.ETO=7'"));
}

} // namespace
} // namespace cli
