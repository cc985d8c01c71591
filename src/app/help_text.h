// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help button: ReadMe2.TXT of the host folder. The file is CP932 with CRLF line ends,
// which a desktop's text application shows garbled or not at all: a UTF-8 copy with plain
// line ends is written to the user's cache folder and opened with the desktop's
// application for text; without one, the text is shown in a window of the program's own.

#include "base/reporter.h"

#include <gtkmm/window.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace app {

inline constexpr const char* kHelpFileName = "ReadMe2.TXT";
// Larger help files are refused rather than read into memory.
inline constexpr std::size_t kHelpMaxBytes = 4 * 1024 * 1024;

// The help file's bytes as UTF-8 with "\n" line ends; nothing when they are not CP932.
std::optional<std::string> HelpTextUtf8(std::string_view cp932);

// Where the UTF-8 copy goes: <cache>/qelmarin/ReadMe2.txt.
std::filesystem::path HelpCopyPath(const std::filesystem::path& cache_folder);

// Opens a file with the desktop's application: false, with the reason, when there is none
// or it did not start.
using HelpLauncher = std::function<bool(const std::filesystem::path& file, std::string& reason)>;
bool LaunchWithDefaultApplication(const std::filesystem::path& file, std::string& reason);

// Opens the help text. A missing or unreadable file is reported with the launch-error
// texts, the file's path as the caption. Returns the program's own text window when the
// text was shown there (no application, or the copy could not be written), else nothing.
Gtk::Window* OpenHelpText(const std::filesystem::path& host_folder, Gtk::Window& parent, base::Reporter& reporter,
                          const HelpLauncher& launch = LaunchWithDefaultApplication,
                          const std::filesystem::path& cache_folder = {});

} // namespace app
