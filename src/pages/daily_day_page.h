// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of the tear-off calendar: the month page (year and month alone) and the page
// of one day, with its heading, the old month name, the note columns from left to right
// and the large day number at the right edge, optionally over a picture.

#include "gfx/canvas.h"
#include "pages/print_state.h"
#include "pictures/bitmap.h"

#include <string>

namespace pages {

// "二〇二六年 正月": the year in kanji digits and the month's name.
std::string DailyMonthText(const PrintState& state);

// The month page in the area of section "PRINT 3": one column centred across the area,
// from its top.
void DrawDailyMonthPage(gfx::Canvas& canvas, const PrintState& state);

// The page of day d (1 … days_in_month). With "UnderBitmap" on, picture is drawn under
// it when given; without a picture the month's picture file is used unless
// skip_month_picture is set (the pentad picture was asked for but could not be had).
struct DayPicture {
    const pictures::Bitmap* picture = nullptr;
    bool skip_month_picture = false;
};
void DrawDailyDayPage(gfx::Canvas& canvas, const PrintState& state, int d, const DayPicture& picture);

// The day the preview shows: today's day, lowered to 28 in February and to 30 in the other
// months, so that it exists in every month that may be previewed.
int DailyPreviewDay(int today_day, int month);

} // namespace pages
