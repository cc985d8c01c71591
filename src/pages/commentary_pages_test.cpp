// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/commentary_texts.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "pages/trace_lines_for_tests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace pages {
namespace {

// 192 dpi and margins of 10 mm (75 pixels): a portrait page of 1600 × 2240 has the area
// 75 … 1525 × 75 … 2165 (W 1450, H 2090); the landscape page turns it round.
class CommentaryPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.dpi_x = state.dpi_y = 192;
        state.face_name = "@F";
        config::PageOptions& o = state.settings.page(5);
        o.up_space = o.down_space = o.left_space = o.right_space = 10;
    }

    std::vector<std::string> Trace(Format format, bool landscape = false) {
        state.format = format;
        std::ostringstream out;
        gfx::TraceCanvas canvas(out, landscape ? gfx::Device{2240, 1600, 192, 192, 256}
                                               : gfx::Device{1600, 2240, 192, 192, 256});
        DrawCommentaryPage(canvas, state);
        return testing::TraceLines(out.str());
    }

    PrintState state;
};

struct TextLine {
    int x;
    int y;
    std::string text;
};

std::vector<TextLine> Texts(const std::vector<std::string>& lines) {
    std::vector<TextLine> texts;
    for (const std::string& l : lines) {
        if (l.rfind("text\t", 0) != 0) continue;
        std::istringstream in(l.substr(5));
        TextLine t;
        in >> t.x >> t.y;
        in.get();
        std::getline(in, t.text);
        texts.push_back(t);
    }
    return texts;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void ExpectAt(const TextLine& t, int x, int y) {
    EXPECT_EQ(x, t.x) << t.text;
    EXPECT_EQ(y, t.y) << t.text;
}

TEST_F(CommentaryPagesTest, KikkyouWrapsIntoTheLowerHalfOnPortrait) {
    // f = 1450 div 60 = 24, p = (1450 − 72) div 52 = 26; body from x = 1453, y = 147.
    const auto lines = Trace(Format::kKikkyouNotes);
    EXPECT_TRUE(Has(lines, "font\t@F\t-48\t2700\t0"));
    EXPECT_TRUE(Has(lines, "font\t@F\t-24\t2700\t0"));
    const auto t = Texts(lines);
    ASSERT_EQ(105u, t.size());
    ExpectAt(t[0], 1525, 75);
    EXPECT_EQ("吉凶解説", t[0].text);
    ExpectAt(t[1], 1453, 147);
    ExpectAt(t[2], 1453 - 26, 147);
    ExpectAt(t[54], 75, 147);         // 1453 − 53 × 26 is still at the left edge
    ExpectAt(t[55], 1453 - 24, 1192); // the next would start left of it: lower half
    ExpectAt(t[104], 1429 - 49 * 26, 1192);
    for (std::size_t i = 1; i < t.size(); ++i)
        EXPECT_EQ(almanac::KikkyouCommentary[i - 1].text, t[i].text);
}

TEST_F(CommentaryPagesTest, KikkyouKeepsItsColoursEvenInMonochrome) {
    state.colors = 2;
    const auto lines = Trace(Format::kKikkyouNotes);
    // Line 3 (十方暮) is blue, line 17 (母倉) red, each set right before its text.
    for (std::size_t i : {2u, 16u}) {
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.starts_with("text\t") &&
                   l.ends_with(std::string("\t").append(almanac::KikkyouCommentary[i].text));
        });
        ASSERT_NE(lines.end(), at);
        char expected[16];
        std::snprintf(expected, sizeof expected, "color\t0x%06X", almanac::KikkyouCommentary[i].color);
        EXPECT_EQ(expected, *(at - 1));
    }
}

TEST_F(CommentaryPagesTest, KikkyouOnLandscapeFollowsThePageHeight) {
    // f = 1450 div 60 = 24, p = (2090 − 72) div 52 = 38; body from x = 2093.
    const auto t = Texts(Trace(Format::kKikkyouNotes, true));
    ASSERT_EQ(105u, t.size());
    ExpectAt(t[0], 2165, 75);
    ExpectAt(t[1], 2093, 147);
    ExpectAt(t[54], 2093 - 53 * 38, 147);
    ExpectAt(t[55], 2093 - 24, 147 + 725);
}

TEST_F(CommentaryPagesTest, PentadsWrapOnPortraitAndLandscape) {
    // Portrait: f = p = 1450 div 40 = 36, body from 1525 − 108 = 1417.
    auto t = Texts(Trace(Format::kPentadNotes));
    ASSERT_EQ(73u, t.size());
    EXPECT_EQ("七十二候解説", t[0].text);
    ExpectAt(t[1], 1417, 75 + 108);
    ExpectAt(t[1 + 37], 1417 - 37 * 36, 183); // 85: still inside
    ExpectAt(t[1 + 38], 1417 - 36, 183 + 1045);
    ExpectAt(t[72], 1381 - 33 * 36, 1228);
    // Landscape: f = p = 1450 div 50 = 29, body from 2165 − 87 = 2078; 70 columns above.
    t = Texts(Trace(Format::kPentadNotes, true));
    ASSERT_EQ(73u, t.size());
    ExpectAt(t[1], 2078, 75 + 87);
    ExpectAt(t[70], 2078 - 69 * 29, 162);
    ExpectAt(t[71], 2078 - 29, 162 + 725);
    EXPECT_EQ(almanac::PentadTexts[71], t[72].text);
}

