// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_title.h"
#include "pages/page_routines.h"
#include "pictures/picture_file.h"

#include "pages/list_test_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pages {
namespace {

using testing::ListState;
using testing::Trace;

// A4 at 600 dpi with margins of 10 mm (236 pixels).
constexpr int kShort = 4960, kLong = 7016;

PrintState A4State(int section) {
    PrintState state = ListState(2026, 1, 31, 4);
    config::PageOptions& o = state.settings.page(section);
    o.up_space = o.down_space = o.left_space = o.right_space = 10;
    o.under_bitmap = false;
    o.calendar_print = false;
    o.lr_print = false;
    return state;
}

Trace Render(PrintState& state, int width, int height, PageRoutine draw) {
    return Trace::Record(width, height, [&](gfx::Canvas& canvas) { draw(canvas, state); });
}

TEST(ListPage, TitleTexts) {
    PrintState state = A4State(2);
    state.eras = config::EraTable("令和", 2019);
    EXPECT_EQ(" 二〇二六年 令和八年  （睦月） ", ListTitleText(state));
    state.eras = config::EraTable();
    EXPECT_EQ(" 二〇二六年 平成三十八年  （睦月） ", ListTitleText(state));
    state.year = 2010;
    EXPECT_EQ(" 二〇一〇年 平成廿二年  （睦月） ", ListTitleText(state));
    EXPECT_EQ("一月", ListMonthText(state));
    state.days[1].LeapMonth = true;
    EXPECT_EQ("一月", ListMonthText(state)); // the leap month is marked in the 旧暦 cells
}

TEST(ListPage, PortraitBandCalendarThenList) {
    PrintState state = A4State(2);
    state.settings.page(2).calendar_print = true;
    state.settings.page(2).c_print_pos = 1;
    const Trace t = Render(state, kShort, kLong, DrawListPage);
    // Area 236, 236, 4488 × 6544; band 4488 div 15 = 299 high; fonts 149 → 18 pt → 150, 299 → 36 pt → 300.
    EXPECT_TRUE(t.Has("font\tＭＳ ゴシック\t-150\t0\t0"));
    EXPECT_TRUE(t.Has("drawtext\t236\t236\t4724\t535\tleft|bottom|singleline\t" + ListTitleText(state)));
    EXPECT_TRUE(t.Has("font\tＭＳ ゴシック\t-300\t0\t0"));
    EXPECT_TRUE(t.Has("drawtext\t236\t236\t4724\t535\tright|bottom|singleline\t一月"));
    // Gap Round(5 × 6.25) = 31: the calendar (1122 square, cells of 160) starts at 566 on the left.
    EXPECT_TRUE(t.Has("drawtext\t236\t566\t396\t726\tcenter|vcenter|singleline\t日"));
    // The list below it: 1693 … 6780, header 140 wide at the right, unit 5087 div 70 = 72.
    EXPECT_TRUE(t.Has("rect\t4584\t1693\t4724\t2130"));
    EXPECT_TRUE(t.Has("rect\t4444\t1693\t4584\t2130"));
}

TEST(ListPage, LandscapeColumnTitle) {
    PrintState state = A4State(2);
    const Trace t = Render(state, kLong, kShort, DrawListPage);
    // Area 236, 236, 6544 × 4488; title column at 6779, month 2 × 299 from the bottom.
    EXPECT_TRUE(t.Has("font\t@ＭＳ ゴシック\t-149\t2700\t0"));
    EXPECT_TRUE(t.Has("text\t6779\t236\t" + ListTitleText(state)));
    EXPECT_TRUE(t.Has("font\t@ＭＳ ゴシック\t-299\t2700\t0"));
    EXPECT_TRUE(t.Has("text\t6779\t4126\t一月"));
    // The list gets 6544 - 304 = 6240: columns of 195, header at the right edge 6476.
    EXPECT_TRUE(t.Has("rect\t6281\t236\t6476\t" + std::to_string(236 + 6 * (4488 / 70) + 5)));
}

class Poster : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("poster-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        pictures::Bitmap wide{160, 80, std::vector<std::uint32_t>(160 * 80, 0xFF336699u), false};
        base::RecordingReporter reporter;
        const std::vector<std::uint8_t> cmp = pictures::MakeCmpImage(wide, reporter);
        std::ofstream(folder_ / "wide.cmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(cmp.data()), static_cast<std::streamsize>(cmp.size()));
        state_ = A4State(4);
        state_.settings.data_folder = folder_.string();
        state_.settings.month_pictures[0] = "wide.cmp";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    PrintState state_;
};

TEST_F(Poster, PositionOnePushesThePictureToTheBottomRight) {
    state_.settings.page(4).c_print_pos = 1;
    const Trace t = Render(state_, kShort, kLong, DrawPosterPage);
    // 160 × 80 scaled to 4488 wide: 2244 high, pushed to the bottom of 236 … 6780.
    const std::vector<std::string> pictures = t.With("picture\t");
    ASSERT_FALSE(pictures.empty());
    EXPECT_TRUE(pictures.front().starts_with("picture\t236\t4536\t")) << pictures.front();
    EXPECT_TRUE(pictures.back().ends_with("\t4724\t6780\t3")) << pictures.back();
    // The calendar top left, written straight over the picture, with "year.month".
    const std::string sunday = "drawtext\t236\t236\t396\t396\tcenter|vcenter|singleline\t日";
    const std::string label = "drawtext\t561\t1198\t1358\t1358\tcenter|vcenter|singleline\t2026.1";
    EXPECT_TRUE(t.Has(sunday));
    EXPECT_TRUE(t.Has(label));
    const std::vector<std::string>& lines = t.Lines();
    const auto after_picture = std::find(lines.begin(), lines.end(), pictures.back());
    EXPECT_EQ(lines.end(), std::find(after_picture, lines.end(), "brush\t0xFFFFFF\tsolid")) << "no white ground";
    EXPECT_EQ(lines.end(), std::find_if(after_picture, lines.end(), [](const std::string& l) {
                  return l.starts_with("fill\t") || l.starts_with("rect\t");
              }));
    // Sunday's head red, the other heads, the days and the label black.
    EXPECT_EQ("color\t0x0000FF", t.ColorBefore(sunday));
    EXPECT_EQ("color\t0x000000", t.ColorBefore("drawtext\t396\t236\t556\t396\tcenter|vcenter|singleline\t月"));
    EXPECT_EQ("color\t0x000000", t.ColorBefore(label));
}

TEST_F(Poster, PositionFourLeavesThePictureTopLeft) {
    state_.settings.page(4).c_print_pos = 4;
    const Trace t = Render(state_, kShort, kLong, DrawPosterPage);
    const std::vector<std::string> pictures = t.With("picture\t");
    ASSERT_FALSE(pictures.empty());
    EXPECT_TRUE(pictures.front().starts_with("picture\t236\t236\t")) << pictures.front();
    EXPECT_TRUE(pictures.back().ends_with("\t4724\t2480\t3")) << pictures.back();
    // The calendar in the bottom-right corner: 4724 - 1122, 6780 - 1122.
    EXPECT_TRUE(t.Has("drawtext\t3602\t5658\t3762\t5818\tcenter|vcenter|singleline\t日"));
    EXPECT_TRUE(t.Has("drawtext\t3927\t6620\t4724\t6780\tcenter|vcenter|singleline\t2026.1"));
}

} // namespace
} // namespace pages
