#pragma once
// Where the host folder is: `--home DIR`, then $KALVORIN_HOME, then the folder of the
// running program. Kalvorin.CFG, UNSEI.DAT and the commentary database are found there.

#include <filesystem>
#include <optional>
#include <string>

namespace cli {

constexpr const char* kConfigFileName = "Kalvorin.CFG";

std::filesystem::path FindHostFolder(const std::optional<std::string>& home_option);

// The hand-off check: without Kalvorin.CFG in the folder the module does not run. Prints
// the module's message to stderr and returns false.
bool CheckHostFolder(const std::filesystem::path& folder);

} // namespace cli
