// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_file.h"

#include "almanac/test_day_file.h"
#include "base/reporter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

namespace almanac {
namespace {

namespace fs = std::filesystem;

class DayFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("qelmarin-dayfile-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        testing::WriteSyntheticDayFile(dir_ / kDayFileName);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static fs::path dir_;
    base::RecordingReporter reporter_;
    MonthDays days_{};
};
fs::path DayFileTest::dir_;

TEST_F(DayFileTest, January1901HasAnEmptyDayBefore) {
    DayFile file(dir_ / kDayFileName);
    days_[0].Date = 123;
    ASSERT_TRUE(file.LoadMonth(days_, 1901, 1, 31, reporter_));
    EXPECT_EQ(DayRecord{}, days_[0]);
    for (int d = 1; d <= 31; ++d) EXPECT_EQ(19010100 + d, days_[d].Date);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(DayFileTest, DayBeforeAndDaysOfAMonth) {
    DayFile file(dir_ / kDayFileName);
    ASSERT_TRUE(file.LoadMonth(days_, 2026, 12, 31, reporter_));
    EXPECT_EQ(20261130, days_[0].Date);
    EXPECT_EQ(20261201, days_[1].Date);
    EXPECT_EQ(20261231, days_[31].Date);
    const int n = YearOffsets().RecordIndex(2026, 12, 6);
    EXPECT_EQ(testing::SyntheticDay(n, 2026, 12, 6), days_[6]);
}

TEST_F(DayFileTest, AShortMonthStopsAtTheNextMonthsRecord) {
    DayFile file(dir_ / kDayFileName);
    days_[29].Date = 77;
    ASSERT_TRUE(file.LoadMonth(days_, 2026, 2, 31, reporter_));
    EXPECT_EQ(20260228, days_[28].Date);
    EXPECT_EQ(77, days_[29].Date); // the 1 March record fails the month test
}

TEST_F(DayFileTest, Year2100UsesTheFileSlotOf29February) {
    DayFile file(dir_ / kDayFileName);
    ASSERT_TRUE(file.LoadMonth(days_, 2100, 2, DaysInMonth(2100, 2), reporter_));
    EXPECT_EQ(21000228, days_[28].Date);
    days_[29].Date = 5;
    ASSERT_TRUE(file.LoadMonth(days_, 2100, 2, 28, reporter_));
    EXPECT_EQ(5, days_[29].Date); // not shown: only 28 days asked for
    ASSERT_TRUE(file.LoadMonth(days_, 2100, 3, 31, reporter_));
    EXPECT_EQ(21000229, days_[0].Date);
    EXPECT_EQ(21000301, days_[1].Date);
    ASSERT_TRUE(file.LoadMonth(days_, 2100, 12, 31, reporter_));
    EXPECT_EQ(21001231, days_[31].Date);
}

TEST_F(DayFileTest, YearsOutsideTheFileAreRefusedSilently) {
    DayFile file(dir_ / kDayFileName);
    days_[1].Date = 42;
    EXPECT_FALSE(file.LoadMonth(days_, 1900, 12, 31, reporter_));
    EXPECT_FALSE(file.LoadMonth(days_, 2101, 1, 31, reporter_));
    EXPECT_FALSE(file.LoadMonth(days_, 2000, 0, 31, reporter_));
    EXPECT_FALSE(file.LoadMonth(days_, 2000, 13, 31, reporter_));
    EXPECT_EQ(42, days_[1].Date);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(DayFileTest, DayCountIsBoundedByTheBuffer) {
    DayFile file(dir_ / kDayFileName);
    ASSERT_TRUE(file.LoadMonth(days_, 2026, 1, 5000, reporter_));
    EXPECT_EQ(20260131, days_[31].Date);
    ASSERT_TRUE(file.LoadMonth(days_, 2026, 1, -4, reporter_));
}

TEST_F(DayFileTest, MissingFileShowsError) {
    DayFile file(dir_ / "nothing-here.DAT");
    EXPECT_FALSE(file.LoadMonth(days_, 2026, 12, 31, reporter_));
    ASSERT_EQ(1u, reporter_.messages().size());
    EXPECT_TRUE(reporter_.messages()[0].text.starts_with("Error\r"));
    EXPECT_EQ("Error", reporter_.messages()[0].caption);
}

TEST_F(DayFileTest, AFileCutInsideAMonthIsReportedAndTheDaysItLacksLeftEmpty) {
    const fs::path path = dir_ / "short.DAT";
    testing::WriteSyntheticDayFile(path, 40); // January and 9 days of February 1901
    DayFile file(path);
    ASSERT_TRUE(file.LoadMonth(days_, 1901, 1, 31, reporter_)); // whole in the file
    EXPECT_TRUE(reporter_.messages().empty());
    days_[10].Date = 9;
    EXPECT_FALSE(file.LoadMonth(days_, 1901, 2, 28, reporter_));
    EXPECT_EQ(19010209, days_[9].Date);
    EXPECT_EQ(DayRecord{}, days_[10]); // nothing made up, nothing left from before
    EXPECT_EQ(DayRecord{}, days_[28]);
    // A month wholly past the end: the same message, so that a run shows it once.
    EXPECT_FALSE(file.LoadMonth(days_, 1950, 6, 30, reporter_));
    ASSERT_EQ(2u, reporter_.messages().size());
    EXPECT_EQ("Error", reporter_.messages()[0].caption);
    EXPECT_EQ(reporter_.messages()[0].text, reporter_.messages()[1].text);
    EXPECT_EQ(reporter_.messages()[0].text, "Error\r" + path.string() + ": file too short: it ends before 2100-12-31");
}

TEST_F(DayFileTest, ANamedPipeIsRefusedNotWaitedOn) {
    const fs::path fifo = dir_ / "fifo.DAT";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    DayFile file(fifo);
    EXPECT_FALSE(file.LoadMonth(days_, 2026, 12, 31, reporter_));
    fs::remove(fifo);
    ASSERT_EQ(1u, reporter_.messages().size());
    // The reason and the path in the body, under the loader's "Error".
    EXPECT_TRUE(reporter_.messages()[0].text.starts_with("Error\r")) << reporter_.messages()[0].text;
    EXPECT_NE(reporter_.messages()[0].text.find("not a regular file"), std::string::npos);
    EXPECT_NE(reporter_.messages()[0].text.find(fifo.string()), std::string::npos);
    EXPECT_EQ("Error", reporter_.messages()[0].caption);
}

TEST_F(DayFileTest, RecordsWithoutTheirDatesAreReportedAndLeftEmpty) {
    const fs::path path = dir_ / "random.DAT";
    {
        std::ofstream out(path, std::ios::binary);
        std::uint32_t x = 12345;
        for (int i = 0; i < 15 * 80000; ++i) {
            x = x * 1103515245u + 12345u;
            out.put(static_cast<char>(x >> 24));
        }
    }
    DayFile file(path);
    days_[3].Date = 20260103;
    EXPECT_FALSE(file.LoadMonth(days_, 2026, 1, 31, reporter_));
    EXPECT_EQ(DayRecord{}, days_[3]);
    EXPECT_FALSE(file.LoadMonth(days_, 2026, 2, 28, reporter_));
    ASSERT_EQ(2u, reporter_.messages().size());
    EXPECT_EQ(reporter_.messages()[0].text, reporter_.messages()[1].text); // one text for every month
    EXPECT_NE(reporter_.messages()[0].text.find("not a day file"), std::string::npos);

    // A record of the right month but the wrong day is just as wrong.
    testing::WriteSyntheticDayFile(path);
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(kRecordSize) * YearOffsets().RecordIndex(2026, 3, 10));
        RawRecord raw = EncodeRecord(testing::SyntheticDay(0, 2026, 3, 11));
        out.write(reinterpret_cast<const char*>(raw.data()), kRecordSize);
    }
    EXPECT_FALSE(file.LoadMonth(days_, 2026, 3, 31, reporter_));
    EXPECT_EQ(20260309, days_[9].Date);
    EXPECT_EQ(DayRecord{}, days_[10]);

    // Inside the month, a record of another month is damage too, not the month's end.
    testing::WriteSyntheticDayFile(path);
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(kRecordSize) * YearOffsets().RecordIndex(2027, 4, 2));
        RawRecord raw = EncodeRecord(testing::SyntheticDay(0, 2027, 9, 2));
        out.write(reinterpret_cast<const char*>(raw.data()), kRecordSize);
    }
    reporter_.clear();
    EXPECT_FALSE(file.LoadMonth(days_, 2027, 4, 30, reporter_));
    EXPECT_EQ(DayRecord{}, days_[2]);
    ASSERT_EQ(1u, reporter_.messages().size());
    EXPECT_NE(reporter_.messages()[0].text.find("not a day file"), std::string::npos);
    // A month of 30 days asked for 31: the next month's first record ends it, no error.
    EXPECT_TRUE(file.LoadMonth(days_, 2027, 6, 31, reporter_));
}

} // namespace
} // namespace almanac
