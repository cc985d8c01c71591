// SPDX-License-Identifier: GPL-3.0-or-later
// Every page on every paper the program offers, in both orientations: no text of the
// calendar leaves its cell, and every format lays out inside the paper.

#include "gfx/trace_canvas.h"
#include "pages/calendar_layout.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"
#include "pictures/builtin_bitmaps.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace print {
namespace {

std::vector<PaperSize> OfferedPapers() {
    return {PaperSizes().begin(), PaperSizes().end()};
}

// A month that gives the cells as much to write as a month can: every note option on, every
// named day of the first kind, seasonal days, the longest old dates (a leap eleventh month,
// 閏十一月廿二日) and day signs that meet the rules of the second kind in many ways.
pages::PrintState CrowdedMonth(int dpi, int paper_width_mm) {
    pages::PrintState state;
    state.year = 2034;
    state.month = 1;
    state.days_in_month = 31;
    state.dpi_x = state.dpi_y = dpi;
    state.paper_width_mm = paper_width_mm;
    state.face_name = "@ＭＳ ゴシック";
    state.eras = config::EraTable("令和", 2019);
    state.settings.birth_eto = 7;
    for (int n = 0; n <= 31; ++n)
        state.day_number_bitmaps[static_cast<std::size_t>(n)] =
            pictures::BuiltinBitmap(pictures::DayNumberBitmapName(n));
    for (int d = 0; d <= 31; ++d) {
        almanac::DayRecord& r = state.days[static_cast<std::size_t>(d)];
        r.Date = 20340100 + d;
        r.YearCycle = 11;
        r.Weekday = static_cast<std::uint8_t>((d + 6) % 7);
        r.DayCycle = static_cast<std::uint8_t>((d * 7) % 60 + 1);
        r.Rokuyo = static_cast<std::uint8_t>(d % 6 + 1);
        r.SolarTerm = static_cast<std::uint8_t>(d < 5 ? 23 : 24);
        r.SolarMonth = 12;
        r.Mansion = static_cast<std::uint8_t>(d % 28 + 1);
        r.Officer = static_cast<std::uint8_t>(d % 12 + 1);
        r.Pentad = static_cast<std::uint8_t>(d / 5 + 1);
        r.LunarMonth = 11;
        r.LeapMonth = 1;
        r.LunarDay = static_cast<std::uint8_t>(d % 30 + 1);
        r.DayFlagsA = 0x7F;
        r.DayFlagsB = 0xF0;
        r.SeasonFlags = 0x84; // 土用 and 節分, as on 3 February
    }
    config::PageOptions& o = state.settings.page(1);
    o.under_bitmap = o.day_english = false;
    o.holiday_reverse = o.sekki = o.old_day_print = o.rokuyou_print = o.eto_print = o.zatsu_print = true;
    o.kikkyou1 = o.kikkyou2 = o.unki = true;
    return state;
}

struct Drawn {
    int left, top, right, bottom; // the ink of a vertical text
    std::string text;
};

// The vertical texts of a trace with their ink (x − height … x across, y … y + extent
// down), and the outer frames of the day cells.
struct CalendarTrace {
    std::vector<Drawn> texts;
    std::set<std::pair<int, int>> cells; // left, top of each framed cell
    int boxed_texts = 0;                 // texts centred in a rectangle
};

CalendarTrace ReadTrace(const std::string& trace, int cell_width, int row_height) {
    CalendarTrace t;
    std::istringstream in(trace);
    int height = 0, escapement = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string op;
        std::getline(fields, op, '\t');
        if (op == "font") {
            std::string face;
            std::getline(fields, face, '\t');
            fields >> height >> escapement;
        } else if (op == "text" && escapement == gfx::kVerticalEscapement) {
            int x = 0, y = 0;
            fields >> x >> y;
            fields.get();
            std::string text;
            std::getline(fields, text);
            const int h = std::abs(height);
            t.texts.push_back({x - h, y, x, y + gfx::FixedTextExtent(text, h).cx, text});
        } else if (op == "drawtext") {
            ++t.boxed_texts;
        } else if (op == "rect") {
            int l = 0, top = 0, r = 0, b = 0;
            fields >> l >> top >> r >> b;
            if (r - l == cell_width + 1 && b - top == row_height + 1) t.cells.insert({l, top});
        }
    }
    return t;
}

