// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessible_items.h"

#include <glibmm/main.h>
#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

namespace controls {

namespace {

// The box's accessible: GTK's widget accessible with children of its own, kept in a
// GPtrArray on the object. Each child carries its index and a copy of its item.
const char* const kItemsKey = "qelmarin-items";
const char* const kItemKey = "qelmarin-item";
const char* const kIndexKey = "qelmarin-index";

GPtrArray* Items(AtkObject* box) {
    return static_cast<GPtrArray*>(g_object_get_data(G_OBJECT(box), kItemsKey));
}

gint BoxChildren(AtkObject* box) {
    GPtrArray* items = Items(box);
    return items ? static_cast<gint>(items->len) : 0;
}

AtkObject* BoxChild(AtkObject* box, gint i) {
    GPtrArray* items = Items(box);
    if (!items || i < 0 || static_cast<guint>(i) >= items->len) return nullptr;
    return ATK_OBJECT(g_object_ref(g_ptr_array_index(items, static_cast<guint>(i))));
}

const AccessibleItem* ItemOf(AtkObject* object) {
    return static_cast<const AccessibleItem*>(g_object_get_data(G_OBJECT(object), kItemKey));
}

gint ItemIndex(AtkObject* object) {
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(object), kIndexKey));
}

// The box an item belongs to, while its widget lives.
AccessibleItemsBox* BoxOf(AtkObject* object) {
    AtkObject* parent = atk_object_get_parent(object);
    if (!parent || !GTK_IS_ACCESSIBLE(parent)) return nullptr;
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(parent));
    return widget ? dynamic_cast<AccessibleItemsBox*>(Glib::wrap(widget)) : nullptr;
}

AtkStateSet* ItemStates(AtkObject* object) {
    AtkStateSet* states = atk_state_set_new();
    const AccessibleItem* item = ItemOf(object);
    AccessibleItemsBox* box = BoxOf(object);
    if (!item || !box) {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    atk_state_set_add_state(states, ATK_STATE_ENABLED);
    atk_state_set_add_state(states, ATK_STATE_SENSITIVE);
    if (box->get_visible()) atk_state_set_add_state(states, ATK_STATE_VISIBLE);
    if (box->get_mapped() && item->area.get_width() > 0) atk_state_set_add_state(states, ATK_STATE_SHOWING);
    if (item->selectable) atk_state_set_add_state(states, ATK_STATE_SELECTABLE);
    if (item->selected) atk_state_set_add_state(states, ATK_STATE_SELECTED);
    if (item->checkable) atk_state_set_add_state(states, ATK_STATE_CHECKABLE);
    if (item->checked) {
        atk_state_set_add_state(states, ATK_STATE_CHECKED);
        atk_state_set_add_state(states, ATK_STATE_PRESSED);
    }
    if (item->focusable) atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
    if (item->focusable && box->CursorItem() == ItemIndex(object) && box->has_focus())
        atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    return states;
}

// Where an item is: the box's extents moved by the item's place in it.
void ItemExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height, AtkCoordType coords) {
    AtkObject* object = ATK_OBJECT(component);
    const AccessibleItem* item = ItemOf(object);
    AtkObject* parent = atk_object_get_parent(object);
    gint bx = 0, by = 0;
    if (parent && ATK_IS_COMPONENT(parent))
        atk_component_get_extents(ATK_COMPONENT(parent), &bx, &by, nullptr, nullptr, coords);
    if (x) *x = bx + (item ? item->area.get_x() : 0);
    if (y) *y = by + (item ? item->area.get_y() : 0);
    if (width) *width = item ? item->area.get_width() : 0;
    if (height) *height = item ? item->area.get_height() : 0;
}

void ComponentInit(gpointer iface, gpointer) {
    static_cast<AtkComponentIface*>(iface)->get_extents = ItemExtents;
}

gint ActionCount(AtkAction* action) {
    AccessibleItemsBox* box = BoxOf(ATK_OBJECT(action));
    return box && box->on_item_action ? 1 : 0;
}

const gchar* ActionName(AtkAction* action, gint i) {
    AccessibleItemsBox* box = BoxOf(ATK_OBJECT(action));
    return box && box->on_item_action && i == 0 ? box->action_name.c_str() : nullptr;
}

// The action runs from the main loop, as a click would, so that the reader's call comes
// back at once; a box gone meanwhile takes its pending action with it.
gboolean DoAction(AtkAction* action, gint i) {
    AccessibleItemsBox* box = BoxOf(ATK_OBJECT(action));
    if (!box || !box->on_item_action || i != 0) return FALSE;
    const int index = ItemIndex(ATK_OBJECT(action));
    sigc::slot<void> run = [box, index] {
        if (box->on_item_action) box->on_item_action(index);
    };
    Glib::signal_idle().connect_once(sigc::track_obj(run, *box));
    return TRUE;
}

void ActionInit(gpointer iface, gpointer) {
    auto* action = static_cast<AtkActionIface*>(iface);
    action->get_n_actions = ActionCount;
    action->get_name = ActionName;
    action->do_action = DoAction;
}

void BoxClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_n_children = BoxChildren;
    atk->ref_child = BoxChild;
}

void ItemClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_index_in_parent = ItemIndex;
    atk->ref_state_set = ItemStates;
}

GType BoxAccessibleType() {
    static const GType type =
        g_type_register_static_simple(GTK_TYPE_WIDGET_ACCESSIBLE, "QelmarinItemsAccessible",
                                      sizeof(GtkWidgetAccessibleClass), BoxClassInit, sizeof(GtkWidgetAccessible),
                                      nullptr, GTypeFlags(0));
    return type;
}

