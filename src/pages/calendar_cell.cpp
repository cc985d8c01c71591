// SPDX-License-Identifier: GPL-3.0-or-later
// One day cell of the monthly calendar page: frame, number box, and the notes written in
// vertical columns from left to right below the box.

#include "almanac/day_notes.h"
#include "almanac/day_rules.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "base/kanji_numbers.h"
#include "pages/calendar_layout.h"
#include "pages/fitted_text.h"
#include "pages/page_common.h"
#include "pictures/builtin_bitmaps.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pages::calendar {
namespace {

// The rows of the named-day table that the two options print: flag days first ("Kikkyou
// 1"), then the days of the rules ("Kikkyou 2").
bool PrintsRow(const config::PageOptions& o, const almanac::NamedDay& row) {
    return row.from_rule ? o.kikkyou2 : o.kikkyou1;
}

// 時下食 is written with the branch of its hour: "時下食(卯刻)".
std::string CellNoteText(int row, const almanac::DayKeys& keys) {
    if (row != almanac::kJigejikiRow) return std::string(almanac::NamedDays[static_cast<std::size_t>(row)].text);
    const int hour = almanac::JigejikiHour(keys.lunar_month, keys.day_branch);
    return "時下食(" + std::string(almanac::TableText(almanac::BranchNames, hour - 1)) + "刻)";
}

// Text inside one cell: nothing is written past the cell's innermost frame line, at the
// right or at the bottom. Texts that would pass it are made smaller, then cut with "…".
class CellWriter {
public:
    CellWriter(gfx::Canvas& canvas, const PrintState& state, int notes_height, int right, int bottom)
        : canvas_(canvas), state_(state), notes_height_(notes_height), right_(right), bottom_(bottom) {}

    int right() const { return right_; }
    int bottom() const { return bottom_; }

    // The extent along the line of a text at a character height (the font is changed as
    // needed; Restore() returns to the notes font).
    int Extent(std::string_view text, int height) { return Measure(text, height).cx; }
    gfx::TextSize Measure(std::string_view text, int height) {
        if (canvas_.CurrentFont().height != -height) canvas_.SelectFont(VerticalFont(state_, -height));
        return canvas_.TextExtent(text);
    }
    // The thickness of a column at a character height: the height of "XXX".
    int Thickness(int height) {
        for (const auto& [h, thickness] : thickness_)
            if (h == height) return thickness;
        thickness_.emplace_back(height, Measure("XXX", height).cy);
        return thickness_.back().second;
    }
    void Restore() {
        if (canvas_.CurrentFont().height != -notes_height_) canvas_.SelectFont(VerticalFont(state_, -notes_height_));
    }

    // Pieces one after another down the column whose ink begins at `left`, from top, at
    // `height` or smaller; the column's x is left + the text's height as drawn. Nothing is
    // drawn when even that would pass the cell's right edge. Returns where the column ends.
    int Column(int left, int top, const std::vector<TextPiece>& pieces, int height) {
        const ExtentFn extent = [this](std::string_view text, int h) { return Extent(text, h); };
        const FittedColumn fitted = FitColumn(pieces, height, bottom_ - top, extent);
        int ty = top;
        if (!fitted.pieces.empty()) {
            const int x = left + Thickness(fitted.font_height);
            if (x <= right_) {
                Measure("", fitted.font_height);
                for (std::size_t i = 0; i < fitted.pieces.size(); ++i) {
                    canvas_.SetTextColor(PrintColor(state_, fitted.pieces[i].color));
                    canvas_.TextOut(x, ty, fitted.pieces[i].text);
                    ty += fitted.extents[i];
                }
            }
        }
        Restore();
        return ty;
    }

