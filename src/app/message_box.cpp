// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_box.h"

#include <gtkmm/messagedialog.h>

#include <algorithm>

namespace app {

void MessageBoxReporter::ShowMessage(std::string_view text, std::string_view caption) {
    std::string lines(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::unique_ptr<Gtk::MessageDialog> dialog;
    if (parent_ && parent_->get_visible())
        dialog = std::make_unique<Gtk::MessageDialog>(*parent_, lines, false, Gtk::MESSAGE_OTHER, Gtk::BUTTONS_OK, true);
    else
        dialog = std::make_unique<Gtk::MessageDialog>(lines, false, Gtk::MESSAGE_OTHER, Gtk::BUTTONS_OK, true);
    dialog->set_title(std::string(caption));
    dialog->set_position(Gtk::WIN_POS_CENTER);
    dialog->run();
}

} // namespace app
