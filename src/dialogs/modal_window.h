// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame every settings dialog shares: a borderless window over its owner, run
// modally in a nested main loop, ended with OK or Cancel. A dialog may refuse to close
// (a failed write keeps it open so that nothing the user set is lost).

#include <glibmm/main.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogs {

enum class ModalResult { kOk = 1, kCancel = 2 };

class ModalWindow : public Gtk::Window {
public:
    ModalWindow(Gtk::Window* owner, const std::string& title);

    // Shows the window and waits until it ends; its result.
    ModalResult RunModal();
    // Ends the modal run with the result unless CanClose refuses.
    void EndModal(ModalResult result);
    bool Running() const { return loop_ && loop_->is_running(); }

    // Called once the window is shown and idle (tests drive the window from here).
    std::function<void(Gtk::Window&)> on_shown;

    // The controls Tab visits, in the order the window is read: column by column from the
    // right, each column from top to bottom. Only shown, enabled controls that take the
    // focus are counted (a hidden page's are not).
    std::vector<Gtk::Widget*> FocusOrder();
    // Moves the focus forward (1) or back (−1) in that order, round from the end to the start.
    void MoveFocus(int direction);

protected:
    // Called before the window closes with the result; false keeps it open.
    virtual bool CanClose(ModalResult) { return true; }
    // The result of closing by the window manager or Escape.
    virtual ModalResult DismissResult() const { return ModalResult::kCancel; }

    bool on_delete_event(GdkEventAny* event) override;
    // Tab and Shift+Tab in the reading order, Escape dismisses.
    bool on_key_press_event(GdkEventKey* event) override;

private:
    Glib::RefPtr<Glib::MainLoop> loop_;
    ModalResult result_ = ModalResult::kCancel;
    bool ended_ = false;
};

} // namespace dialogs