    // The named days from column x = c on, in columns of the notes font (or smaller) whose
    // x stays at most `last_x`. Returns the x of the last column written.
    int Notes(int c, int top, int last_x, const std::vector<TextPiece>& notes) {
        if (notes.empty()) return c;
        const ExtentFn extent = [this](std::string_view text, int h) { return Extent(text, h); };
        const auto columns_at = [&](int h) { return last_x < c ? 0 : 1 + (last_x - c) / (Thickness(h) + 2); };
        const FlowedNotes flowed = FlowNotes(notes, notes_height_, bottom_ - top, columns_at, extent);
        const int step = Thickness(flowed.font_height) + 2;
        Measure("", flowed.font_height);
        int last = c;
        for (const FlowedNote& n : flowed.notes) {
            last = c + n.column * step;
            canvas_.SetTextColor(PrintColor(state_, n.piece.color));
            canvas_.TextOut(last, top + n.offset, n.piece.text);
        }
        Restore();
        return last;
    }

private:
    gfx::Canvas& canvas_;
    const PrintState& state_;
    int notes_height_, right_, bottom_;
    std::vector<std::pair<int, int>> thickness_; // character height, thickness
};

// The inner frame line of a cell lies this far inside its outer edge.
constexpr int kFrameInset = 2;

base::Color RokuyoColor(int rokuyo) {
    switch (rokuyo) {
    case 4: // 仏滅
        return base::kBlue;
    case 5: // 大安
        return base::kRed;
    default:
        return base::kBlack;
    }
}

// The day's number picture: the state's 36 × 36 one where the box is no larger (the
// preview), else the large picture of the same numeral (as ink bits), so that a printed
// number is never enlarged into blocks coarser than the printer's dots.
void DrawDayNumber(gfx::Canvas& canvas, const PrintState& state, const gfx::Rect& box, int d, gfx::BitmapCopy copy) {
    const pictures::Bitmap* number = state.day_number_bitmaps[static_cast<std::size_t>(d)];
    const std::string name = pictures::DayNumberBitmapName(d);
    canvas.PictureText(box, base::KanjiNumerals[static_cast<std::size_t>(std::clamp(d, 0, 31))]);
    if (number == nullptr || (box.width() <= number->width && box.height() <= number->height)) {
        if (number != nullptr) canvas.StretchBitmap(box, *number, name, copy);
        return;
    }
    if (const pictures::InkBitmap* fine = pictures::BuiltinInkBitmap(pictures::PageDayNumberBitmapName(d))) {
        canvas.StretchInk(box, *fine, name, copy);
    } else {
        canvas.StretchBitmap(box, *number, name, copy);
    }
}

void DrawNumberBox(gfx::Canvas& canvas, const PrintState& state, const gfx::Rect& box, int d) {
    const config::PageOptions& o = state.page(kSection);
    const bool inverted = o.holiday_reverse && state.holidays.IsMarked(state.month, d);
    if (!o.day_english) {
        canvas.SetBrush(base::kWhite);
        canvas.SetTextColor(base::kBlack);
        DrawDayNumber(canvas, state, box, d, inverted ? gfx::BitmapCopy::kInvert : gfx::BitmapCopy::kCopy);
        return;
    }
    canvas.SetBrush(inverted ? PrintColor(state, base::kRed) : base::kWhite);
    canvas.Rectangle(box);
    canvas.Rectangle({box.left, box.top, box.right - 1, box.bottom - 1});
}

} // namespace

