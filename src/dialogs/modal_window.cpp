// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/modal_window.h"

#include "controls/accessible_names.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/container.h>

#include <algorithm>

namespace dialogs {

ModalWindow::ModalWindow(Gtk::Window* owner, const std::string& title) {
    set_title(title);
    set_decorated(false);
    set_modal(true);
    set_resizable(false);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    if (owner) set_transient_for(*owner);
    get_style_context()->add_class("qelmarin");
}

ModalResult ModalWindow::RunModal() {
    ended_ = false;
    result_ = ModalResult::kCancel;
    loop_ = Glib::MainLoop::create();
    controls::NameUnnamedControls(*this);
    show();
    // GTK focuses the first control in its own order, left to right; the first Tab goes to
    // the first in the reading order instead.
    unset_focus();
    if (on_shown) Glib::signal_idle().connect_once([this] { on_shown(*this); });
    if (!ended_) loop_->run();
    return result_;
}

void ModalWindow::EndModal(ModalResult result) {
    if (ended_ || !CanClose(result)) return;
    ended_ = true;
    result_ = result;
    hide();
    if (loop_ && loop_->is_running()) loop_->quit();
}

bool ModalWindow::on_delete_event(GdkEventAny*) {
    EndModal(DismissResult());
    return true;
}

namespace {

struct FocusStop {
    Gtk::Widget* widget;
    int left, top, right;
};

void CollectStops(Gtk::Widget& widget, Gtk::Window& window, std::vector<FocusStop>& stops) {
    if (!widget.get_mapped() || !widget.is_sensitive()) return;
    if (widget.get_can_focus() && &widget != &window) {
        int x = 0, y = 0;
        if (widget.translate_coordinates(window, 0, 0, x, y))
            stops.push_back({&widget, x, y, x + widget.get_allocated_width()});
        return; // a control's insides are its own
    }
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget)) {
        for (Gtk::Widget* child : container->get_children())
            CollectStops(*child, window, stops);
    }
}

} // namespace

// Columns are told apart by their right edges: controls whose right edges lie within a few
// pixels of each other stand in one column and are read from the top down.
std::vector<Gtk::Widget*> ModalWindow::FocusOrder() {
    std::vector<FocusStop> stops;
    CollectStops(*this, *this, stops);
    std::stable_sort(stops.begin(), stops.end(), [](const FocusStop& a, const FocusStop& b) { return a.right > b.right; });
    std::vector<Gtk::Widget*> order;
    for (std::size_t first = 0; first < stops.size();) {
        std::size_t end = first + 1;
        while (end < stops.size() && stops[first].right - stops[end].right <= 6)
            ++end;
        std::stable_sort(stops.begin() + static_cast<std::ptrdiff_t>(first), stops.begin() + static_cast<std::ptrdiff_t>(end),
                         [](const FocusStop& a, const FocusStop& b) { return a.top < b.top; });
        for (std::size_t i = first; i < end; ++i)
            order.push_back(stops[i].widget);
        first = end;
    }
    return order;
}

void ModalWindow::MoveFocus(int direction) {
    const std::vector<Gtk::Widget*> order = FocusOrder();
    if (order.empty()) return;
    const auto at = std::find(order.begin(), order.end(), get_focus());
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t next = 0;
    if (at == order.end()) {
        next = direction > 0 ? 0 : count - 1;
    } else {
        next = ((at - order.begin()) + (direction > 0 ? 1 : -1) + count) % count;
    }
    order[static_cast<std::size_t>(next)]->grab_focus();
}

bool ModalWindow::on_key_press_event(GdkEventKey* event) {
    const bool ctrl = (event->state & GDK_CONTROL_MASK) != 0;
    if (event->keyval == GDK_KEY_Escape) {
        // An open drop list takes its Escape first.
        if (!Gtk::Window::on_key_press_event(event)) EndModal(DismissResult());
        return true;
    }
    // GTK's own Tab runs left to right across the columns: the dialogs are read from the right.
    if (!ctrl && (event->keyval == GDK_KEY_Tab || event->keyval == GDK_KEY_KP_Tab || event->keyval == GDK_KEY_ISO_Left_Tab)) {
        const bool back = event->keyval == GDK_KEY_ISO_Left_Tab || (event->state & GDK_SHIFT_MASK) != 0;
        MoveFocus(back ? -1 : 1);
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

} // namespace dialogs
