// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/start_weekday.h"

#include <gtest/gtest.h>

namespace config {
namespace {

TEST(StartWeekday, NamesAndNumbersInEitherProgram) {
    for (const char* sunday : {"0", "sunday", "Sunday", "SUN", "日", "日曜", "日曜日"})
        EXPECT_EQ(0, ParseStartWeekday(sunday)) << sunday;
    for (const char* monday : {"1", "monday", "Mon", "月", "月曜日"})
        EXPECT_EQ(1, ParseStartWeekday(monday)) << monday;
    for (const char* other : {"", "2", "tuesday", "01", " monday", "mo"})
        EXPECT_FALSE(ParseStartWeekday(other)) << other;
    EXPECT_NE(std::string::npos, StartWeekdayError("tue").find("'tue'"));
}

} // namespace
} // namespace config
