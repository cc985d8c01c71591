// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A render whose documents go somewhere other than a folder: drawn by `render` into a
// temporary folder of its own (the names it prints are dropped), then taken from there.

#include "cli/command.h"

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace cli {

// Runs `render` with the arguments and --out TEMPORARY-FOLDER (in a process of its own),
// then hands the files it wrote, in name order (year, month, format), to `take`; the folder
// is removed afterwards. Returns render's exit status, or take's when render succeeded.
//
// SIGINT, SIGTERM and SIGHUP end the run without leaving the folder behind: during the
// render the drawing process is ended; during `take`, `interrupted` is called (from
// another thread) so that take can end what it is doing and return. Then the folder is
// removed and the signal is raised again, so that the caller sees how the run ended.
int RenderElsewhere(const Args& render_args, std::string_view program,
                    const std::function<int(const std::vector<std::filesystem::path>& files)>& take,
                    const std::function<void()>& interrupted = {});

// render --one-file --out -: the one document to standard output, refused on a terminal.
int RenderToStdout(const Args& render_args, bool one_file);

} // namespace cli
