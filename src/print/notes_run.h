// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes of every day of a date range from a host folder: the day records of UNSEI.DAT
// month by month, the holidays of Kalvorin.CFG year by year, the birth sign and the place,
// handed day by day to a writer (the iCalendar stream, the month grid).

#include "almanac/calendar_notes.h"
#include "base/reporter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace print {

struct CivilDay {
    int year = 0, month = 0, day = 0;
    int key() const { return year * 10000 + month * 100 + day; }
    bool operator==(const CivilDay&) const = default;
};

// The day after.
CivilDay NextDay(CivilDay d);

struct NotesRequest {
    std::filesystem::path host_folder;
    CivilDay from, to; // within 1901-01-01 … 2100-12-31, from <= to
    almanac::NoteSet notes;
    int birth_eto = 0;                   // 0: Kalvorin.CFG's
    std::optional<almanac::Place> place; // none: Kalvorin.CFG's, when it has one
};

using DayNotesFn = std::function<bool(const CivilDay& day, const std::vector<almanac::DayNote>& notes)>;

// Calls `each` for every day of the range in order, with its notes (possibly none). Sun
// notes asked for without a place, and fortune notes without a birth sign, are said to be
// missing once, through the reporter (as notes, which fail nothing). Stops
// and returns false when the day file cannot be read or lacks a day (told through the
// reporter) or when `each` returns false.
bool ForEachDayNotes(const NotesRequest& request, base::Reporter& reporter, const DayNotesFn& each);

} // namespace print
