// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's drop list of months or years: its entries, their rectangles on the
// list's drawing area, the hit test of a click, and the drawing. The entries stand left to
// right from 12月 (or 2100年) down to 1月 (or 1901年), so they read right to left ascending.

#include "gfx/canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace app {

// OpenList: which list is open.
enum class ListKind { kFromMonth = 0, kToMonth = 1, kYear = 2 };

struct ListEntry {
    gfx::Rect rect;
    int value; // a month 1 … 12 or a year 1901 … 2100
};

// The list's entries for a font of |height| h on a drawing area of the given height: x starts
// at h + 5; entry i takes (x − h, 2, x, paint height), then x grows by h + 6 (the columns of
// the dialogs' lists: gaps wide enough that the columns read as columns).
std::vector<ListEntry> ListEntries(ListKind kind, int font_height, int paint_height);
// The horizontal scroll range of the list: 5 pixels after the last entry.
int ListScrollRange(ListKind kind, int font_height);
// The width of the list's view: as many whole entries as fit in max_width, 5 pixels before
// the first and after the last. Scrolled to a multiple of the entries' pitch, the view
// shows whole entries only.
int ListViewWidth(ListKind kind, int font_height, int max_width);
// The distance from one entry's left edge to the next one's.
int ListPitch(int font_height);
// The scroll position nearest to value that starts an entry, within 0 … last.
double SnapListScroll(double value, int font_height, double last);
// The value of the first entry whose rectangle holds the point; none between entries.
std::optional<int> ListHitTest(const std::vector<ListEntry>& entries, int x, int y);
// The entry's text: the year in kanji digits and "年", or the month's numeral and "月".
std::string ListEntryText(ListKind kind, int value);
// The scroll position that puts the entry of value at the view's left (as the first whole
// entry in view); 0 when absent.
int ListScrollPosition(const std::vector<ListEntry>& entries, int value);

// Draws the list in the vertical calendar font: the current entry black with white text,
// the others white with black text.
void DrawList(gfx::Canvas& canvas, ListKind kind, const std::vector<ListEntry>& entries, int current,
              const std::string& face, int font_height);

} // namespace app
