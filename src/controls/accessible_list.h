// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list the program paints itself (the main window's drop list) as a screen reader reads
// it: the list with one list item per entry, named by the entry's text, the current one
// selected.

#include "controls/accessible_items.h"

#include <string>
#include <vector>

namespace controls {

class AccessibleListBox : public AccessibleItemsBox {
public:
    AccessibleListBox();
    // The entries as they stand in the list, and which of them is current (-1: none).
    void SetAccessibleEntries(const std::vector<std::string>& names, int current);
};

// The items of a list: one selectable list item per entry, the current one selected, each
// at its place when areas holds one for it.
std::vector<AccessibleItem> ListItems(const std::vector<std::string>& names, int current,
                                      const std::vector<Gdk::Rectangle>& areas = {});

} // namespace controls
