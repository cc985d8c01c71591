// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/modal_window.h"

#include "controls/accessible_names.h"

#include <gdk/gdkkeysyms.h>

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

bool ModalWindow::on_key_press_event(GdkEventKey* event) {
    if (event->keyval == GDK_KEY_Escape) {
        EndModal(DismissResult());
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

} // namespace dialogs
