// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes of a day as a calendar program shows them: one note per kind and day, with a
// Japanese summary, the commentary where the tables have one, and the kind's category.
// The kinds are one table, read by the option parser, the iCalendar writer and the month
// grid alike.

#include "almanac/day_record.h"

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanac {

enum class NoteKind { kRokuyo, kTerms, kSeasonal, kNamed, kHolidays, kLunar, kFortune, kSun };
constexpr int kNoteKindCount = 8;

struct NoteKindInfo {
    NoteKind kind;
    std::string_view name;     // as --notes lists it; also the kind's part of a note's UID
    std::string_view category; // the iCalendar CATEGORIES value
    std::string_view help;     // one line for --help
};
extern const std::array<NoteKindInfo, kNoteKindCount> NoteKinds;

using NoteSet = std::bitset<kNoteKindCount>;

// terms, seasonal, named and holidays.
NoteSet DefaultNotes();

// A comma-separated list of kind names, any of which may be "all". Nothing when a name is
// not a kind; `bad` then holds it.
std::optional<NoteSet> ParseNoteList(std::string_view list, std::string* bad);

// The kind names joined by ", ", for messages and help.
std::string NoteKindNames();

// The place of sunrise and sunset: degrees north and east, metres above the sea.
struct Place {
    double latitude = 0;
    double longitude = 0;
    double elevation = 0;
};

// What a day's notes are made from.
struct NoteDay {
    const DayRecord* day = nullptr;
    const DayRecord* before = nullptr; // the day before (its Date 0 before 1901-01-01)
    int month_year_cycle = 0;          // YearCycle of the 1st of the month, as the pages key named days
    int birth_eto = 0;                 // BirthEto; no fortune unless it is a sign (1 … 60)
    std::string_view holiday;          // the name of a day marked in the year's holiday table, or empty
    std::optional<Place> place;        // none: no sun times
};

struct DayNote {
    NoteKind kind;
    std::string summary;     // the note's Japanese name; notes of a kind on a day joined by "・"
    std::string description; // the commentary, lines joined by "\n"; may be empty
    // named: a lucky or an unlucky day of the day file's flags (一粒万倍日, 天赦日, 不成就日,
    // 三隣亡 …) is among them; the days of the lower column's rules, which fall on most
    // days, do not count here.
    bool lucky = false;
    bool unlucky = false;
};

// The notes of the kinds in `wanted` for one day, in the order of NoteKinds; at most one
// per kind. A kind without a note that day (no term begins, no named day, no holiday, no
// place, no birth sign, no fortune rank) gives nothing.
std::vector<DayNote> NotesOfDay(const NoteDay& day, NoteSet wanted);

const NoteKindInfo& InfoOf(NoteKind kind);

} // namespace almanac
