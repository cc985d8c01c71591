// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything a page routine reads, as one value: the month being drawn and its day
// records, the target's resolution and colours, every setting, the user holidays, the era
// table, the fonts' face and the built-in bitmaps. The print run, the preview, the windows
// and the command line fill it; no page routine looks anywhere else.

#include "almanac/day_file.h"
#include "base/reporter.h"
#include "config/era_table.h"
#include "config/holidays.h"
#include "config/settings.h"
#include "pictures/bitmap.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace pages {

// Print formats (PrintMode).
enum class Format : int {
    kCalendar = 1,       // 暦: monthly calendar page
    kList = 2,           // 一覧: almanac list page
    kDaily = 3,          // 日めくり: tear-off daily pages
    kPoster = 4,         // はり紙: wall poster
    kKikkyouNotes = 5,   // 吉凶解説
    kPentadNotes = 6,    // 七十二候解説
    kMansionNotes = 7,   // 二十八宿解説
    kOfficerNotes = 8,   // 十二直解説
};
constexpr int kFormatCount = 8;

// Long drawing (full-page pictures) reports how far it got: a text and 0 … 100.
using ProgressFn = std::function<void(std::string_view what, int percent)>;

struct PrintState {
    // The month being drawn.
    int year = 2026;          // SelectedYear
    int month = 1;            // CurrentMonth
    int days_in_month = 31;   // DaysInMonth (Gregorian)
    almanac::MonthDays days{}; // MonthDays: slot 0 the day before the 1st, slots 1 … days_in_month
    int from_month = 1;       // FromMonth
    int to_month = 1;         // ToMonth
    Format format = Format::kCalendar; // PrintMode

    // Today, for the preview of the daily pages.
    int today_year = 2026;
    int today_month = 1;
    int today_day = 1;        // TodayDay

    // The target: resolution, colours and paper width of the printer (or the preview).
    int dpi_x = 600;          // PrinterDpiX
    int dpi_y = 600;          // PrinterDpiY
    int colors = 256;         // PrinterColors; 2 or fewer is a monochrome printer
    int paper_width_mm = 210; // PrinterWidthMm

    // Daily pages (format 3): the day range and whether this is a print (true) or the
    // preview (false); the preview flag "確認画面で月頁を表示する" of the print dialog.
    int first_day = 1;
    int last_day = 1;
    bool printing = true;
    bool month_page_preview = false;

    // Settings, holidays, eras, fonts.
    config::Settings settings;        // every setting of Kalvorin.CFG
    config::HolidayTable holidays;    // HolidayTable of `year`
    config::EraTable eras;            // EraTable
    std::string face_name = "@ＭＳ ゴシック"; // the face of CalendarFont
    int font_height = -16;            // the height of CalendarFont

    // The place (settings' latitude, longitude, elevation) was given for this run and is
    // kept; otherwise each month reads the host's afresh.
    bool place_fixed = false;

    // Where the host's files are: the commentary database lies in host_folder, the month
    // pictures in settings.data_folder.
    std::filesystem::path host_folder;

    // Built-in bitmaps: day numbers "K00" … "K31", weekday heads slots 1 … 7 (Sunday …
    // Saturday, as the calendar page fills them). Null where a bitmap is missing.
    std::array<const pictures::Bitmap*, 32> day_number_bitmaps{};
    std::array<const pictures::Bitmap*, 8> weekday_bitmaps{};

    // Where failures go ("message boxes") and where long drawing reports progress.
    base::Reporter* reporter = nullptr;
    ProgressFn progress;

    // The options of section "PRINT n".
    const config::PageOptions& page(int n) const { return settings.page(n); }
    // The record of day d (1 … 31) of the month; slot 0 is the day before the 1st.
    const almanac::DayRecord& day(int d) const { return days[static_cast<std::size_t>(d)]; }
    bool monochrome() const { return colors <= 2; }
};

} // namespace pages
