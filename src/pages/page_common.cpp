// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_common.h"

#include "almanac/birth_sign.h"
#include "almanac/named_days.h"
#include "base/kanji_numbers.h"
#include "gfx/font_size.h"

#include <cmath>

namespace pages {

int MmToPixels(int mm, int dpi) { return static_cast<int>(std::trunc(mm * static_cast<double>(dpi) / 25.4)); }

int DesignToDevice(int pixels, int dpi) { return static_cast<int>(static_cast<long long>(pixels) * dpi / gfx::kPixelsPerInch); }

double DesignScale(int dpi) { return static_cast<double>(dpi) / gfx::kPixelsPerInch; }

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

int PointRoundedHeight(int height, int dpi) { return gfx::HeightFromPoints(gfx::PointsFromHeight(height, dpi), dpi); }

gfx::Rect PageArea(const gfx::Canvas& canvas, const PrintState& state, int section) {
    const config::PageOptions& o = state.page(section);
    return {MmToPixels(o.left_space, state.dpi_x), MmToPixels(o.up_space, state.dpi_y),
            canvas.PageWidth() - MmToPixels(o.right_space, state.dpi_x),
            canvas.PageHeight() - MmToPixels(o.down_space, state.dpi_y)};
}

std::string HorizontalFace(std::string_view face) {
    if (!face.empty() && face.front() == '@') face.remove_prefix(1);
    return std::string(face);
}

gfx::Font VerticalFont(const PrintState& state, int height) {
    return gfx::Font{state.face_name, height, gfx::kVerticalEscapement, false};
}

gfx::Font HorizontalFont(const PrintState& state, int height) {
    return gfx::Font{HorizontalFace(state.face_name), height, 0, false};
}

std::string_view MonthPictureName(const PrintState& state) {
    if (state.month < 1 || state.month > 12) return {};
    return state.settings.month_pictures[static_cast<std::size_t>(state.month - 1)];
}

base::Color PrintColor(const PrintState& state, base::Color color) { return state.monochrome() ? base::kBlack : color; }

std::string EraYearText(int year) {
    if (year >= 0 && year <= 31) return std::string(base::KanjiNumerals[static_cast<std::size_t>(year)]);
    if (year < 0) return std::string(base::KanjiNumerals[0]);
    auto digit = [](int d) { return std::string(base::KanjiNumerals[static_cast<std::size_t>(d)]); };
    std::string s;
    const int hundreds = year / 100 % 10, tens = year / 10 % 10, units = year % 10;
    if (hundreds > 1) s += digit(hundreds);
    if (hundreds > 0) s += "百";
    if (tens > 1) s += digit(tens);
    if (tens > 0) s += "十";
    if (units > 0) s += digit(units);
    return s;
}

bool PrintsFortune(const PrintState& state, int section) {
    return state.page(section).unki && almanac::IsBirthSign(state.settings.birth_eto);
}

std::vector<TextPiece> NamedDayPieces(const PrintState& state, int d, bool separators) {
    std::vector<TextPiece> pieces;
    const almanac::DayRecord& day = state.day(d);
    const almanac::DayKeys keys = almanac::MakeDayKeys(day, state.settings.birth_eto, state.day(1).YearCycle);
    for (int row : almanac::NamedDaysOf(day, keys)) {
        if (separators && !pieces.empty()) pieces.push_back({"・", base::kBlack});
        const almanac::NamedDay& named = almanac::NamedDays[static_cast<std::size_t>(row)];
        pieces.push_back({almanac::NamedDayText(row, keys), PrintColor(state, almanac::ClassColor(named.kind))});
    }
    return pieces;
}

} // namespace pages
