// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/name_tables.h"
#include "pages/daily_day_page.h"
#include "pages/daily_pentad_pictures.h"
#include "pages/page_common.h"
#include "pages/page_routines.h"
#include "pictures/picture_file.h"

#include <algorithm>
#include <optional>
#include <string>

namespace pages {

// Printing: the month page, then one page per day of the chosen range, which is kept
// inside the month (the same range serves every month of a run, and a 30-day month has
// no day 31). Preview: the month page alone when asked for, otherwise one day near today.
void DrawDailyPages(gfx::Canvas& canvas, PrintState& state) {
    const gfx::Font saved_font = canvas.CurrentFont();
    base::RecordingReporter silent;
    base::Reporter& reporter = state.reporter ? *state.reporter : silent;
    const config::PageOptions& options = state.page(3);

    int first = 0, last = -1;
    if (state.printing) {
        DrawDailyMonthPage(canvas, state);
        first = state.first_day;
        last = std::min(state.last_day, state.days_in_month);
    } else if (state.month_page_preview) {
        DrawDailyMonthPage(canvas, state);
        canvas.SelectFont(saved_font);
        return;
    } else {
        first = last = std::min(DailyPreviewDay(state.today_day, state.month), state.days_in_month);
    }
    // Slot 0 is the day before the month, never a page of it; slot 31 is the last there is.
    first = std::max(first, 1);
    last = std::min(last, static_cast<int>(state.days.size()) - 1);

    PentadPictures pentads;
    if (options.kou_bmp_use && !pentads.Open(state.host_folder, reporter)) {
        canvas.SelectFont(saved_font);
        return;
    }
    // Without pentad pictures every day has the month's picture: it is read once for the
    // month (and a missing one is reported once).
    std::optional<pictures::Bitmap> month_picture;
    const bool one_month_picture = options.under_bitmap && !options.kou_bmp_use && first < last;
    if (one_month_picture)
        month_picture = pictures::LoadPictureFile(state.settings.data_folder, MonthPictureName(state), reporter);
    // Held over the days, the picture is one image of the document (a monochrome printer
    // gets a grey copy on each page, which is not held).
    std::optional<gfx::PictureHold> hold;
    if (month_picture && !state.monochrome()) hold.emplace(canvas, *month_picture, options.color_level);
    for (int d = first; d <= last; ++d) {
        // A new page ends the one before; none is begun after the last, which the end of
        // the document ends.
        if (state.printing) canvas.NewPage();
        // The day's page in the document's outline, under its month, and its name.
        const std::string weekday(almanac::WeekdayNames[state.day(d).Weekday % 7]);
        canvas.BeginSection(1, std::to_string(d) + "日 (" + weekday + ")");
        canvas.LabelPage(std::to_string(state.month) + "月" + std::to_string(d) + "日");
        DayPicture picture;
        if (options.kou_bmp_use && options.under_bitmap) {
            picture.picture = pentads.Load(state.day(d).Pentad, reporter);
            picture.skip_month_picture = true;
        } else if (one_month_picture) {
            picture.picture = month_picture ? &*month_picture : nullptr;
            picture.skip_month_picture = !month_picture;
        }
        DrawDailyDayPage(canvas, state, d, picture);
    }
    pentads.Close();
    canvas.SelectFont(saved_font);
}

} // namespace pages
