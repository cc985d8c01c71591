// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dates and months as the command lines write them.

#include "print/notes_run.h"

#include <optional>
#include <string_view>

namespace cli {

// YYYY-MM-DD, a real Gregorian date (any year of four digits), or today, tomorrow or
// yesterday in the local time zone.
std::optional<print::CivilDay> ParseDate(std::string_view text);

// Whether the date lies in 1901-01-01 … 2100-12-31, the years of the day file.
bool InDayFileRange(const print::CivilDay& d);

// "2027-02-04".
std::string DateText(const print::CivilDay& d);

// Today in the local time zone.
print::CivilDay Today();

} // namespace cli
