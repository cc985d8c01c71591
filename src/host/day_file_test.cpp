// SPDX-License-Identifier: GPL-3.0-or-later
// The whole UNSEI.DAT: record count, the slot of 2100-02-29, and a read-back of the records.

#include <glib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "almanac/day_record.h"
#include "host/civil_date.h"
#include "host/day_file.h"
#include "host/test_calendar.h"

namespace host {
namespace {

almanac::DayRecord RecordAt(const std::string& bytes, int n) {
    almanac::RawRecord raw;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(n) * almanac::kRecordSize, almanac::kRecordSize,
                raw.begin());
    return almanac::DecodeRecord(raw);
}

// The module's offset of a date: every year divisible by 4 counted as a leap year.
int ModuleOffset(int year, int month, int day) {
    int n = 0;
    for (int y = 1901; y < year; ++y)
        n += y % 4 == 0 ? 366 : 365;
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m < month; ++m)
        n += m == 2 && year % 4 == 0 ? 29 : kLengths[m - 1];
    return n + day - 1;
}

TEST(DayFile, WholeFile) {
    const std::string bytes = DayFileBytes(testing::FullCalendar());
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kDayFileRecords) * almanac::kRecordSize);
    EXPECT_EQ(RecordAt(bytes, 0).Date, 19010101);
    EXPECT_EQ(RecordAt(bytes, kDayFileRecords - 1).Date, 21001231);

    // The slot of 2100-02-29 copies 2100-02-28 under its own date; 1 March follows it.
    const almanac::DayRecord feb28 = RecordAt(bytes, ModuleOffset(2100, 2, 28));
    almanac::DayRecord slot = RecordAt(bytes, ModuleOffset(2100, 2, 29));
    EXPECT_EQ(feb28.Date, 21000228);
    EXPECT_EQ(slot.Date, 21000229);
    slot.Date = feb28.Date;
    EXPECT_EQ(slot, feb28);
    EXPECT_EQ(RecordAt(bytes, ModuleOffset(2100, 3, 1)).Date, 21000301);

    // Every record sits where the module looks for it and holds the day computed for it.
    for (const almanac::DayRecord& day : testing::FullCalendar().days()) {
        const almanac::DayRecord stored = RecordAt(bytes, ModuleOffset(day.year(), day.month(), day.day()));
        ASSERT_EQ(stored, day) << day.Date;
    }
}

TEST(DayFile, TheTwoHundredYearsArePinnedByteForByte) {
    // The file as the host wrote it when every event was found with the full ephemeris. A
    // change of the searches, the ephemeris or the day rules that moves any byte of it fails
    // here; a change that is meant to alter the file must say why and update the digest.
    const std::string bytes = DayFileBytes(testing::FullCalendar());
    gchar* digest = g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(bytes.data()),
                                                bytes.size());
    EXPECT_STREQ(digest, "71fdca200e9afac5f1c2bab44091269c385b091f94993d3b1a04860749e905db");
    g_free(digest);
}

TEST(DayFile, FieldsInRangeOnEveryDay) {
    int previous_jdn = 0;
    for (const almanac::DayRecord& d : testing::FullCalendar().days()) {
        const int jdn = JdnFromCivil({d.year(), d.month(), d.day()});
        if (previous_jdn != 0) {
            ASSERT_EQ(jdn, previous_jdn + 1);
        }
        previous_jdn = jdn;
        ASSERT_TRUE(d.YearCycle >= 1 && d.YearCycle <= 60) << d.Date;
        ASSERT_TRUE(d.SolarTerm >= 1 && d.SolarTerm <= 24) << d.Date;
        ASSERT_TRUE(d.SolarMonth >= 1 && d.SolarMonth <= 12) << d.Date;
        ASSERT_TRUE(d.Pentad >= 1 && d.Pentad <= 72) << d.Date;
        ASSERT_TRUE(d.LunarMonth >= 1 && d.LunarMonth <= 12) << d.Date;
        ASSERT_TRUE(d.LunarDay >= 1 && d.LunarDay <= 30) << d.Date;
        ASSERT_TRUE(d.Officer >= 1 && d.Officer <= 12) << d.Date;
        ASSERT_TRUE(d.Rokuyo >= 1 && d.Rokuyo <= 6) << d.Date;
        ASSERT_EQ(d.LeapMonth, (d.DayFlagsA & almanac::flag_a::kLeapMonth) != 0) << d.Date;
        // The pentad lies inside the solar term: three pentads a term.
        ASSERT_EQ((d.Pentad - 1) / 3 + 1, d.SolarTerm) << d.Date;
    }
}

TEST(DayFile, WrittenFileIsTheSameBytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "host_day_file_test.dat";
    ASSERT_EQ(WriteDayFile(path, testing::FullCalendar()), "");
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, DayFileBytes(testing::FullCalendar()));
    std::filesystem::remove(path);
}

} // namespace
} // namespace host
