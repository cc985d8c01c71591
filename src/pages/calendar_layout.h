// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry of the monthly calendar page, computed once per page from the canvas and the
// print state, and the pieces of a day cell that are plain texts. Shared by the files of
// the calendar page (calendar_page.cpp, calendar_cell.cpp, calendar_title.cpp).

#include "gfx/canvas.h"
#include "pages/print_state.h"

#include <array>
#include <string>
#include <string_view>

namespace pages::calendar {

// Section "PRINT 1" holds the options of this page.
constexpr int kSection = 1;
// Designed sizes in screen pixels: the day-number box and the weekday heads. On small
// paper the cell's contents are drawn at two thirds: the box is designed 24 pixels and the
// notes, the fortune and the solar-term name follow it, so that the page prints as its
// preview shows it and the day number stays legible at any resolution.
constexpr int kNumberBox = 36;
constexpr int kSmallNumberBox = 24;
constexpr int kWeekdayHead = 16;
// Paper this wide or narrower (HORZSIZE, millimetres) is small paper.
constexpr int kSmallPaperMm = 150;

struct Layout {
    double h_scale = 1; // horizontal dpi ÷ 96
    double v_scale = 1; // vertical dpi ÷ 96
    gfx::Rect area;     // inside the margins
    int cell_width = 0;
    int header_height = 0; // the weekday row
    int row_height = 0;
    int first_row = 0;           // top of the first row of cells
    int box_design = kNumberBox; // the number box in screen pixels
    int notes_height = 0;        // the notes font, negative: character height
    bool small_paper = false;
    bool portrait = true; // page narrower than high
};

Layout MakeLayout(const gfx::Canvas& canvas, const PrintState& state);

// Column 1 … 7 of a weekday (0 Sunday … 6 Saturday) in a week that starts on Sunday
// (start_weekday 0) or on Monday (any other value). Weekdays outside 0 … 6 are taken mod 7.
int WeekdayColumn(int weekday, int start_weekday);

// A weekday head: the resource name of its 16 × 16 picture (windows, previews and the
// trace), the one-bit picture of the same character for printed pages ("page/SUNDAY" …
// 128 × 128), and the colour that picture's ink prints in.
struct WeekdayHead {
    std::string_view name;
    std::string_view page_name;
    base::Color ink;
};

// The weekday heads of columns 1 … 7.
std::array<WeekdayHead, 7> WeekdayHeads(int start_weekday, bool monochrome);

// The day's number box at (x + 1, y + 1): Round(36 × scale) wide and high, on small paper
// Round(24 × scale).
gfx::Rect NumberBox(const Layout& layout, int x, int y);

// "正月十五日", "三月　五日": the lunar date as the cell writes it; a day of a leap month
// is marked "閏" ("閏六月　八日"), so that no two days of a year print the same date.
std::string OldDateText(int lunar_month, int lunar_day, bool leap = false);
// The seasonal days of the flags, each name followed by a space; empty when none is set.
std::string SeasonText(std::uint8_t season_flags);
// The fortune's lucky and unlucky numbers: " [吉三六]" on a portrait page, " 吉三六" on a
// landscape one.
std::string FortuneNumberText(std::string_view sign, int number, bool portrait);

// Draws the cell of day d at (x, y) with its notes; returns its number box.
gfx::Rect DrawDayCell(gfx::Canvas& canvas, const PrintState& state, const Layout& layout, int d, int x, int y);

// The title block after the last day: (x, y) is the cell after it, rows the row count.
void DrawTitle(gfx::Canvas& canvas, const PrintState& state, const Layout& layout, int rows, int x, int y);

} // namespace pages::calendar
