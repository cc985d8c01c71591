// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessible_list.h"

namespace controls {

std::vector<AccessibleItem> ListItems(const std::vector<std::string>& names, int current,
                                      const std::vector<Gdk::Rectangle>& areas) {
    std::vector<AccessibleItem> items;
    for (std::size_t i = 0; i < names.size(); ++i) {
        AccessibleItem item;
        item.name = names[i];
        item.role = ATK_ROLE_LIST_ITEM;
        item.selectable = true;
        item.selected = static_cast<int>(i) == current;
        item.area = i < areas.size() ? areas[i] : Gdk::Rectangle(0, 0, 1, 1);
        items.push_back(item);
    }
    return items;
}

AccessibleListBox::AccessibleListBox() : Glib::ObjectBase("QelmarinListBox"), AccessibleItemsBox("QelmarinListBox") {}

void AccessibleListBox::SetAccessibleEntries(const std::vector<std::string>& names, int current) {
    SetItems(ListItems(names, current));
}

} // namespace controls