TEST_F(CommentaryPagesTest, MansionsJoinTheirTwoTextsAndFitTheLandscapePage) {
    // Portrait: f = p = 1450 div 32 = 45; 28 columns from 1390, no wrap.
    auto t = Texts(Trace(Format::kMansionNotes));
    ASSERT_EQ(29u, t.size());
    ExpectAt(t[1], 1390, 75 + 135);
    ExpectAt(t[28], 1390 - 27 * 45, 210);
    EXPECT_EQ("(角) 衣類の裁断、柱建て、酒造り、井戸掘り等吉。      ", t[1].text);
    EXPECT_EQ("(房) 婚礼、移転、旅行、造作、新規の事始め等吉。", t[4].text);

    // Landscape: 1450 div 32 = 45 would run the longest column past the bottom; the unit
    // shrinks until every column ends inside the area. The step stays W div 32 = 65.
    const auto lines = Trace(Format::kMansionNotes, true);
    t = Texts(lines);
    ASSERT_EQ(29u, t.size());
    const int f = (t[1].y - 75) / 3;
    EXPECT_LT(f, 45);
    EXPECT_TRUE(Has(lines, "font\t@F\t" + std::to_string(-f) + "\t2700\t0"));
    int longest = 0;
    for (std::size_t i = 1; i < t.size(); ++i) {
        EXPECT_EQ(2165 - 3 * f - 65 * static_cast<int>(i - 1), t[i].x);
        longest = std::max(longest, t[i].y + gfx::FixedTextExtent(t[i].text, f).cx);
    }
    EXPECT_LE(longest, 1525);
    EXPECT_GT(longest, 1525 - 2 * f); // no smaller than it has to be
}

TEST_F(CommentaryPagesTest, OfficersStandInTwoHalves) {
    // f = 1450 div 40 = 36, p = (1450 − 108) div 38 = 35; headings at 1417, body from 1347.
    const auto t = Texts(Trace(Format::kOfficerNotes));
    ASSERT_EQ(1u + 2u + 72u, t.size());
    EXPECT_EQ("十二直解説", t[0].text);
    ExpectAt(t[1], 1417, 75);
    EXPECT_EQ("  新占い", t[1].text);
    ExpectAt(t[2], 1417, 75 + 1045);
    EXPECT_EQ("  旧占い", t[2].text);
    for (int i = 0; i < 36; ++i) {
        const TextLine& upper = t[3 + 2 * static_cast<std::size_t>(i)];
        const TextLine& lower = t[4 + 2 * static_cast<std::size_t>(i)];
        ExpectAt(upper, 1347 - 35 * i, 183);
        ExpectAt(lower, 1347 - 35 * i, 183 + 1045);
        EXPECT_EQ(almanac::OfficerTexts[static_cast<std::size_t>(i)], upper.text);
        EXPECT_EQ(almanac::OfficerTextsOld[static_cast<std::size_t>(i)], lower.text);
    }
}

TEST_F(CommentaryPagesTest, OnlyTheCommentaryMarginsCount) {
    state.settings.page(3).left_space = 40;
    const auto before = Trace(Format::kOfficerNotes);
    EXPECT_EQ(1417, Texts(before)[1].x);
    state.settings.page(5).right_space = 20; // 151 pixels: W 1374, f = 34
    EXPECT_EQ(1600 - 151 - 3 * 34, Texts(Trace(Format::kOfficerNotes))[1].x);
}

// The body font of a trace: the font of the second text (the first is the title), as a
// character height.
int BodyFontHeight(const std::vector<std::string>& lines) {
    int height = 0, texts = 0;
    for (const std::string& l : lines) {
        if (l.starts_with("font\t@F\t")) height = -std::stoi(l.substr(8));
        if (l.starts_with("text\t") && ++texts == 2) return height;
    }
    return 0;
}

TEST_F(CommentaryPagesTest, NeighbouringColumnsKeepAGapOfATenthOfTheStep) {
    // A column at x is inked from x − height to x; the next one stands a step to the left.
    for (Format format : {Format::kKikkyouNotes, Format::kPentadNotes, Format::kMansionNotes, Format::kOfficerNotes}) {
        for (bool landscape : {false, true}) {
            const auto lines = Trace(format, landscape);
            const int height = BodyFontHeight(lines);
            const auto t = Texts(lines);
            ASSERT_GT(t.size(), 4u);
            // The first columns of the body; the officers have two texts in each column
            // after their two headings.
            const int body_step = format == Format::kOfficerNotes ? t[3].x - t[5].x : (t[1].x - t[3].x) / 2;
            ASSERT_GT(body_step, 0);
            EXPECT_GE(body_step - height, std::max(1, body_step / 10))
                << static_cast<int>(format) << (landscape ? " landscape" : " portrait");
        }
    }
    // The places stay: pentads step by the unit, 36 at 192 dpi, drawn 33 high.
    const auto lines = Trace(Format::kPentadNotes);
    EXPECT_EQ(33, BodyFontHeight(lines));
    EXPECT_EQ(1417 - 36, Texts(lines)[2].x);
}

TEST_F(CommentaryPagesTest, NoAreaNoText) {
    state.settings.page(5).left_space = 200;
    state.settings.page(5).right_space = 200;
    for (Format f : {Format::kKikkyouNotes, Format::kPentadNotes, Format::kMansionNotes, Format::kOfficerNotes})
        EXPECT_TRUE(Texts(Trace(f)).empty());
}

} // namespace
} // namespace pages
