// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

namespace gfx {
namespace {

TEST(FixedTextExtent, DoubleByteCharactersAdvanceTheHeightOthersHalf) {
    EXPECT_EQ(FixedTextExtent("大安", -16), (TextSize{32, 16}));
    EXPECT_EQ(FixedTextExtent("XXX", -16), (TextSize{24, 16}));
    // Half-width katakana are single bytes; odd heights round the half down.
    EXPECT_EQ(FixedTextExtent("ｴﾗｰ", -15), (TextSize{21, 15}));
    EXPECT_EQ(FixedTextExtent(" [吉三六]", -10), (TextSize{5 + 5 + 10 + 10 + 10 + 5, 10}));
    EXPECT_EQ(FixedTextExtent("", -10), (TextSize{0, 10}));
    // The sign of the height does not matter.
    EXPECT_EQ(FixedTextExtent("日a", 12), (TextSize{18, 12}));
}

TEST(FixedTextExtent, HugeValuesStayInRange) {
    const TextSize size = FixedTextExtent(std::string(1000, 'X'), -2147483647 - 1);
    EXPECT_EQ(size.cx, 2147483647);
    EXPECT_EQ(size.cy, 2147483647);
}

TEST(TraceCanvas, WritesTheDeviceFirstAndOneLinePerCall) {
    std::ostringstream out;
    TraceCanvas canvas(out, Device{4960, 7016, 600, 600, 2});
    pictures::Bitmap bitmap{2, 2, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}, true};
    canvas.SelectFont("@ＭＳ ゴシック", -25, kVerticalEscapement);
    canvas.SelectFont(Font{"Times New Roman", -40, 0, true});
    canvas.SetTextColor(base::kRed);
    canvas.SetBrush(base::kBlue, BrushStyle::kClear);
    canvas.SetBrush(base::kWhite);
    canvas.SetPen(0x123456);
    canvas.TextOut(10, -20, "大安");
    canvas.DrawText(Rect{1, 2, 300, 400}, dt::kCenter | dt::kVCenter | dt::kSingleLine, "12");
    canvas.DrawText(Rect{1, 2, 3, 4}, dt::kRight | dt::kBottom, "x");
    canvas.DrawText(Rect{1, 2, 3, 4}, dt::kLeft, "");
    canvas.Rectangle(Rect{5, 6, 7, 8});
    canvas.FillRect(Rect{0, 4697, 4960, 7016});
    canvas.RoundRect(Rect{10, 20, 30, 40}, 6, 7);
    canvas.StretchBitmap(Rect{11, 12, 86, 87}, bitmap, "K01", BitmapCopy::kCopy);
    canvas.StretchBitmap(Rect{11, 12, 86, 87}, bitmap, "SUNDAY_BLACK", BitmapCopy::kInvert);
    canvas.StretchInk(Rect{1, 2, 3, 4}, pictures::InkBitmap{2, 2, 1, {0x80, 0x40}}, "K31", BitmapCopy::kInvert);
    canvas.DrawPicture(Rect{0, 0, 500, 500}, bitmap, 2);
    canvas.DrawPicture(Rect{0, 0, 50, 50}, bitmap, 3, Rect{0, 0, 1, 1});
    canvas.NewPage();
    EXPECT_EQ(out.str(), "size\t4960\t7016\t600\t600\t2\n"
                         "font\t@ＭＳ ゴシック\t-25\t2700\t0\n"
                         "font\tTimes New Roman\t-40\t0\t1\n"
                         "color\t0x0000FF\n"
                         "brush\t0xFF0000\tclear\n"
                         "brush\t0xFFFFFF\tsolid\n"
                         "pen\t0x123456\n"
                         "text\t10\t-20\t大安\n"
                         "drawtext\t1\t2\t300\t400\tcenter|vcenter|singleline\t12\n"
                         "drawtext\t1\t2\t3\t4\tright|bottom\tx\n"
                         "drawtext\t1\t2\t3\t4\tleft|top\t\n"
                         "rect\t5\t6\t7\t8\n"
                         "fill\t0\t4697\t4960\t7016\n"
                         "roundrect\t10\t20\t30\t40\t6\t7\n"
                         "bitmap\t11\t12\t86\t87\tK01\tcopy\n"
                         "bitmap\t11\t12\t86\t87\tSUNDAY_BLACK\tinvert\n"
                         "bitmap\t1\t2\t3\t4\tK31\tinvert\n"
                         "picture\t0\t0\t500\t500\t2\n"
                         "picture\t0\t0\t50\t50\t3\n"
                         "page\n");
}

TEST(TraceCanvas, KeepsEachCallOnOneLine) {
    std::ostringstream out;
    TraceCanvas canvas(out, Device{});
    canvas.TextOut(1, 2, "a\tb\nc\r\\d");
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1), "text\t1\t2\ta\\tb\\nc\\r\\\\d\n");
}

TEST(TraceCanvas, MeasuresWithTheSelectedFontAndKeepsTheState) {
    std::ostringstream out;
    TraceCanvas canvas(out, Device{100, 200, 96, 96, 256});
    EXPECT_EQ(canvas.TextExtent("大安"), (TextSize{0, 0}));
    canvas.SelectFont("@ＭＳ 明朝", -9, kVerticalEscapement, false);
    EXPECT_EQ(canvas.TextExtent("XXX"), (TextSize{12, 9}));
    EXPECT_EQ(canvas.CurrentFont(), (Font{"@ＭＳ 明朝", -9, kVerticalEscapement, false}));
    EXPECT_TRUE(canvas.CurrentFont().vertical());
    // Only the colour bits of a platform colour count.
    canvas.SetTextColor(0xFF0000FF);
    EXPECT_EQ(canvas.TextColor(), base::kRed);
    EXPECT_EQ(canvas.PageWidth(), 100);
    EXPECT_EQ(canvas.PageHeight(), 200);
    EXPECT_EQ(canvas.Colors(), 256);
}

TEST(DrawTextFlagsName, NamesEveryCombination) {
    EXPECT_EQ(DrawTextFlagsName(0), "left|top");
    EXPECT_EQ(DrawTextFlagsName(dt::kBottom | dt::kSingleLine), "left|bottom|singleline");
    EXPECT_EQ(DrawTextFlagsName(dt::kRight | dt::kNoClip), "right|top|noclip");
}

TEST(WhiteBlendForLevel, LightensLevelOneMostAndLeavesLevelThree) {
    EXPECT_GT(WhiteBlendForLevel(1), WhiteBlendForLevel(2));
    EXPECT_GT(WhiteBlendForLevel(2), 0.0);
    EXPECT_DOUBLE_EQ(WhiteBlendForLevel(1), 2 * WhiteBlendForLevel(2));
    EXPECT_EQ(WhiteBlendForLevel(3), 0.0);
    EXPECT_EQ(WhiteBlendForLevel(0), 0.0);
    EXPECT_EQ(WhiteBlendForLevel(255), 0.0);
}

} // namespace
} // namespace gfx
