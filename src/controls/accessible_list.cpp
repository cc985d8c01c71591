// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessible_list.h"

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

namespace controls {

namespace {

// The list's accessible: GTK's widget accessible with children of its own, kept in a
// GPtrArray on the object.
const char* const kItemsKey = "qelmarin-list-items";

GPtrArray* Items(AtkObject* list) {
    return static_cast<GPtrArray*>(g_object_get_data(G_OBJECT(list), kItemsKey));
}

gint ListChildren(AtkObject* list) {
    GPtrArray* items = Items(list);
    return items ? static_cast<gint>(items->len) : 0;
}

AtkObject* ListChild(AtkObject* list, gint i) {
    GPtrArray* items = Items(list);
    if (!items || i < 0 || static_cast<guint>(i) >= items->len) return nullptr;
    return ATK_OBJECT(g_object_ref(g_ptr_array_index(items, static_cast<guint>(i))));
}

// An entry: its index among the list's children and its states (selected when current).
gint ItemIndex(AtkObject* item) {
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "qelmarin-index"));
}

AtkStateSet* ItemStates(AtkObject* item) {
    AtkStateSet* states = atk_state_set_new();
    atk_state_set_add_state(states, ATK_STATE_VISIBLE);
    atk_state_set_add_state(states, ATK_STATE_SHOWING);
    atk_state_set_add_state(states, ATK_STATE_SELECTABLE);
    if (g_object_get_data(G_OBJECT(item), "qelmarin-current")) atk_state_set_add_state(states, ATK_STATE_SELECTED);
    return states;
}

void ListClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_n_children = ListChildren;
    atk->ref_child = ListChild;
}

void ItemClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_index_in_parent = ItemIndex;
    atk->ref_state_set = ItemStates;
}

GType ListAccessibleType() {
    static const GType type =
        g_type_register_static_simple(GTK_TYPE_WIDGET_ACCESSIBLE, "QelmarinListAccessible",
                                      sizeof(GtkWidgetAccessibleClass), ListClassInit, sizeof(GtkWidgetAccessible),
                                      nullptr, GTypeFlags(0));
    return type;
}

GType ItemAccessibleType() {
    static const GType type = g_type_register_static_simple(ATK_TYPE_OBJECT, "QelmarinListItemAccessible",
                                                            sizeof(AtkObjectClass), ItemClassInit, sizeof(AtkObject),
                                                            nullptr, GTypeFlags(0));
    return type;
}

} // namespace

AccessibleListBox::AccessibleListBox() : Glib::ObjectBase("QelmarinListBox") {
    // The class is this widget's own (registered for it by gtkmm): its accessible type can
    // be set before the first accessible is made.
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(gobj()), ListAccessibleType());
}

void AccessibleListBox::SetAccessibleEntries(const std::vector<std::string>& names, int current) {
    AtkObject* list = gtk_widget_get_accessible(GTK_WIDGET(gobj()));
    if (!list || !G_TYPE_CHECK_INSTANCE_TYPE(list, ListAccessibleType())) return;
    GPtrArray* old_items = Items(list);
    const gint old_count = old_items ? static_cast<gint>(old_items->len) : 0;
    GPtrArray* items = g_ptr_array_new_with_free_func(g_object_unref);
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* item = ATK_OBJECT(g_object_new(ItemAccessibleType(), nullptr));
        atk_object_set_name(item, names[i].c_str());
        atk_object_set_role(item, ATK_ROLE_LIST_ITEM);
        atk_object_set_parent(item, list);
        g_object_set_data(G_OBJECT(item), "qelmarin-index", GINT_TO_POINTER(static_cast<gint>(i)));
        if (static_cast<int>(i) == current) g_object_set_data(G_OBJECT(item), "qelmarin-current", GINT_TO_POINTER(1));
        g_ptr_array_add(items, item);
    }
    // Readers are told which children went and came; the old items go with their array.
    if (old_items) g_ptr_array_ref(old_items);
    g_object_set_data_full(G_OBJECT(list), kItemsKey, items, reinterpret_cast<GDestroyNotify>(g_ptr_array_unref));
    for (gint i = old_count - 1; i >= 0; --i)
        g_signal_emit_by_name(list, "children-changed::remove", i, g_ptr_array_index(old_items, static_cast<guint>(i)));
    if (old_items) g_ptr_array_unref(old_items);
    for (guint i = 0; i < items->len; ++i)
        g_signal_emit_by_name(list, "children-changed::add", static_cast<gint>(i), g_ptr_array_index(items, i));
}

} // namespace controls
