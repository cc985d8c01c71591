// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Filling the print state from a host folder, as the main window does at start-up: the
// settings of Kalvorin.CFG, the era table, the calendar font's face, the built-in day-number
// bitmaps and today's date; and, per month, its length, its day records from UNSEI.DAT and
// the user holidays of its year.

#include "base/reporter.h"
#include "pages/print_state.h"

#include <filesystem>

namespace print {

// The start-up part. The caller has checked that Kalvorin.CFG is there; missing keys take
// their defaults. The reporter is kept in the state for the page routines.
void LoadPrintState(const std::filesystem::path& host_folder, pages::PrintState& state, base::Reporter& reporter);

// Today's date into the state's today fields and `year`, as at start-up.
void SetToday(pages::PrintState& state, int year, int month, int day);

// The host's configuration file in a host folder.
std::filesystem::path ConfigPath(const std::filesystem::path& host_folder);

// The user holidays of `state.year` into `state.holidays`, as when a year is chosen. The
// print run draws from the table in memory, so edits not yet written still print.
void LoadYearHolidays(pages::PrintState& state);

// Whether Kalvorin.CFG has a holiday section for `state.year` at all: a year nobody wrote
// holidays for prints none, which a run should say.
bool HasYearHolidays(const pages::PrintState& state);

// The month of `state.year` about to be drawn: `month`, `days_in_month` (Gregorian, so
// 2100 has no 29 February), `days` from UNSEI.DAT, and the place ("IDO", "KEIDO",
// "HYOUKOU") read afresh, so that a place the host changed meanwhile is printed (unless
// the run fixed its place: `place_fixed`). Returns whether the records were loaded; a day
// file that cannot be read, or ends before the month does, is reported by the loader, and
// the month must then not be drawn.
bool PrepareMonth(pages::PrintState& state, int month);

} // namespace print
