// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/holidays.h"

#include "config/test_folder.h"

#include <gtest/gtest.h>

namespace config {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

class HolidaysTest : public ::testing::Test {
protected:
    // Loads the holidays of 2026 from a file holding value as HOLIDAY1 and returns the
    // marked days of January.
    std::vector<int> JanuaryFrom(std::string_view value) {
        WriteBytes(path_, "[2026]\r\nHOLIDAY1=" + std::string(value) + "\r\n");
        HolidayTable table;
        LoadHolidays(file_, 2026, table);
        std::vector<int> days;
        for (int day = 1; day <= 31; ++day) {
            if (table.IsMarked(1, day)) days.push_back(day);
        }
        return days;
    }

    TestFolder folder_;
    std::filesystem::path path_ = folder_ / "Kalvorin.CFG";
    ConfigFile file_{path_};
};

TEST_F(HolidaysTest, ValuesAreReadTwoCharactersAtATime) {
    EXPECT_EQ(JanuaryFrom("0111"), (std::vector<int>{1, 11}));
    EXPECT_EQ(JanuaryFrom("2021"), (std::vector<int>{20, 21}));
    EXPECT_EQ(JanuaryFrom("0132"), (std::vector<int>{1}));
    EXPECT_EQ(JanuaryFrom("1"), (std::vector<int>{1}));
    EXPECT_EQ(JanuaryFrom("ab05"), (std::vector<int>{5}));
    EXPECT_EQ(JanuaryFrom("00-1+3"), (std::vector<int>{3}));
    EXPECT_EQ(JanuaryFrom(""), (std::vector<int>{}));
    // A double-byte character is one character of its piece.
    EXPECT_EQ(JanuaryFrom("\x82\xA0"
                          "0"
                          "07"),
              (std::vector<int>{7}));
    EXPECT_EQ(JanuaryFrom("0131"), (std::vector<int>{1, 31}));
}

TEST_F(HolidaysTest, LoadingAYearWithoutASectionClearsEveryMark) {
    WriteBytes(path_, "[2026]\nHOLIDAY12=25\n");
    HolidayTable table;
    LoadHolidays(file_, 2026, table);
    EXPECT_TRUE(table.IsMarked(12, 25));
    LoadHolidays(file_, 2027, table);
    EXPECT_EQ(table, HolidayTable{});
}

TEST_F(HolidaysTest, KeysAreHolidayAndTheMonthInDecimal) {
    WriteBytes(path_, "[2026]\nHOLIDAY01=01\nHOLIDAY10=10\nholiday2=02\n");
    HolidayTable table;
    LoadHolidays(file_, 2026, table);
    EXPECT_FALSE(table.IsMarked(1, 1));
    EXPECT_TRUE(table.IsMarked(10, 10));
    EXPECT_TRUE(table.IsMarked(2, 2));
}

TEST_F(HolidaysTest, SaveWritesEveryMonthAndKeepsOtherBytes) {
    WriteBytes(path_, "[UNSEI]\r\nETO=1\r\n\r\n[2026]\r\nHOLIDAY1=0111\r\nMEMO=host\r\n");
    HolidayTable table;
    table.Mark(1, 2, true);
    table.Mark(3, 31, true);
    table.Mark(3, 5, true);
    ASSERT_TRUE(SaveHolidays(file_, 2026, table));
    EXPECT_EQ(ReadBytes(path_), "[UNSEI]\r\nETO=1\r\n\r\n[2026]\r\nHOLIDAY1=02\r\nMEMO=host\r\nHOLIDAY2=\r\n"
                                "HOLIDAY3=0531\r\nHOLIDAY4=\r\nHOLIDAY5=\r\nHOLIDAY6=\r\nHOLIDAY7=\r\n"
                                "HOLIDAY8=\r\nHOLIDAY9=\r\nHOLIDAY10=\r\nHOLIDAY11=\r\nHOLIDAY12=\r\n");
    HolidayTable loaded;
    LoadHolidays(file_, 2026, loaded);
    EXPECT_EQ(loaded, table);
}

TEST(HolidayTable, OutOfRangeDaysAreIgnored) {
    HolidayTable table;
    table.Mark(0, 1, true);
    table.Mark(13, 1, true);
    table.Mark(1, 0, true);
    table.Mark(1, 32, true);
    EXPECT_EQ(table, HolidayTable{});
    EXPECT_FALSE(table.IsMarked(-1, 40));
    table.Toggle(2, 29);
    EXPECT_TRUE(table.IsMarked(2, 29));
    table.Toggle(2, 29);
    EXPECT_FALSE(table.IsMarked(2, 29));
}

} // namespace
} // namespace config
