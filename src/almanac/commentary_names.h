// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-kanji names of the mansions and day-officers, taken from the first line of their
// commentary ("(角) …": the character after the opening parenthesis), as the pages print
// them.

#include <string>

namespace almanac {

// Mansion 1 … 28 ("角" … "軫"); empty outside that range.
std::string MansionName(int mansion);
// Day-officer 1 … 12 ("開" … "納"); empty outside that range.
std::string OfficerName(int officer);

} // namespace almanac
