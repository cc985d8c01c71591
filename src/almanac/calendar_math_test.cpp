// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/calendar_math.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

TEST(CalendarMath, DaysBetweenStepsUnderTheFileRule) {
    EXPECT_EQ(0, DaysBetween(19010101, 19010101));
    EXPECT_EQ(0, DaysBetween(19020101, 19010101));
    EXPECT_EQ(365, DaysBetween(19010101, 19020101));
    EXPECT_EQ(366, DaysBetween(19040101, 19050101));
    EXPECT_EQ(59, DaysBetween(19010101, 19010301));
    // The file counts 2100 as a leap year.
    EXPECT_EQ(366, DaysBetween(21000101, 21010101));
    EXPECT_EQ(60, DaysBetween(21000101, 21000301));
}

TEST(CalendarMath, YearOffsetsCoverTheWholeFile) {
    YearOffsets offsets;
    EXPECT_EQ(0, offsets[1]);
    EXPECT_EQ(365, offsets[2]);
    EXPECT_EQ(365 * 3 + 366, offsets[5]);
    EXPECT_EQ(0, offsets.RecordIndex(1901, 1, 1));
    // 73,050 records: the last is 2100-12-31, counting the slot of 2100-02-29.
    EXPECT_EQ(73049, offsets.RecordIndex(2100, 12, 31));
    EXPECT_EQ(offsets.RecordIndex(2100, 2, 28) + 2, offsets.RecordIndex(2100, 3, 1));
    EXPECT_EQ(-1, offsets.RecordIndex(1900, 12, 31));
    EXPECT_EQ(-1, offsets.RecordIndex(2101, 1, 1));
    EXPECT_EQ(-1, offsets.RecordIndex(2000, 13, 1));
}

TEST(CalendarMath, WeekdaysAreGregorian) {
    EXPECT_EQ(4, Weekday(1987, 1, 1));
    EXPECT_EQ(2, Weekday(1901, 1, 1));
    EXPECT_EQ(3, Weekday(2000, 3, 1));
    EXPECT_EQ(5, Weekday(1988, 1, 1));
    EXPECT_EQ(0, Weekday(2026, 12, 6));
    // 2100 is not a leap year: 1 March 2100 is a Monday, 31 December a Friday.
    EXPECT_EQ(0, Weekday(2100, 2, 28));
    EXPECT_EQ(1, Weekday(2100, 3, 1));
    EXPECT_EQ(5, Weekday(2100, 12, 31));
}

TEST(CalendarMath, MonthLengthsShownAreGregorianWhileTheFileKeepsItsRule) {
    EXPECT_EQ(28, DaysInMonth(2100, 2));
    EXPECT_EQ(29, FileDaysInMonth(2100, 2));
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(28, DaysInMonth(2026, 2));
    EXPECT_EQ(31, DaysInMonth(2026, 12));
    EXPECT_EQ(30, DaysInMonth(2026, 11));
    EXPECT_EQ(0, DaysInMonth(2026, 0));
}

} // namespace
} // namespace almanac
