// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commentary tables the pages print: pentad names with readings, the mansions' and
// day-officers' commentaries, and the page of lucky and unlucky days. Every text is the
// exact line the page prints; byte widths are those of code page 932.

#include "base/color.h"

#include <array>
#include <string_view>

namespace almanac {

// 72 entries, index Pentad − 1: the name (eight bytes: four kanji solid, or three kanji
// with a half-width space between them), a half-width space, the reading in katakana with
// its words separated by half-width spaces.
extern const std::array<std::string_view, 72> PentadTexts;

// 28 mansions × 2 lines, index 2 × (Mansion − 1) + line. Line 1 is "(" name ")" and a
// half-width space and the commentary; line 2 continues it indented by five half-width
// spaces, or is blank. At most 41 bytes a line.
extern const std::array<std::string_view, 56> MansionTexts;

// 12 day-officers × 3 lines, index 3 × (Officer − 1) + line (the "新占い" commentary).
extern const std::array<std::string_view, 36> OfficerTexts;

// 12 day-officers × 3 lines (the "旧占い" commentary, with grades and ○ / ● lists).
extern const std::array<std::string_view, 36> OfficerTextsOld;

struct ColoredLine {
    base::Color color;
    std::string_view text;
};

// The 104 lines of the "吉凶解説" page, index line number − 1.
extern const std::array<ColoredLine, 104> KikkyouCommentary;

} // namespace almanac
