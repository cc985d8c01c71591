// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drop_list.h"

#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace app {
namespace {

TEST(DropList, EntriesRunFromTheLastValueAtTheLeftToTheFirstAtTheRight) {
    const std::vector<ListEntry> months = ListEntries(ListKind::kFromMonth, -16, 40);
    ASSERT_EQ(12u, months.size());
    EXPECT_EQ(12, months.front().value);
    EXPECT_EQ((gfx::Rect{5, 2, 21, 40}), months.front().rect);
    EXPECT_EQ((gfx::Rect{27, 2, 43, 40}), months[1].rect); // 6 pixels apart
    EXPECT_EQ(1, months.back().value);
    EXPECT_EQ(months.back().rect.right + 5, ListScrollRange(ListKind::kFromMonth, -16)); // 5 after the last entry

    const std::vector<ListEntry> years = ListEntries(ListKind::kYear, 16, 95);
    ASSERT_EQ(200u, years.size());
    EXPECT_EQ(2100, years.front().value);
    EXPECT_EQ(1901, years.back().value);
    EXPECT_EQ(ListScrollRange(ListKind::kYear, 16), years.back().rect.right + 5);
    // The list opens with the current value's entry first in view.
    EXPECT_EQ((2100 - 2026) * 22, ListScrollPosition(years, 2026));
}

// The view holds whole entries: at every position the list rests at, an entry is either
// wholly in view or wholly out of it.
TEST(DropList, TheViewShowsWholeEntriesAtEveryPosition) {
    for (const ListKind kind : {ListKind::kFromMonth, ListKind::kYear}) {
        const std::vector<ListEntry> entries = ListEntries(kind, -16, 60);
        const int width = ListViewWidth(kind, -16, 160);
        EXPECT_LE(width, 160);
        EXPECT_GT(width, 160 - 22);
        const double last = ListScrollRange(kind, -16) - width;
        for (double wanted = 0; wanted <= last; wanted += 7) {
            const double scroll = SnapListScroll(wanted, -16, last);
            EXPECT_LE(std::abs(scroll - wanted), 11);
            for (const ListEntry& e : entries) {
                const double left = e.rect.left - scroll, right = e.rect.right - scroll;
                EXPECT_EQ(right > 0 && left < width, left >= 0 && right <= width)
                    << "entry " << e.value << " at scroll " << scroll;
            }
        }
        EXPECT_EQ(last, SnapListScroll(last + 30, -16, last));
    }
}

TEST(DropList, AClickBetweenEntriesOrAboveThemChoosesNothing) {
    const std::vector<ListEntry> months = ListEntries(ListKind::kToMonth, -16, 40);
    EXPECT_EQ(12, ListHitTest(months, 5, 2));
    EXPECT_EQ(12, ListHitTest(months, 20, 39));
    EXPECT_EQ(std::nullopt, ListHitTest(months, 21, 10)); // the 6-pixel gap
    EXPECT_EQ(std::nullopt, ListHitTest(months, 26, 10));
    EXPECT_EQ(11, ListHitTest(months, 27, 10));
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
    EXPECT_NE(std::string::npos, trace.find("brush\t0x000000\tsolid\ncolor\t0xFFFFFF\nfill\t27\t2\t43\t40\ntext\t43\t2\t十一月"))
        << trace;
    EXPECT_NE(std::string::npos, trace.find("fill\t5\t2\t21\t40\ntext\t21\t2\t十二月")) << trace;
}

} // namespace
} // namespace app
