// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A box the program paints itself (a drop list, a month of the holiday editor) as a screen
// reader reads it: the box with one accessible child per thing painted in it, each with a
// name, a role, where it stands, its states (selected, checked, focused) and, where the box
// gives one, an action that does what a click on it does. GTK gives a painted widget no
// children; this box's accessible has them.

#include <atk/atk.h>
#include <gdkmm/rectangle.h>
#include <gtkmm/drawingarea.h>

#include <functional>
#include <string>
#include <vector>

namespace controls {

struct AccessibleItem {
    std::string name;
    AtkRole role = ATK_ROLE_LIST_ITEM;
    Gdk::Rectangle area;    // in the box's coordinates; empty: not on screen
    bool selectable = false;
    bool selected = false;
    bool checkable = false;
    bool checked = false;
    bool focusable = false; // the box's cursor can stand on it
};

class AccessibleItemsBox : public Gtk::DrawingArea {
public:
    // type_name names the box's own GType (each painted box class has one, so that its
    // accessible can be set before the first is made).
    explicit AccessibleItemsBox(const char* type_name = "QelmarinItemsBox");

    // The items as they now stand (readers are told of the children that went and came).
    void SetItems(const std::vector<AccessibleItem>& items);
    // Changes one item's states in place (readers are told of each change).
    void UpdateItem(int index, const AccessibleItem& item);
    // The item the box's cursor is on (-1: none): focused while the box has the focus.
    void SetCursorItem(int index);
    int CursorItem() const { return cursor_; }
    int ItemCount() const;

    // What the item's action does (its one action, named action_name); none: no action.
    std::function<void(int)> on_item_action;
    std::string action_name = "click";

protected:
    bool on_focus_in_event(GdkEventFocus* event) override;
    bool on_focus_out_event(GdkEventFocus* event) override;

private:
    void NotifyFocus(int index, bool focused);
    int cursor_ = -1;
};

} // namespace controls
