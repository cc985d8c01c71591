// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_named_days.h"

#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

namespace pages {
namespace {

int Extent(std::string_view text, int height) {
    return gfx::FixedTextExtent(text, height).cx;
}

std::vector<TextPiece> Names(std::initializer_list<std::string_view> names) {
    std::vector<TextPiece> pieces;
    for (std::string_view n : names) {
        if (!pieces.empty()) pieces.push_back({"・", base::kBlack});
        pieces.push_back({std::string(n), base::kBlue});
    }
    return pieces;
}

TEST(ListNamedDays, FitAndWrapIntoTheSecondHalfColumn) {
    NamedDayLayout layout = LayoutNamedDays(Names({"八専", "天恩日"}), 10, 100, Extent);
    EXPECT_EQ(10, layout.font_height);
    ASSERT_EQ(3u, layout.pieces.size());
    EXPECT_EQ(0, layout.pieces[2].column);
    EXPECT_EQ(30, layout.pieces[2].offset);

    layout = LayoutNamedDays(Names({"八専", "天恩日"}), 10, 45, Extent);
    EXPECT_EQ(10, layout.font_height);
    EXPECT_EQ(1, layout.pieces[2].column);
    EXPECT_EQ(0, layout.pieces[2].offset);
    EXPECT_FALSE(layout.cut);
}

TEST(ListNamedDays, ShrinkUntilTwoHalfColumnsHoldThem) {
    // Four names of four characters: at 10 pixels the separator after the second name
    // starts the second column and the last name needs a third; at 9 the separator still
    // fits the first column.
    const NamedDayLayout layout =
        LayoutNamedDays(Names({"不成就日", "天一天上", "一粒万倍", "不成就日"}), 10, 95, Extent);
    EXPECT_EQ(9, layout.font_height);
    EXPECT_FALSE(layout.cut);
    for (const PlacedPiece& p : layout.pieces) {
        EXPECT_LE(p.column, 1);
        EXPECT_LE(p.offset + Extent(p.piece.text, 9), 95);
    }
}

TEST(ListNamedDays, CutWithEllipsisWhenEvenTheSmallestFontOverflows) {
    const NamedDayLayout layout = LayoutNamedDays(
        Names({"十方暮", "八専", "大犯土", "小犯土", "天恩日", "三隣亡", "一粒万倍日", "天赦日"}), 12, 60, Extent);
    EXPECT_EQ(SmallestNamedDayFont(12), layout.font_height);
    EXPECT_EQ(8, layout.font_height);
    ASSERT_TRUE(layout.cut);
    const PlacedPiece& last = layout.pieces.back();
    EXPECT_EQ("…", last.piece.text);
    EXPECT_EQ(1, last.column);
    EXPECT_NE("・", layout.pieces[layout.pieces.size() - 2].piece.text);
    for (const PlacedPiece& p : layout.pieces) {
        EXPECT_LE(p.column, 1);
        EXPECT_LE(p.offset + Extent(p.piece.text, 8), 60);
    }
}

TEST(ListNamedDays, NameLongerThanAColumnIsCut) {
    const NamedDayLayout layout = LayoutNamedDays(Names({"時下食 卯刻 朝六時"}), 10, 40, Extent);
    ASSERT_TRUE(layout.cut);
    ASSERT_EQ(1u, layout.pieces.size());
    EXPECT_EQ("…", layout.pieces[0].piece.text);
}

} // namespace
} // namespace pages
