// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_routines.h"

namespace pages {

const std::array<PageRoutineEntry, kFormatCount>& PageRoutines() {
    static const std::array<PageRoutineEntry, kFormatCount> table = {{
        {Format::kCalendar, "暦", "calendar", DrawCalendarPage},
        {Format::kList, "一覧", "list", DrawListPage},
        {Format::kDaily, "日めくり", "daily", DrawDailyPages},
        {Format::kPoster, "はり紙", "poster", DrawPosterPage},
        {Format::kKikkyouNotes, "吉凶解説", "kikkyou", DrawCommentaryPage},
        {Format::kPentadNotes, "七十二候解説", "pentads", DrawCommentaryPage},
        {Format::kMansionNotes, "二十八宿解説", "mansions", DrawCommentaryPage},
        {Format::kOfficerNotes, "十二直解説", "officers", DrawCommentaryPage},
    }};
    return table;
}

const PageRoutineEntry* FindPageRoutine(int format) {
    if (format < 1 || format > kFormatCount) return nullptr;
    return &PageRoutines()[static_cast<std::size_t>(format - 1)];
}

} // namespace pages
