// SPDX-License-Identifier: GPL-3.0-or-later
// The day numbers and weekday heads of the calendar page as a printer at 600 dpi gets them:
// a picture stretched into its box must not be coarser than the device, so the characters'
// edges may fall on any device pixel, not only on the grid of an enlarged small picture.

#include "gfx/cairo_canvas.h"
#include "gfx/page_probe_for_tests.h"
#include "pages/page_routines.h"
#include "pictures/builtin_bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

namespace pages {
namespace {

// The positions across the box (0 … side) where ink begins or ends, along rows (x) and
// along columns (y).
struct EdgePositions {
    std::set<int> x, y;
};

void AddEdges(gfx::CairoCanvas& canvas, const gfx::Rect& box, EdgePositions& edges) {
    auto ink = [&](int x, int y) { return gfx::testing::IsInkPixel(gfx::testing::PixelAt(canvas, x, y)); };
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left + 1; x < box.right; ++x)
            if (ink(x - 1, y) != ink(x, y)) edges.x.insert(x - box.left);
    for (int x = box.left; x < box.right; ++x)
        for (int y = box.top + 1; y < box.bottom; ++y)
            if (ink(x, y - 1) != ink(x, y)) edges.y.insert(y - box.top);
}

// The share of the device pixels between the first and the last edge at which some edge
// lies. A 36-pixel picture stretched into a 225-pixel box can only change colour every 6
// or 7 pixels (about one in six); a picture finer than the device, nearly anywhere.
double Coverage(const std::set<int>& positions) {
    if (positions.size() < 2) return 0;
    return static_cast<double>(positions.size()) / (*positions.rbegin() - *positions.begin() + 1);
}

// February 2026 (the 1st a Sunday: days 1 … 7 fill the first row) at 600 dpi on a page of
// one row of cells 242 wide under the 100-pixel heads; the number box is Round(36 × 6.25) =
// 225, a head Round(16 × 6.25) = 100 square, centred in its column.
std::unique_ptr<gfx::CairoCanvas> DrawFirstRowAt600Dpi(int colors) {
    PrintState state;
    state.year = 2026;
    state.month = 2;
    state.days_in_month = 28;
    state.dpi_x = state.dpi_y = 600;
    state.colors = colors;
    state.paper_width_mm = 210;
    for (int n = 0; n <= 31; ++n)
        state.day_number_bitmaps[static_cast<std::size_t>(n)] =
            pictures::BuiltinBitmap(pictures::DayNumberBitmapName(n));
    for (int d = 0; d <= 28; ++d) state.days[static_cast<std::size_t>(d)].Weekday = static_cast<std::uint8_t>((d + 6) % 7);
    config::PageOptions& o = state.settings.page(1);
    o = config::PageOptions{};
    o.up_space = o.down_space = o.left_space = o.right_space = 0;
    o.under_bitmap = o.day_english = o.holiday_reverse = o.sekki = o.old_day_print = false;
    o.rokuyou_print = o.eto_print = o.zatsu_print = o.kikkyou1 = o.kikkyou2 = o.unki = false;
    std::string error;
    auto canvas = gfx::CairoCanvas::CreateImage(gfx::Device{1694, 1800, 600, 600, colors}, &error);
    EXPECT_TRUE(canvas) << error;
    if (canvas) DrawCalendarPage(*canvas, state);
    return canvas;
}

gfx::Rect HeadBox(int column) {
    const int left = column * 242 + (242 - 100) / 2;
    return {left, 0, left + 100, 100};
}

TEST(CalendarRaster, DayNumbersAreSharpAt600Dpi) {
    auto canvas = DrawFirstRowAt600Dpi(256);
    ASSERT_TRUE(canvas);
    EdgePositions edges;
    for (int column = 0; column < 7; ++column) {
        const int left = column * 242 + 1;
        AddEdges(*canvas, gfx::Rect{left, 101, left + 225, 326}, edges);
    }
    // No step of the numerals' edges is wider than a device pixel where the shapes have
    // edges at all: the gaps left are the strokes' own spacing.
    EXPECT_GT(Coverage(edges.x), 0.8);
    EXPECT_GT(Coverage(edges.y), 0.8);
    EXPECT_GT(edges.x.size(), 150u);
    EXPECT_GT(edges.y.size(), 150u);
}

TEST(CalendarRaster, WeekdayHeadsAreSharpAt600DpiInTheirColours) {
    auto canvas = DrawFirstRowAt600Dpi(256);
    ASSERT_TRUE(canvas);
    // A 16-pixel picture stretched into 100 pixels changes colour only every 6 or 7 pixels.
    EdgePositions edges;
    for (int column = 0; column < 7; ++column) AddEdges(*canvas, HeadBox(column), edges);
    EXPECT_GT(Coverage(edges.x), 0.8);
    EXPECT_GT(Coverage(edges.y), 0.8);
    EXPECT_GT(edges.x.size(), 60u);
    EXPECT_GT(edges.y.size(), 60u);

    // The ink of each head is one colour, no blend toward the paper: 日 red, 土 blue, the
    // others black; for a monochrome printer all black.
    auto inks = [](gfx::CairoCanvas& page, int column) {
        std::set<std::uint32_t> colours;
        const gfx::Rect box = HeadBox(column);
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (const std::uint32_t p = gfx::testing::PixelAt(page, x, y); p != 0xFFFFFF) colours.insert(p);
        return colours;
    };
    EXPECT_EQ(inks(*canvas, 0), std::set<std::uint32_t>{0xFF0000});
    EXPECT_EQ(inks(*canvas, 3), std::set<std::uint32_t>{0x000000});
    EXPECT_EQ(inks(*canvas, 6), std::set<std::uint32_t>{0x0000FF});
    auto mono = DrawFirstRowAt600Dpi(2);
    ASSERT_TRUE(mono);
    EXPECT_EQ(inks(*mono, 0), std::set<std::uint32_t>{0x000000});
    EXPECT_EQ(inks(*mono, 6), std::set<std::uint32_t>{0x000000});
}

} // namespace
} // namespace pages
