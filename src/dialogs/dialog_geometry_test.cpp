// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/column_list.h"
#include "dialogs/holiday_editor.h"
#include "dialogs/picture_open_dialog.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

TEST(HolidayDayCells, MonthLengthsAreGregorian) {
    EXPECT_EQ(HolidayDayCells(2100, 2, 0, 154, 136).size(), 28u);
    EXPECT_EQ(HolidayDayCells(2000, 2, 0, 154, 136).size(), 29u);
    EXPECT_EQ(HolidayDayCells(2024, 2, 0, 154, 136).size(), 29u);
    EXPECT_EQ(HolidayDayCells(2026, 4, 0, 154, 136).size(), 30u);
}

TEST(HolidayDayCells, FirstDayInTheColumnOfItsWeekday) {
    // 1 March 2026 is a Sunday: the first column from Sunday, the seventh from Monday.
    const int cw = 154 / 7, ch = 136 / 7;
    const auto sunday_first = HolidayDayCells(2026, 3, 0, 154, 136);
    EXPECT_EQ(sunday_first[0], (gfx::Rect{0, ch, cw, 2 * ch}));
    const auto monday_first = HolidayDayCells(2026, 3, 1, 154, 136);
    EXPECT_EQ(monday_first[0], (gfx::Rect{6 * cw, ch, 7 * cw, 2 * ch}));
    // After the seventh column the next day starts a new row.
    EXPECT_EQ(monday_first[1], (gfx::Rect{0, 2 * ch, cw, 3 * ch}));
}

TEST(ColumnList, ColumnsAndHits) {
    std::vector<std::pair<int, std::string>> entries;
    for (int v = 40; v >= 0; --v)
        entries.emplace_back(v, std::to_string(v));
    const auto columns = LayOutColumns(entries, 12, 80);
    ASSERT_EQ(columns.size(), 41u);
    EXPECT_EQ(columns.front().value, 40); // 40 at the left end
    EXPECT_EQ(columns.back().value, 0);
    EXPECT_EQ(columns[0].rect, (gfx::Rect{5, 2, 17, 80}));
    EXPECT_EQ(columns[1].rect, (gfx::Rect{23, 2, 35, 80})); // 6 pixels apart
    EXPECT_EQ(ColumnsWidth(columns), columns.back().rect.right + 2);
    EXPECT_EQ(HitColumn(columns, 5, 2), 40);
    EXPECT_EQ(HitColumn(columns, 34, 79), 39);
    EXPECT_EQ(HitColumn(columns, 20, 40), std::nullopt); // in the gap
    EXPECT_EQ(HitColumn(columns, 17, 40), std::nullopt); // between two columns
    EXPECT_EQ(HitColumn(columns, 2, 40), std::nullopt);  // before the first
    EXPECT_EQ(HitColumn(columns, 10, 1), std::nullopt);  // above the columns
}

TEST(PreviewRect, SmallPicturesCentredLargeOnesScaledKeepingProportions) {
    EXPECT_EQ(PreviewRect(100, 50, 180, 160), (gfx::Rect{40, 55, 140, 105}));
    // 640 × 480 into 180 × 160: the width decides.
    EXPECT_EQ(PreviewRect(640, 480, 180, 160), (gfx::Rect{0, 0, 180, 135}));
    // Tall: the height decides.
    EXPECT_EQ(PreviewRect(300, 600, 180, 160), (gfx::Rect{0, 0, 80, 160}));
    // Wider than high but still too tall for a flat area: stays inside it.
    EXPECT_EQ(PreviewRect(300, 200, 200, 50), (gfx::Rect{0, 0, 75, 50}));
    EXPECT_EQ(PreviewRect(0, 0, 180, 160), (gfx::Rect{}));
}


// A view holds a whole number of columns with 5 pixels either side: scrolled by whole
// pitches, no column is ever cut at its edge.
TEST(ColumnList, TheViewHoldsWholeColumns) {
    EXPECT_EQ(ViewWidthForColumns(1, 12), 5 + 12 + 5);
    EXPECT_EQ(ViewWidthForColumns(3, 12), 5 + 3 * 12 + 2 * kColumnGap + 5);
    EXPECT_EQ(WholeColumnsInView(41, 12, 220), 12);
    EXPECT_EQ(ViewWidthForColumns(12, 12), 220);
    EXPECT_EQ(WholeColumnsInView(41, 12, 219), 11);
    EXPECT_EQ(WholeColumnsInView(12, 16, 1000), 12); // all when they fit
    EXPECT_EQ(WholeColumnsInView(12, 16, 10), 1);    // at least one
    std::vector<std::pair<int, std::string>> entries;
    for (int v = 40; v >= 0; --v)
        entries.emplace_back(v, std::to_string(v));
    const auto columns = LayOutColumns(entries, 12, 80);
    const int width = ViewWidthForColumns(11, 12);
    for (int first = 0; first + 11 <= 41; ++first) {
        const int scroll = first * ColumnPitch(12);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int left = columns[i].rect.left - scroll, right = columns[i].rect.right - scroll;
            const bool in = right > 0 && left < width, whole = left >= 0 && right <= width;
            EXPECT_EQ(in, whole) << "column " << i << " at scroll " << scroll;
        }
    }
}

} // namespace
} // namespace dialogs
