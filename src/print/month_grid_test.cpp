// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/month_grid.h"

#include "almanac/calendar_math.h"
#include "almanac/day_file.h"
#include "almanac/test_day_file.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>

namespace print {
namespace {

TEST(MonthGrid, WeeksFromTheStartWeekdayWithTheDaysMarks) {
    config::testing::TestFolder folder;
    almanac::testing::WriteSyntheticDayFile(folder / almanac::kDayFileName);
    config::testing::WriteBytes(folder / "Kalvorin.CFG", "[UNSEI]\r\nStart Youbi=1\r\n[2027]\r\nHOLIDAY2=111223\r\n");
    base::RecordingReporter reporter;

    // February 2027 begins on a Monday: from Sunday it is five rows, from Monday four.
    MonthGridRequest request{folder.path(), 2027, 2, 0, 0};
    const std::optional<MonthGrid> sunday = BuildMonthGrid(request, reporter);
    ASSERT_TRUE(sunday);
    ASSERT_EQ(5u, sunday->weeks.size());
    EXPECT_FALSE(sunday->weeks[0][0]);
    ASSERT_TRUE(sunday->weeks[0][1]);
    EXPECT_EQ(1, sunday->weeks[0][1]->day);
    EXPECT_EQ(1, sunday->weeks[0][1]->weekday);
    EXPECT_EQ(28, sunday->weeks[4][0]->day);

    request.start_weekday.reset(); // Kalvorin.CFG's: Monday
    const std::optional<MonthGrid> monday = BuildMonthGrid(request, reporter);
    ASSERT_TRUE(monday);
    EXPECT_EQ(1, monday->start_weekday);
    ASSERT_EQ(4u, monday->weeks.size());
    int days = 0;
    for (const auto& week : monday->weeks)
        for (const auto& cell : week)
            if (cell) {
                ++days;
                EXPECT_EQ(cell->weekday, almanac::Weekday(2027, 2, cell->day));
                EXPECT_EQ(cell->day == 11 || cell->day == 12 || cell->day == 23, cell->holiday) << cell->day;
                EXPECT_FALSE(cell->rokuyo.empty());
                // National holidays by the law's names, first; a day the user marked is 休日.
                if (cell->holiday) {
                    const char* name = cell->day == 11 ? "建国記念の日" : cell->day == 23 ? "天皇誕生日" : "休日";
                    EXPECT_EQ(0u, cell->notes.find(name)) << cell->notes;
                }
            }
    EXPECT_EQ(28, days);
    EXPECT_TRUE(reporter.messages().empty());

    EXPECT_EQ(0, GridColumn(0, 0));
    EXPECT_EQ(6, GridColumn(0, 1)); // Sunday ends a week that starts on Monday
    EXPECT_EQ(0, GridColumn(1, 1));
}

} // namespace
} // namespace print
