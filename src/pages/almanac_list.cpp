// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/almanac_list.h"

#include "almanac/day_notes.h"
#include "almanac/name_tables.h"
#include "almanac/sun_times.h"
#include "pages/fitted_text.h"
#include "pages/list_named_days.h"
#include "pages/list_texts.h"
#include "pages/page_common.h"

#include <algorithm>
#include <array>
#include <string>

namespace pages {
namespace {

// The cells of a day's column from top to bottom, with their heights in units; the last
// two take what the others leave (吉凶) and seven small units (日出没).
struct ListCell {
    std::string_view label;
    int units;
};
constexpr std::array<ListCell, 12> kCells = {{
    {"新暦", 6},
    {"曜", 1},
    {"干支", 2},
    {"六曜", 2},
    {"節季", 9},
    {"旧暦", 6},
    {"宿", 1},
    {"直", 1},
    {"候", 2},
    {"雑節", 10},
    {"吉凶", 0},
    {"日出没", 0},
}};
constexpr std::size_t kNoteCells = 10; // the cells of fixed height
constexpr int kSunCellUnits = 7;       // the 日出没 cell, in small units
constexpr int kCellFrame = 5;          // a cell's frame adds this much to its height
constexpr int kFirstListYear = 1901;   // nothing precedes the first month of the day file

struct CellText {
    std::string text;
    base::Color color = base::kBlack;
    bool inverted = false; // white on a black cell
};

// The sizes every column shares.
struct Geometry {
    int column = 0;    // W
    int unit = 0;      // U, clamped to the column width
    int main_font = 0; // the unit before clamping: the height of the notes
    int offset = 0;    // O: from a column's right edge to its text
    int small = 0;     // U2: the named days and sun times
    int header_right = 0;
    int first_right = 0;
    int step = 0;                           // from one day's right edge to the next one's
    int names_bottom = 0;                   // B: the end of the 吉凶 cell
    std::array<int, kNoteCells + 1> tops{}; // tops of the noted cells, then the 吉凶 cell's