TEST(PageFit, CalendarTextsStayInTheirCellsOnEveryPaper) {
    const std::vector<PaperSize> papers = OfferedPapers();
    ASSERT_GE(papers.size(), 8u);
    for (const PaperSize& paper : papers) {
        for (bool landscape : {false, true}) {
            for (int dpi : {600, 150}) {
                const double width_mm = landscape ? paper.height_mm : paper.width_mm;
                const double height_mm = landscape ? paper.width_mm : paper.height_mm;
                const gfx::Device device{PaperPixels(width_mm, dpi), PaperPixels(height_mm, dpi), dpi, dpi, 256};
                pages::PrintState state = CrowdedMonth(dpi, static_cast<int>(width_mm));
                std::ostringstream out;
                pages::calendar::Layout layout;
                {
                    gfx::TraceCanvas canvas(out, device);
                    layout = pages::calendar::MakeLayout(canvas, state);
                    pages::DrawCalendarPage(canvas, state);
                }
                const CalendarTrace t = ReadTrace(out.str(), layout.cell_width, layout.row_height);
                const std::string where = std::string(paper.name) + (landscape ? " landscape " : " portrait ") +
                                          std::to_string(dpi) + " dpi: ";
                ASSERT_EQ(31u, t.cells.size()) << where;
                ASSERT_GT(t.texts.size(), 31u * 4) << where;
                const int grid_bottom = layout.first_row + 6 * layout.row_height;
                for (const Drawn& d : t.texts) {
                    const int column = (d.left - layout.area.left) / layout.cell_width;
                    const int row = (d.top - layout.first_row) / layout.row_height;
                    const int cell_left = layout.area.left + column * layout.cell_width;
                    const int cell_top = layout.first_row + row * layout.row_height;
                    EXPECT_LE(d.bottom, cell_top + layout.row_height) << where << d.text << " leaves its row";
                    EXPECT_LE(d.bottom, grid_bottom) << where << d.text;
                    EXPECT_LE(d.right, layout.area.right) << where << d.text;
                    // The title stands in the free cells after the last day, which have no frame.
                    if (!t.cells.contains({cell_left, cell_top})) continue;
                    EXPECT_GE(d.left, cell_left) << where << d.text;
                    EXPECT_LE(d.right, cell_left + layout.cell_width) << where << d.text << " leaves its cell";
                }
            }
        }
    }
}

TEST(PageFit, EveryFormatLaysOutOnEveryPaper) {
    for (const PaperSize& paper : OfferedPapers()) {
        for (bool landscape : {false, true}) {
            const double width_mm = landscape ? paper.height_mm : paper.width_mm;
            const double height_mm = landscape ? paper.width_mm : paper.height_mm;
            const gfx::Device device{PaperPixels(width_mm, 600), PaperPixels(height_mm, 600), 600, 600, 256};
            for (const pages::PageRoutineEntry& entry : pages::PageRoutines()) {
                pages::PrintState state = CrowdedMonth(600, static_cast<int>(width_mm));
                state.format = entry.format;
                state.settings.page(2).calendar_print = true;
                state.settings.latitude = 35.7;
                state.settings.longitude = 139.7;
                std::ostringstream out;
                {
                    gfx::TraceCanvas canvas(out, device);
                    entry.draw(canvas, state);
                }
                const std::string where = std::string(paper.name) + (landscape ? " landscape, " : " portrait, ") +
                                          std::string(entry.name) + ": ";
                const CalendarTrace t = ReadTrace(out.str(), 0, 0);
                EXPECT_GT(t.texts.size() + static_cast<std::size_t>(t.boxed_texts), 10u) << where;
                for (const Drawn& d : t.texts) {
                    EXPECT_GE(d.left, 0) << where << d.text;
                    EXPECT_GE(d.top, 0) << where << d.text;
                    EXPECT_LE(d.right, device.width) << where << d.text;
                    EXPECT_LE(d.bottom, device.height) << where << d.text;
                }
            }
        }
    }
}

} // namespace
} // namespace print
