// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_routines.h"

#include "almanac/birth_sign.h"

namespace pages {

const std::array<PageRoutineEntry, kFormatCount>& PageRoutines() {
    static const std::array<PageRoutineEntry, kFormatCount> table = {{
        {Format::kCalendar, "暦", "calendar", DrawCalendarPage, 1},
        {Format::kList, "一覧", "list", DrawListPage, 2},
        {Format::kDaily, "日めくり", "daily", DrawDailyPages, 3},
        {Format::kPoster, "はり紙", "poster", DrawPosterPage, 4},
        {Format::kKikkyouNotes, "吉凶解説", "kikkyou", DrawCommentaryPage, 5},
        {Format::kPentadNotes, "七十二候解説", "pentads", DrawCommentaryPage, 5},
        {Format::kMansionNotes, "二十八宿解説", "mansions", DrawCommentaryPage, 5},
        {Format::kOfficerNotes, "十二直解説", "officers", DrawCommentaryPage, 5},
    }};
    return table;
}

const PageRoutineEntry* FindPageRoutine(int format) {
    if (format < 1 || format > kFormatCount) return nullptr;
    return &PageRoutines()[static_cast<std::size_t>(format - 1)];
}

void NoteFortuneWithoutSign(const PrintState& state, base::Reporter& reporter) {
    const PageRoutineEntry* entry = FindPageRoutine(static_cast<int>(state.format));
    if (entry && state.page(entry->section).unki) almanac::HasBirthSign(state.settings.birth_eto, reporter);
}

RoomInsideMargins RoomInsideMarginsOf(const PrintState& state, double paper_width_mm, double paper_height_mm) {
    RoomInsideMargins room;
    const PageRoutineEntry* entry = FindPageRoutine(static_cast<int>(state.format));
    if (!entry) return room;
    room.section = entry->section;
    room.margins = &state.page(entry->section);
    room.width_mm = paper_width_mm - room.margins->left_space - room.margins->right_space;
    room.height_mm = paper_height_mm - room.margins->up_space - room.margins->down_space;
    return room;
}

} // namespace pages