GType ItemAccessibleType() {
    static const GType type = [] {
        const GType t = g_type_register_static_simple(ATK_TYPE_OBJECT, "QelmarinItemAccessible", sizeof(AtkObjectClass),
                                                      ItemClassInit, sizeof(AtkObject), nullptr, GTypeFlags(0));
        const GInterfaceInfo component{ComponentInit, nullptr, nullptr};
        const GInterfaceInfo action{ActionInit, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
        g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
        return t;
    }();
    return type;
}

AtkObject* BoxAccessible(Gtk::Widget& widget) {
    AtkObject* box = gtk_widget_get_accessible(widget.gobj());
    return box && G_TYPE_CHECK_INSTANCE_TYPE(box, BoxAccessibleType()) ? box : nullptr;
}

AtkObject* ChildAt(AtkObject* box, int index) {
    GPtrArray* items = box ? Items(box) : nullptr;
    if (!items || index < 0 || static_cast<guint>(index) >= items->len) return nullptr;
    return ATK_OBJECT(g_ptr_array_index(items, static_cast<guint>(index)));
}

} // namespace

AccessibleItemsBox::AccessibleItemsBox(const char* type_name) : Glib::ObjectBase(type_name) {
    // The class is this widget's own (registered for it by gtkmm): its accessible type can
    // be set before the first accessible is made.
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(gobj()), BoxAccessibleType());
}

int AccessibleItemsBox::ItemCount() const {
    AtkObject* box = BoxAccessible(const_cast<AccessibleItemsBox&>(*this));
    return box ? BoxChildren(box) : 0;
}

void AccessibleItemsBox::SetItems(const std::vector<AccessibleItem>& items) {
    AtkObject* box = BoxAccessible(*this);
    if (!box) return;
    GPtrArray* old_items = Items(box);
    const gint old_count = old_items ? static_cast<gint>(old_items->len) : 0;
    GPtrArray* made = g_ptr_array_new_with_free_func(g_object_unref);
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* child = ATK_OBJECT(g_object_new(ItemAccessibleType(), nullptr));
        atk_object_set_name(child, items[i].name.c_str());
        atk_object_set_role(child, items[i].role);
        atk_object_set_parent(child, box);
        g_object_set_data(G_OBJECT(child), kIndexKey, GINT_TO_POINTER(static_cast<gint>(i)));
        g_object_set_data_full(G_OBJECT(child), kItemKey, new AccessibleItem(items[i]),
                               [](gpointer p) { delete static_cast<AccessibleItem*>(p); });
        g_ptr_array_add(made, child);
    }
    // Readers are told which children went and came; the old items go with their array.
    if (old_items) g_ptr_array_ref(old_items);
    g_object_set_data_full(G_OBJECT(box), kItemsKey, made, reinterpret_cast<GDestroyNotify>(g_ptr_array_unref));
    for (gint i = old_count - 1; i >= 0; --i)
        g_signal_emit_by_name(box, "children-changed::remove", i, g_ptr_array_index(old_items, static_cast<guint>(i)));
    if (old_items) g_ptr_array_unref(old_items);
    for (guint i = 0; i < made->len; ++i)
        g_signal_emit_by_name(box, "children-changed::add", static_cast<gint>(i), g_ptr_array_index(made, i));
    if (cursor_ >= static_cast<int>(items.size())) cursor_ = -1;
}

void AccessibleItemsBox::UpdateItem(int index, const AccessibleItem& item) {
    AtkObject* child = ChildAt(BoxAccessible(*this), index);
    if (!child) return;
    auto* stored = static_cast<AccessibleItem*>(g_object_get_data(G_OBJECT(child), kItemKey));
    const AccessibleItem before = *stored;
    *stored = item;
    if (before.name != item.name) atk_object_set_name(child, item.name.c_str());
    if (before.checked != item.checked) {
        atk_object_notify_state_change(child, ATK_STATE_CHECKED, item.checked);
        atk_object_notify_state_change(child, ATK_STATE_PRESSED, item.checked);
    }
    if (before.selected != item.selected) atk_object_notify_state_change(child, ATK_STATE_SELECTED, item.selected);
}

void AccessibleItemsBox::SetCursorItem(int index) {
    if (index == cursor_) return;
    const int before = cursor_;
    cursor_ = index;
    if (!has_focus()) return;
    NotifyFocus(before, false);
    NotifyFocus(cursor_, true);
}

// A reader follows the focus into the box: the item under the cursor is the active
// descendant and has the focused state while the box has the focus.
void AccessibleItemsBox::NotifyFocus(int index, bool focused) {
    AtkObject* box = BoxAccessible(*this);
    AtkObject* child = ChildAt(box, index);
    if (!child) return;
    atk_object_notify_state_change(child, ATK_STATE_FOCUSED, focused);
    if (focused) g_signal_emit_by_name(box, "active-descendant-changed", child);
}

bool AccessibleItemsBox::on_focus_in_event(GdkEventFocus* event) {
    const bool handled = Gtk::DrawingArea::on_focus_in_event(event);
    NotifyFocus(cursor_, true);
    return handled;
}

bool AccessibleItemsBox::on_focus_out_event(GdkEventFocus* event) {
    const bool handled = Gtk::DrawingArea::on_focus_out_event(event);
    NotifyFocus(cursor_, false);
    return handled;
}

} // namespace controls
