// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of the settings dialogs for scripts/screenshots: the holiday editor, every page
// of the print configuration with the margin list, the month pictures with the month list,
// and the picture open dialog with its preview.

#include "base/reporter.h"
#include "pages/print_state.h"

#include <gtkmm/window.h>

#include <filesystem>
#include <functional>

namespace app {

using SaveWindowFn = std::function<bool(Gtk::Window&, const std::filesystem::path&)>;

// Shows each dialog over owner and saves it into out through save; false when a picture
// could not be saved.
bool SaveDialogScreenshots(Gtk::Window& owner, pages::PrintState& state, base::Reporter& reporter,
                           const std::filesystem::path& out, const SaveWindowFn& save);

} // namespace app