    int Right(int day) const { return first_right + (day - 1) * step; }
};

Geometry Measure(const PrintState& state, const ListArea& a, int days) {
    Geometry g;
    g.column = a.width / (days + 1);
    g.main_font = a.height / 70;
    g.offset = (g.column - g.main_font) / 2;
    g.small = std::min((g.column - 2) / 2 - 1, g.main_font);
    g.unit = std::min(g.main_font, g.column);
    if (state.page(2).lr_print) {
        g.header_right = a.x + g.column;
        g.first_right = a.x + 2 * g.column;
        g.step = g.column;
    } else {
        g.header_right = a.x + a.width;
        g.first_right = a.x + a.width - g.column;
        g.step = -g.column;
    }
    g.names_bottom = a.y + a.height - kSunCellUnits * g.small;
    g.tops[0] = a.y;
    for (std::size_t k = 0; k < kNoteCells; ++k)
        g.tops[k + 1] = g.tops[k] + kCells[k].units * g.unit + kCellFrame;
    return g;
}

// The texts of the ten noted cells of day d, each with its colour.
std::array<CellText, kNoteCells> NoteTexts(const PrintState& state, int d) {
    const almanac::DayRecord& day = state.day(d);
    const bool holiday = state.page(1).holiday_reverse && state.holidays.IsMarked(state.month, d);
    // Red is the holiday's mark; a printer of two colours would print it black like any
    // other day, so there the date and weekday are inverted instead.
    const bool inverted = holiday && state.monochrome();
    const base::Color date_color = inverted ? base::kWhite : holiday ? base::kRed : base::kBlack;
    const base::Color rokuyo_color = day.Rokuyo == 4   ? PrintColor(state, base::kBlue)
                                     : day.Rokuyo == 5 ? PrintColor(state, base::kRed)
                                                       : base::kBlack;
    const bool first_month = state.year == kFirstListYear && state.month == 1;
    return {{
        {ListDateText(state.month, d), date_color, inverted},
        {std::string(almanac::TableText(almanac::WeekdayNames, day.Weekday)), date_color, inverted},
        {almanac::CycleName(day.DayCycle)},
        {std::string(almanac::TableText(almanac::RokuyoNames, day.Rokuyo - 1)), rokuyo_color},
        {ListSolarTermText(day, state.day(d - 1), first_month)},
        {ListLunarDateText(day.LunarMonth, day.LunarDay, day.LeapMonth)},
        {ListMansionText(day.Mansion)},
        {ListOfficerText(day.Officer)},
        {ListPentadText(day.Pentad)},
        {almanac::SeasonDayText(day.SeasonFlags, "・")},
    }};
}

void SetColor(gfx::Canvas& canvas, base::Color color) {
    if (canvas.TextColor() != color) canvas.SetTextColor(color);
}

// A cell of the day whose column ends at right: a double frame sharing its outer line with
// the cells above and below, and the text running down the middle of the column. A text
// longer than the cell (a date of a leap eleventh month) is written smaller, centred the
// same way, and cut with "…" only if even that does not fit.
void DrawNoteCell(gfx::Canvas& canvas, const PrintState& state, const Geometry& g, int right, int top, int bottom,
                  const CellText& cell) {
    canvas.Rectangle({right - g.column, top, right, bottom});
    canvas.Rectangle({right - g.column + 1, top + 1, right - 1, bottom - 1});
    if (cell.inverted) {
        canvas.SetBrush(base::kBlack);
        canvas.FillRect({right - g.column + 2, top + 2, right - 2, bottom - 2});
        canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    }
    SetColor(canvas, cell.color);
    const int length = bottom - 2 - (top + 1);
    if (canvas.TextExtent(cell.text).cx <= length) {
        canvas.TextOut(right - g.offset, top + 1, cell.text);
        return;
    }
    const ExtentFn extent = [&](std::string_view text, int height) {
        if (canvas.CurrentFont().height != -height) canvas.SelectFont(VerticalFont(state, -height));
        return canvas.TextExtent(text).cx;
    };
    const FittedColumn fitted = FitColumn({{cell.text, cell.color}}, g.main_font, length, extent);
    if (!fitted.pieces.empty()) {
        if (canvas.CurrentFont().height != -fitted.font_height)
            canvas.SelectFont(VerticalFont(state, -fitted.font_height));
        canvas.TextOut(right - g.offset - (g.main_font - fitted.font_height) / 2, top + 1, fitted.pieces.front().text);
    }
    canvas.SelectFont(VerticalFont(state, -g.main_font));
}

void DrawNamedDays(gfx::Canvas& canvas, const PrintState& state, const Geometry& g, int d, int right) {
    const int top = g.tops[kNoteCells];
    const int bottom = g.names_bottom;
    canvas.Rectangle({right - g.column, top - 1, right, bottom});
    canvas.Rectangle({right - g.column + 1, top, right - 1, bottom - 1});

    const std::vector<TextPiece> pieces = NamedDayPieces(state, d, true);
    if (pieces.empty()) return;
    auto extent = [&](std::string_view text, int height) {
        if (canvas.CurrentFont().height != -height) canvas.SelectFont(VerticalFont(state, -height));
        return canvas.TextExtent(text).cx;
    };
    const NamedDayLayout layout = LayoutNamedDays(pieces, g.small, bottom - 2 - top, extent);
    if (canvas.CurrentFont().height != -layout.font_height) canvas.SelectFont(VerticalFont(state, -layout.font_height));
    const int inset = (g.column / 2 - layout.font_height) / 2;
    for (const PlacedPiece& p : layout.pieces) {
        SetColor(canvas, p.piece.color);
        canvas.TextOut(right - p.column * (g.column / 2) - inset, top + p.offset, p.piece.text);
    }
    if (layout.font_height != g.small) canvas.SelectFont(VerticalFont(state, -g.small));
}

void DrawSunTimes(gfx::Canvas& canvas, const PrintState& state, const Geometry& g, const ListArea& a, int d,
                  int right) {
    const int bottom = a.y + a.height;
    canvas.Rectangle({right - g.column, g.names_bottom - 1, right, bottom});
    canvas.Rectangle({right - g.column + 1, g.names_bottom, right - 1, bottom - 1});
    const config::Settings& s = state.settings;
    if (!s.names_place() && !state.place_fixed) return;
    almanac::SunTimes times = almanac::SunriseSunset(state.year, state.month, d, s.latitude, s.longitude);
    almanac::ApplyElevation(times, s.elevation, s.latitude);
    const int inset = (g.column / 2 - g.small) / 2;
    if (const std::string rise = ListSunTimeText(times.rise); !rise.empty()) {
        SetColor(canvas, PrintColor(state, base::kRed));
        canvas.TextOut(right - inset, g.names_bottom, rise);
    }
    if (const std::string set = ListSunTimeText(times.set); !set.empty()) {
        SetColor(canvas, base::kBlack);
        canvas.TextOut(right - g.column / 2 - inset, g.names_bottom, set);
    }
}

void DrawHeader(gfx::Canvas& canvas, const PrintState& state, const Geometry& g, const ListArea& a) {
    canvas.SelectFont(VerticalFont(state, -g.unit));
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kSolid);
    canvas.SetPen(base::kBlack);
    SetColor(canvas, base::kBlack);
    const int left = g.header_right - g.column;
    for (std::size_t k = 0; k < kCells.size(); ++k) {
        const int top = k <= kNoteCells ? g.tops[k] : g.names_bottom;
        const int bottom = k < kNoteCells ? g.tops[k + 1] : k == kNoteCells ? g.names_bottom : a.y + a.height;
        canvas.Rectangle({left, top, g.header_right, bottom});
        canvas.TextOut(g.header_right - g.offset, top + 2, kCells[k].label);
    }
}

} // namespace

void DrawAlmanacList(gfx::Canvas& canvas, const PrintState& state, const ListArea& area) {
    if (state.days_in_month < 1) return;
    const int days = std::min(state.days_in_month, 31);
    const Geometry g = Measure(state, area, days);
    if (g.column < 8 || g.main_font < 1 || g.small < 1) return;

    canvas.SelectFont(VerticalFont(state, -g.main_font));
    canvas.SetPen(base::kBlack);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    for (int d = 1; d <= days; ++d) {
        const std::array<CellText, kNoteCells> texts = NoteTexts(state, d);
        for (std::size_t k = 0; k < kNoteCells; ++k)
            DrawNoteCell(canvas, state, g, g.Right(d), g.tops[k], g.tops[k + 1], texts[k]);
    }
    SetColor(canvas, base::kBlack);

    canvas.SelectFont(VerticalFont(state, -g.small));
    for (int d = 1; d <= days; ++d) {
        DrawNamedDays(canvas, state, g, d, g.Right(d));
        DrawSunTimes(canvas, state, g, area, d, g.Right(d));
    }
    DrawHeader(canvas, state, g, area);
}

} // namespace pages
