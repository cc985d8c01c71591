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

// Runs `render` with the arguments and --out TEMPORARY-FOLDER, then hands the files it
// wrote, in name order (year, month, format), to `take`; the folder is removed afterwards.
// Returns render's exit status, or take's when render succeeded.
int RenderElsewhere(const Args& render_args, std::string_view program,
                    const std::function<int(const std::vector<std::filesystem::path>& files)>& take);

// render --one-file --out -: the one document to standard output, refused on a terminal.
int RenderToStdout(const Args& render_args, bool one_file);

} // namespace cli
