// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs behind the main window's settings buttons: the holiday editor of the
// selected year, the print configuration (the title strip greyed while it is open; on OK
// every print setting and the month-page preview flag are taken back) and the month
// pictures (the names taken back on OK, stored at shutdown).

#include "app/main_window.h"
#include "base/reporter.h"

#include <functional>
#include <memory>

namespace app {

using DialogShownFn = std::function<void(Gtk::Window&)>;

// on_shown, when it holds a function, is called with each dialog once it is shown (tests
// drive the dialogs from there).
void WireSettingsDialogs(MainWindow& window, base::Reporter& reporter, std::shared_ptr<DialogShownFn> on_shown = {});

} // namespace app
