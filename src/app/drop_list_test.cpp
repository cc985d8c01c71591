// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drop_list.h"

#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

namespace app {
namespace {

TEST(DropList, EntriesRunFromTheLastValueAtTheLeftToTheFirstAtTheRight) {
    const std::vector<ListEntry> months = ListEntries(ListKind::kFromMonth, -16, 40);
    ASSERT_EQ(12u, months.size());
    EXPECT_EQ(12, months.front().value);
    EXPECT_EQ((gfx::Rect{5, 2, 21, 40}), months.front().rect);
    EXPECT_EQ((gfx::Rect{23, 2, 39, 40}), months[1].rect);
    EXPECT_EQ(1, months.back().value);
    EXPECT_EQ(21 + 12 * 18, ListScrollRange(ListKind::kFromMonth, -16)); // the x after the last entry

    const std::vector<ListEntry> years = ListEntries(ListKind::kYear, 16, 95);
    ASSERT_EQ(200u, years.size());
    EXPECT_EQ(2100, years.front().value);
    EXPECT_EQ(1901, years.back().value);
    EXPECT_EQ(ListScrollRange(ListKind::kYear, 16), years.back().rect.right + 18);
    // The list opens with the current value's entry at its left edge.
    EXPECT_EQ(5 + (2100 - 2026) * 18, ListScrollPosition(years, 2026));
}

TEST(DropList, AClickBetweenEntriesOrAboveThemChoosesNothing) {
    const std::vector<ListEntry> months = ListEntries(ListKind::kToMonth, -16, 40);
    EXPECT_EQ(12, ListHitTest(months, 5, 2));
    EXPECT_EQ(12, ListHitTest(months, 20, 39));
    EXPECT_EQ(std::nullopt, ListHitTest(months, 21, 10)); // the 2-pixel gap
    EXPECT_EQ(std::nullopt, ListHitTest(months, 22, 10));
    EXPECT_EQ(11, ListHitTest(months, 23, 10));
    EXPECT_EQ(std::nullopt, ListHitTest(months, 10, 1)); // above the entries
    EXPECT_EQ(std::nullopt, ListHitTest(months, 10, 40));
    EXPECT_EQ(std::nullopt, ListHitTest(months, 2, 10)); // left of the first
}

TEST(DropList, TextsAndTheCurrentEntryInverted) {
    EXPECT_EQ("二〇二六年", ListEntryText(ListKind::kYear, 2026));
    EXPECT_EQ("十二月", ListEntryText(ListKind::kFromMonth, 12));
    EXPECT_EQ("一月", ListEntryText(ListKind::kToMonth, 1));

    std::ostringstream out;
    gfx::TraceCanvas canvas(out, gfx::Device{300, 40});
    const std::vector<ListEntry> months = ListEntries(ListKind::kFromMonth, -16, 40);
    DrawList(canvas, ListKind::kFromMonth, months, 11, "@ＭＳ ゴシック", -16);
    const std::string trace = out.str();
    EXPECT_NE(std::string::npos, trace.find("brush\t0x000000\tsolid\ncolor\t0xFFFFFF\nfill\t23\t2\t39\t40\ntext\t39\t2\t十一月"))
        << trace;
    EXPECT_NE(std::string::npos, trace.find("fill\t5\t2\t21\t40\ntext\t21\t2\t十二月")) << trace;
}

} // namespace
} // namespace app
