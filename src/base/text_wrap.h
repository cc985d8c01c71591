// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts fitted to a terminal's columns: help texts, the month grid's lists and legend. A
// character takes the columns of its CP932 bytes (base/sjis.h): ASCII and half-width
// katakana one, every other character two, so that a text measured here never overflows a
// terminal, whether it shows the ambiguous characters (…, °) narrow or wide.

#include <string>
#include <string_view>
#include <vector>

namespace base {

// The columns a UTF-8 text takes.
int TextColumns(std::string_view text);

// One line broken into lines of at most `width` columns: between words where there are
// spaces, else between wide characters (never before a closing mark such as 、。）」), a
// word longer than a line by characters. Lines after the first begin with `indent` spaces.
std::vector<std::string> WrapLine(std::string_view line, int width, int indent);

// Every line of a text wrapped to `width` columns, each under its own description: a line
// that begins with spaces continues at the column where its last run of two or more spaces
// in its first 48 columns ends ("  --home DIR      the host folder" continues under "the",
// a row of a table under its last column), or else at its own first column.
std::string WrapText(std::string_view text, int width);

// The width help texts are fitted to.
inline constexpr int kHelpColumns = 80;

} // namespace base
