// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list the program paints itself (the main window's drop list) as a screen reader reads
// it: the list with one list item per entry, named by the entry's text, the current one
// selected. GTK gives a painted widget no children; this box's accessible has them.

#include <gtkmm/drawingarea.h>

#include <string>
#include <vector>

namespace controls {

class AccessibleListBox : public Gtk::DrawingArea {
public:
    AccessibleListBox();
    // The entries as they stand in the list, and which of them is current (-1: none).
    void SetAccessibleEntries(const std::vector<std::string>& names, int current);
};

} // namespace controls
