// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host folder of a command: found in the order of config/host_location.h and checked for
// Kalvorin.CFG, without which the module does not run.

#include <filesystem>
#include <optional>
#include <string>

namespace cli {

class Outcome;

// The folder, or nothing after telling the failure: which folder lacks Kalvorin.CFG, where
// that folder came from and what the user can do.
std::optional<std::filesystem::path> OpenHostFolder(const std::optional<std::string>& home_option, Outcome& outcome);

} // namespace cli
