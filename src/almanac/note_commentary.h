// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commentary of a note, taken from the tables the commentary pages print, for front
// ends that show a note with its explanation (the iCalendar description, for one).

#include <string>
#include <string_view>

namespace almanac {

// The explanation of a named day under its heading on the "吉凶解説" page, its lines run
// together (they break only where the page's column ends) without the page's indentation;
// empty when the page has none. The
// heading is the name itself ("一粒万倍日"), or the shared heading its name ends with
// ("犯土" for 大犯土 and 小犯土); a heading's "●" and its reading in parentheses are not
// part of the name.
std::string NamedDayCommentary(std::string_view name);

// A pentad (1 … 72) split into its name, with the spacing of three-kanji names removed,
// and its reading: "黄鶯鳴" and "ウグイス ナク". Both empty outside 1 … 72.
struct PentadText {
    std::string name;
    std::string reading;
};
PentadText PentadOf(int pentad);

} // namespace almanac
