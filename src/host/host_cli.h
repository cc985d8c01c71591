// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of kalvorin-host: dayfile, events, holidays, init.

#include <iosfwd>
#include <string>
#include <vector>

namespace host {

// Runs the command line (without the program name). Returns the exit status: 0 done, 1 failed
// (message on `err`), 2 bad arguments (usage on `err`).
int RunHostCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// One line per event of the year: kind, longitude or "new moon", name, JST instant.
std::vector<std::string> EventLines(int year);

} // namespace host
