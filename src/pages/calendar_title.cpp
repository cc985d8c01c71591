// SPDX-License-Identifier: GPL-3.0-or-later
// The title block of the monthly calendar page: year, era year and old month name in
// vertical columns, then the month as a large horizontal numeral, in the free cells after
// the last day or at the start of the empty sixth row.

#include "almanac/name_tables.h"
#include "base/kanji_numbers.h"
#include "pages/calendar_layout.h"
#include "pages/fitted_text.h"
#include "pages/page_common.h"

#include <algorithm>

namespace pages::calendar {

void DrawTitle(gfx::Canvas& canvas, const PrintState& state, const Layout& layout, int rows, int x, int y) {
    const int g = RoundHalfEven(kNumberBox * layout.h_scale / 2);
    const int h = layout.row_height;
    canvas.SelectFont(VerticalFont(state, -g));
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);

    int tx = rows > 5 ? x + 10 : layout.area.left + 10;
    const int ty = rows > 5 ? y + 20 : y + h + 20;

    // The columns end inside the row they stand in: on low rows they are made smaller.
    const int row_bottom = ty - 20 + h - 2;
    const ExtentFn extent = [&](std::string_view text, int height) {
        if (canvas.CurrentFont().height != -height) canvas.SelectFont(VerticalFont(state, -height));
        return canvas.TextExtent(text).cx;
    };
    auto column = [&](int column_x, const std::string& text) {
        const FittedColumn fitted = FitColumn({{text, base::kBlack}}, g, row_bottom - ty, extent);
        if (fitted.pieces.empty()) return;
        if (canvas.CurrentFont().height != -fitted.font_height)
            canvas.SelectFont(VerticalFont(state, -fitted.font_height));
        canvas.TextOut(column_x, ty, fitted.pieces.front().text);
    };
    column(tx + g, std::string(layout.portrait ? " " : "") + base::FormatYearKanji(state.year) + "年");
    if (const auto era = state.eras.Lookup(state.year))
        column(tx + 2 * g + 10, " " + era->name + EraYearText(era->year) + "年");
    column(tx + 3 * g + 20, " （" + std::string(almanac::TableText(almanac::MonthOldNames, state.month - 1)) + "）");

    tx += 3 * g + 30;
    const int available = canvas.PageWidth() - layout.area.left - tx;
    const int height = std::min(available / 3, h - RoundHalfEven(layout.h_scale * 50));
    if (available <= 0 || height <= 0) return;
    canvas.SelectFont(HorizontalFont(state, PointRoundedHeight(height, state.dpi_x)));
    const std::string month =
        std::string(" ").append(almanac::TableText(base::KanjiNumerals, state.month)).append("月");
    canvas.DrawText({tx, ty, tx + available, ty + h - 20}, gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine,
                    month);
}

} // namespace pages::calendar
