// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small drop lists of the dialogs (the margin list, the month list): values written
// as vertical columns from left to right in a white scroll box. The first column's right
// edge is at h + 5 and each next one h + 2 further right, h being the font height; a
// column runs from 2 pixels below the top to the bottom of the box.

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

// The list in a lowered white frame with its scroll bar below. The paint box is the visible
// part of the list and paints the columns in view itself, shifted by the scroll position:
// every scroll repaints the whole of it, so no part of the list is ever left unpainted.
class ColumnListBox : public Gtk::Frame {
public:
    ColumnListBox(std::string face, int font_height);

    // Fills the list (left to right) and marks the value drawn white on black.
    void SetEntries(std::vector<std::pair<int, std::string>> entries, int highlighted);
    // Scrolls so that the highlighted value's column is at the left edge.
    void ScrollToHighlighted();
    // Marks a value at once (before the list closes).
    void Highlight(int value);
    // A press at (x, y) of the list (the scroll position added to the paint box's x).
    void PressAt(int x, int y);

    const std::vector<ListColumn>& Columns() const { return columns_; }
    int Highlighted() const { return highlighted_; }
    double ScrollX() const;
    Glib::RefPtr<Gtk::Adjustment> Adjustment() { return adjustment_; }
    // The visible part of the list.
    Gtk::DrawingArea& PaintBox() { return paint_box_; }

    // A press on a column (its value) or beside every column (nullopt).
    std::function<void(std::optional<int>)> on_press;

protected:
    void on_hide() override;

private:
    void ApplyPendingScroll();
    void UpdateRange();
    bool Paint(const Cairo::RefPtr<Cairo::Context>& cr);
    bool Scroll(GdkEventScroll* event);
    void Relayout();

    std::string face_;
    int font_height_;
    std::vector<std::pair<int, std::string>> entries_;
    std::vector<ListColumn> columns_;
    int highlighted_ = -1;
    bool scroll_pending_ = false;
    Glib::RefPtr<Gtk::Adjustment> adjustment_;
    Gtk::Box box_;
    Gtk::DrawingArea paint_box_;
    Gtk::Scrollbar scrollbar_;
};

} // namespace dialogs
