// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small drop lists of the dialogs (the margin list, the month list): values written
// as vertical columns from left to right in a white scroll box with a dark border. The
// first column's right edge is at h + 5 and each next one h + 6 further right, h being the
// font height (gaps wide enough that the columns read as columns, not as rows of
// characters); a column runs from 2 pixels below the top to the bottom of the box. The box
// is as wide as a whole number of columns and scrolls a column at a time, so no column is
// ever cut at its edge.

#include "controls/accessible_items.h"
#include "gfx/canvas.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/box.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrollbar.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dialogs {

struct ListColumn {
    gfx::Rect rect;
    int value = 0;
    std::string text;
};

// The columns of the entries, left to right, for font height h (absolute) in a box of the
// given height.
std::vector<ListColumn> LayOutColumns(std::vector<std::pair<int, std::string>> entries, int h, int box_height);
// The value of the column holding (x, y); nullopt between or outside the columns.
std::optional<int> HitColumn(const std::vector<ListColumn>& columns, int x, int y);
// The width the scroll box scrolls over: the last column's right edge + 2.
int ColumnsWidth(const std::vector<ListColumn>& columns);

// The space between two columns, and the distance from one column's left edge to the next.
inline constexpr int kColumnGap = 6;
inline int ColumnPitch(int h) {
    return h + kColumnGap;
}
// How many whole columns of font height h a view at most max_width wide shows (at least
// one, at most count), and that view's width: 5 pixels before the first column and 5
// after the last.
int WholeColumnsInView(int count, int h, int max_width);
int ViewWidthForColumns(int columns, int h);
// The scroll position nearest to value at which a column starts the view, within 0 … last.
double ColumnScrollStop(double value, int h, double last);

// The list in a lowered white frame with its scroll bar below. The drawing area is the visible
// part of the list and paints the columns in view itself, shifted by the scroll position:
// every scroll repaints the whole of it, so no part of the list is ever left unpainted.
class ColumnListBox : public Gtk::Frame {
public:
    ColumnListBox(std::string face, int font_height);

    // Fills the list (left to right) and marks the value drawn white on black. The list
    // takes the width of as many whole columns as fit in max_width (all when they fit).
    void SetEntries(std::vector<std::pair<int, std::string>> entries, int highlighted, int max_width);
    // Makes the list as tall as its longest column of text (2 pixels above, 4 below) and
    // no taller, for lists whose height nothing else decides.
    void FitHeightToEntries();
    // Scrolls so that the highlighted value's column is at the left edge.
    void ScrollToHighlighted();
    // Marks a value at once (before the list closes).
    void Highlight(int value);
    // A press at (x, y) of the list (the scroll position added to the drawing area's x).
    void PressAt(int x, int y);

    const std::vector<ListColumn>& Columns() const { return columns_; }
    int Highlighted() const { return highlighted_; }
    double ScrollX() const;
    Glib::RefPtr<Gtk::Adjustment> Adjustment() { return adjustment_; }
    // The visible part of the list.
    Gtk::DrawingArea& EntryArea() { return entry_area_; }

    // A press on a column (its value) or beside every column (nullopt). From the keyboard,
    // the arrows move the mark from column to column (Home and End to the first and last),
    // Enter or Space press the marked column and Escape closes the list.
    std::function<void(std::optional<int>)> on_press;

    // What a screen reader reads for an entry (its text when not given): a margin list
    // reads "10ミリ" where it shows "一○".
    std::function<std::string(int value, const std::string& text)> spoken_name;

    // Moves the mark delta columns to the right, keeping it in view.
    void MoveHighlight(int delta);

    // The number of columns the list shows at once.
    int ColumnsInView() const { return in_view_; }

protected:
    void on_show() override;
    void on_hide() override;
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    void ApplyPendingScroll();
    void UpdateRange();
    bool Paint(const Cairo::RefPtr<Cairo::Context>& cr);
    bool Scroll(GdkEventScroll* event);
    bool KeyPress(GdkEventKey* event);
    void SnapToColumn();
    int Pitch() const;
    void Relayout();
    // The entries as a screen reader reads them: a list item per column, where it is in
    // the view, the marked one selected and under the keyboard's cursor.
    void DescribeEntries();
    void DescribeState();
    controls::AccessibleItem EntryItem(std::size_t i) const;

    std::string face_;
    int font_height_;
    std::vector<std::pair<int, std::string>> entries_;
    std::vector<ListColumn> columns_;
    int highlighted_ = -1;
    int in_view_ = 1;
    // Where the keyboard was when the list opened; it goes back there when the list closes.
    Gtk::Widget* return_focus_ = nullptr;
    sigc::connection focus_idle_;
    bool scroll_pending_ = false;
    Glib::RefPtr<Gtk::Adjustment> adjustment_;
    Gtk::Box box_;
    controls::AccessibleItemsBox entry_area_;
    Gtk::Scrollbar scrollbar_;
};

} // namespace dialogs
