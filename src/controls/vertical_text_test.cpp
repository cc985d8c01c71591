// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/title_strip.h"
#include "controls/vertical_text.h"
#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

namespace controls {
namespace {

std::vector<std::string> TextLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("text\t") || line.starts_with("color\t") || line.starts_with("fill\t"))
            lines.push_back(line);
    return lines;
}

TEST(RotatedFont, AddsTheVerticalMarkOnceAndIsBoldOnlyWhenPlainBold) {
    LabelFont font;
    font.name = "ＭＳ Ｐゴシック";
    EXPECT_EQ(RotatedFont(font).face, "@ＭＳ Ｐゴシック");
    font.name = "@ＭＳ ゴシック";
    EXPECT_EQ(RotatedFont(font).face, "@ＭＳ ゴシック");
    EXPECT_TRUE(RotatedFont(font).vertical());
    font.bold = true;
    EXPECT_TRUE(RotatedFont(font).bold);
    font.italic = true;
    EXPECT_FALSE(RotatedFont(font).bold);
}

TEST(VerticalLabel, EachCharacterAdvancesByItsOwnExtentPlusOnePixel) {
    std::ostringstream out;
    gfx::TraceCanvas canvas(out, gfx::Device{15, 200});
    LabelLook look;
    look.caption = "暦A形式";
    look.font.height = -12;
    look.transparent = true;
    DrawVerticalLabel(canvas, gfx::Rect{0, 10, 15, 200}, look);
    // The trace metric: a double-byte character advances 12, a single-byte one 6.
    const std::vector<std::string> lines = TextLines(out.str());
    const std::vector<std::string> texts(lines.end() - 4, lines.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"text\t15\t10\t暦", "text\t15\t23\tA", "text\t15\t30\t形",
                                                "text\t15\t43\t式"}));
    EXPECT_EQ(ColumnLength(canvas, look), 13 + 7 + 13 + 13);
}

TEST(VerticalLabel, CentredAndBottomColumnsStartLowerByTheRoomTheirLengthLeaves) {
    LabelLook look;
    look.caption = "終了";
    look.font.height = -12;
    look.transparent = true;
    // The column is 13 + 13 = 26 long in a rectangle 60 high from 4: 34 to spare.
    const auto first_text = [&](LabelLayout layout) {
        std::ostringstream out;
        gfx::TraceCanvas canvas(out, gfx::Device{20, 100});
        look.layout = layout;
        DrawVerticalLabel(canvas, gfx::Rect{0, 4, 20, 64}, look);
        for (const std::string& line : TextLines(out.str()))
            if (line.starts_with("text\t")) return line;
        return std::string{};
    };
    EXPECT_EQ(first_text(LabelLayout::kTop), "text\t20\t4\t終");
    EXPECT_EQ(first_text(LabelLayout::kCenter), "text\t20\t21\t終");
    EXPECT_EQ(first_text(LabelLayout::kBottom), "text\t20\t38\t終");
    // A column longer than its rectangle starts at the top whatever the layout.
    look.caption = "一二三四五六";
    EXPECT_EQ(first_text(LabelLayout::kCenter), "text\t20\t4\t一");
}

TEST(VerticalLabel, DisabledLookIsTheWholeCaptionTwiceOffsetByOnePixel) {
    std::ostringstream out;
    gfx::TraceCanvas canvas(out, gfx::Device{15, 65});
    LabelLook look;
    look.caption = "解説文";
    look.enabled = false;
    look.background = 0xC0C0C0;
    look.highlight = 0xFFFFFF;
    look.shadow = 0x808080;
    DrawVerticalLabel(canvas, gfx::Rect{0, 0, 15, 65}, look);
    EXPECT_EQ(TextLines(out.str()),
              (std::vector<std::string>{"fill\t0\t0\t15\t65", "color\t0xFFFFFF", "text\t16\t1\t解説文",
                                        "color\t0x808080", "text\t15\t0\t解説文"}));
}

TEST(VerticalLabel, CaptionCharactersAndAccelerators) {
    EXPECT_EQ(CaptionCharacters("ｴﾗｰ年a"), (std::vector<std::string_view>{"ｴ", "ﾗ", "ｰ", "年", "a"}));
    EXPECT_EQ(AcceleratorOf("印刷(&P)"), U'p');
    EXPECT_EQ(AcceleratorOf("A&&B"), 0u);
    EXPECT_EQ(AcceleratorOf("&暦"), U'暦');
    EXPECT_EQ(AcceleratorOf("no accelerator&"), 0u);
}

TEST(TitleStrip, BottomButtonsStackUpwardWithTheirGaps) {
    // The test-print window: close 16 (2 above the bottom), then 24 (gap 8), 24, 24, 48 (gap 1).
    EXPECT_EQ(BottomStackTops(551, {16, 24, 24, 24, 48}, {2, 8, 1, 1, 1}),
              (std::vector<int>{533, 501, 476, 451, 402}));
    EXPECT_EQ(BottomStackTops(700, {16, 24, 24, 24, 48}, {2, 8, 1, 1, 1}).back(), 551);
}

} // namespace
} // namespace controls
