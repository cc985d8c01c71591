// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title of the list page: the year in kanji digits, the era year and the month's old
// name, with the month ("閏" in front when the 1st lies in a leap lunar month) — a band
// across the top of a portrait page, a column at the right of a landscape page.

#include "gfx/canvas.h"
#include "pages/list_area.h"
#include "pages/print_state.h"

#include <string>

namespace pages {

// " 二〇二六年 平成卅八年  （睦月） " (the era part is left out for a year before every era).
std::string ListTitleText(const PrintState& state);
// "閏" when the 1st of the month lies in a leap lunar month, the month numeral and "月".
std::string ListMonthText(const PrintState& state);

// Draws the title and takes its strip from the area: the band and a gap from the top on a
// portrait page, the column from the right on a landscape page.
void DrawPortraitTitle(gfx::Canvas& canvas, const PrintState& state, ListArea& area);
void DrawLandscapeTitle(gfx::Canvas& canvas, const PrintState& state, ListArea& area);

} // namespace pages