gfx::Rect DrawDayCell(gfx::Canvas& canvas, const PrintState& state, const Layout& layout, int d, int x, int y) {
    const config::PageOptions& o = state.page(kSection);
    const almanac::DayRecord& day = state.day(d);
    const int w_cell = layout.cell_width, h = layout.row_height;

    canvas.SetPen(base::kBlack);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.Rectangle({x, y, x + w_cell + 1, y + h + 1});
    canvas.Rectangle({x + 1, y + 1, x + w_cell, y + h});
    canvas.Rectangle({x + 2, y + 2, x + w_cell - 1, y + h - 1});

    const gfx::Rect box = NumberBox(layout, x, y);
    DrawNumberBox(canvas, state, box, d);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);

    const int notes_height = -layout.notes_height;
    canvas.SelectFont(VerticalFont(state, layout.notes_height));
    CellWriter cell(canvas, state, notes_height, x + w_cell - kFrameInset, y + h - kFrameInset);
    const int w = cell.Thickness(notes_height);
    int c = x;
    const int ty0 = box.bottom + 5;

    if (o.old_day_print) {
        cell.Column(c + 2, ty0, {{OldDateText(day.LunarMonth, day.LunarDay, day.LeapMonth), base::kBlack}},
                    notes_height);
        c += w + 2;
    }
    if (o.eto_print || o.rokuyou_print) {
        // The 六曜 stands under the day sign in the same column.
        std::vector<TextPiece> pieces;
        if (o.eto_print) pieces.push_back({almanac::CycleName(day.DayCycle) + " ", base::kBlack});
        if (o.rokuyou_print)
            pieces.push_back(
                {std::string(almanac::TableText(almanac::RokuyoNames, day.Rokuyo - 1)), RokuyoColor(day.Rokuyo)});
        cell.Column(c + 2, ty0, pieces, notes_height);
        c += w + 2;
    }
    if (o.zatsu_print) {
        const std::string text = SeasonText(day.SeasonFlags);
        if (!text.empty()) cell.Column(c + 2, ty0, {{text, base::kBlack}}, notes_height);
        c += w + 2;
    }

    // The fortune: its rank in a larger font, the lucky and unlucky numbers under it in
    // two columns. The named days leave it that much room at the right of the cell.
    const int rank_height = RoundHalfEven(layout.box_design * layout.h_scale / 2);
    const bool fortune = PrintsFortune(state, kSection);
    const int rank_w = fortune ? cell.Thickness(rank_height) : 0;
    cell.Restore();
    const int fortune_room = fortune ? std::max(rank_w, 2 * w) + 2 : 0;

    if (o.kikkyou1 || o.kikkyou2) {
        c += w + 2;
        const almanac::DayKeys keys = almanac::MakeDayKeys(day, state.settings.birth_eto, state.day(1).YearCycle);
        std::vector<TextPiece> notes;
        for (int row : almanac::NamedDaysOf(day, keys)) {
            const almanac::NamedDay& named = almanac::NamedDays[static_cast<std::size_t>(row)];
            if (PrintsRow(o, named)) notes.push_back({CellNoteText(row, keys), almanac::ClassColor(named.kind)});
        }
        c = cell.Notes(c, ty0, cell.right() - fortune_room, notes);
    }

    if (fortune && c + fortune_room <= cell.right()) {
        almanac::FortuneWork work;
        const int net =
            almanac::EvaluateDayFortune(day, static_cast<std::uint8_t>(state.settings.birth_eto), day.YearCycle, work);
        const std::string_view rank = almanac::FortuneRank(work.good, work.bad);
        const base::Color rank_color = net < 0 ? base::kBlue : base::kRed;
        const int ty = cell.Column(c + 2, ty0, {{std::string(rank), rank_color}}, rank_height);
        const std::string lucky = FortuneNumberText("吉", work.good, layout.portrait);
        const std::string unlucky = FortuneNumberText("凶", work.bad, layout.portrait);
        if (ty + canvas.TextExtent(lucky).cx < cell.bottom() && ty + canvas.TextExtent(unlucky).cx < cell.bottom()) {
            canvas.SetTextColor(PrintColor(state, base::kRed));
            canvas.TextOut(c + w + 2, ty, lucky);
            canvas.SetTextColor(PrintColor(state, base::kBlue));
            canvas.TextOut(c + 2 * w + 2, ty, unlucky);
        }
    }

    if (o.sekki && almanac::SolarTermBegins(day, state.day(d - 1))) {
        const std::string_view name = almanac::TableText(almanac::SolarTermNames, day.SolarTerm - 1);
        const int height = RoundHalfEven(layout.box_design * layout.v_scale / 2 - 6);
        cell.Column(box.right - 1 + 3, y + 4, {{std::string(name), base::kBlack}}, height);
    }
    return box;
}

} // namespace pages::calendar
