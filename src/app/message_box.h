// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' message box: the text with its carriage returns as line breaks, the caption
// as the title, one OK button, modal over the main window.

#include "base/reporter.h"

#include <gtkmm/window.h>

namespace app {

class MessageBoxReporter : public base::Reporter {
public:
    void SetParent(Gtk::Window* parent) { parent_ = parent; }
    void ShowMessage(std::string_view text, std::string_view caption) override;

private:
    Gtk::Window* parent_ = nullptr;
};

} // namespace app
