// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands of qelmarin-cli. Each takes the words after its name and returns the
// process exit status: 0 done, 1 failed, 2 a usage error.

#include "base/command_line.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

int RunDay(const Args& args);
int RunCmp(const Args& args);
int RunRender(const Args& args);
// render run by another command (print), its messages begin with that command's name.
int RunRenderFor(const Args& args, std::string_view program);
int RunIcs(const Args& args);
int RunPrint(const Args& args);

// render's options, which print shares.
std::span<const base::OptionSyntax> RenderOptionTable();
// What render would refuse in these arguments (the text of its usage error), or nothing.
std::string RenderUsageError(const Args& args);
int RunMonth(const Args& args);

} // namespace cli
