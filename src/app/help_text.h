#pragma once
// The help button: ReadMe2.TXT of the host folder, opened with the desktop's application
// for text files.

#include "base/reporter.h"

#include <gtkmm/window.h>

#include <filesystem>

namespace app {

inline constexpr const char* kHelpFileName = "ReadMe2.TXT";

// Opens the help text; a missing file or no application for it is reported with the
// launch-error texts, the file's path as the caption.
void OpenHelpText(const std::filesystem::path& host_folder, Gtk::Window& parent, base::Reporter& reporter);

} // namespace app
