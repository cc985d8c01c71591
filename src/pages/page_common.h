// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces every page routine uses: margins and design sizes in device pixels, the
// vertical and horizontal fonts made from the configured face, colours on monochrome
// printers, and the named days of a day as coloured pieces.

#include "base/color.h"
#include "gfx/canvas.h"
#include "pages/print_state.h"

#include <string>
#include <vector>

namespace pages {

// Millimetres to device pixels: Trunc(mm × dpi ÷ 25.4).
int MmToPixels(int mm, int dpi);
// A length designed in screen pixels (96 per inch) at the target's resolution.
int DesignToDevice(int pixels, int dpi);
// The scale of designed lengths: dpi ÷ 96, as a floating-point factor.
double DesignScale(int dpi);
// Round to the nearest integer, halves to even (2.5 → 2, 3.5 → 4).
int RoundHalfEven(double value);
// The height a font really gets when a page sets its size in points from a height
// (Size = −Round(height × 72 ÷ dpi)); keeps the sign: negative is a character height.
int PointRoundedHeight(int height, int dpi);

// The page area inside the margins of section "PRINT n" (left, top, right, bottom).
gfx::Rect PageArea(const gfx::Canvas& canvas, const PrintState& state, int section);

// The configured face as a vertical font (escapement 2700) and its horizontal form (the
// face without its "@").
gfx::Font VerticalFont(const PrintState& state, int height);
gfx::Font HorizontalFont(const PrintState& state, int height);
std::string HorizontalFace(std::string_view face);

// The month's picture file ("BMP1" … "BMP12" of section "PRINT"); empty outside 1 … 12.
std::string_view MonthPictureName(const PrintState& state);

// A colour as printed: black on a monochrome printer (2 colours or fewer).
base::Color PrintColor(const PrintState& state, base::Color color);

// An era year as the page titles write it: 1 … 31 from the numeral table (廿, 卅 …);
// above 31 with the kanji digits and 十 / 百 (三十五, 四十, 百十二), never 卅五.
std::string EraYearText(int year);

// Whether the pages of section "PRINT n" print the fortune: its "Unki" is on and the user's
// birth sign is a sign (almanac::IsBirthSign); without one there is no fortune to tell.
bool PrintsFortune(const PrintState& state, int section);

struct TextPiece {
    std::string text;
    base::Color color;
};

// The named days of day d (1 … 31) in the canonical order, each in its colour class, with
// the year branch of the 1st of the month as the list and calendar pages take it. With
// separators, a black "・" piece stands between consecutive names.
std::vector<TextPiece> NamedDayPieces(const PrintState& state, int d, bool separators);

} // namespace pages
