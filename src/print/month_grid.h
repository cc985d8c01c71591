// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A month as a grid of weeks, as `cal` shows it, with each day's 六曜 and marks for the
// day a solar term begins, the named lucky and unlucky days and the holidays, and the
// names behind the marks for a list under the grid. Front ends lay it out.

#include "print/notes_run.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace print {

struct GridDay {
    int day = 0;
    int weekday = 0;    // 0 Sunday … 6 Saturday
    std::string rokuyo; // "大安"
    bool holiday = false;
    bool term = false;    // a solar term begins
    bool lucky = false;   // a lucky named day
    bool unlucky = false; // an unlucky named day
    std::string notes;    // the names of the holiday, the term, the seasonal and named days, "・"-joined
};

struct MonthGrid {
    int year = 0;
    int month = 0;
    int start_weekday = 0;                                    // 0 Sunday, otherwise Monday
    std::vector<std::array<std::optional<GridDay>, 7>> weeks; // columns from the start weekday
};

struct MonthGridRequest {
    std::filesystem::path host_folder;
    int year = 0;
    int month = 0;
    std::optional<int> start_weekday; // none: Kalvorin.CFG's
    int birth_eto = 0;                // 0: Kalvorin.CFG's
};

// The month's grid; nothing when the day file cannot give it (told through the reporter).
std::optional<MonthGrid> BuildMonthGrid(const MonthGridRequest& request, base::Reporter& reporter);

// The column of a weekday when weeks start on start_weekday (0 Sunday, otherwise Monday).
int GridColumn(int weekday, int start_weekday);

} // namespace print
