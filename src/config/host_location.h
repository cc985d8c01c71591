// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the host folder is, the same for every program: `--home DIR`, then $KALVORIN_HOME,
// then the folder of the running program when it holds Kalvorin.CFG (the host's own
// layout), then the user's data folder $XDG_DATA_HOME/kalvorin (~/.local/share/kalvorin).

#include "base/i18n.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace config {

inline constexpr std::string_view kConfigFileName = "Kalvorin.CFG";

// What a user can do when there is no host folder, one English line for the command lines.
inline constexpr std::string_view kNoHostFolderHint =
    N_("no host folder: make one where the programs look with `kalvorin-host init --eto N` "
       "($XDG_DATA_HOME/kalvorin), or name another with --home DIR or KALVORIN_HOME");

enum class HostFolderSource { kOption, kEnvironment, kProgramFolder, kUserData };

struct HostFolderChoice {
    std::filesystem::path folder; // empty when no folder can be named at all
    HostFolderSource source = HostFolderSource::kUserData;
};

// What the search looks at, so that it can be tested without the process's environment.
struct HostFolderPlaces {
    std::optional<std::string> home_option;
    std::function<const char*(const char*)> getenv; // the environment variable, or null
    std::filesystem::path program_folder;           // empty when unknown
};

// $XDG_DATA_HOME/kalvorin when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/kalvorin
// (the password database's home when HOME is unset); empty when neither is known.
std::filesystem::path UserHostFolder(const std::function<const char*(const char*)>& getenv);

// The search over the given places. An empty --home or KALVORIN_HOME counts as not given.
HostFolderChoice ChooseHostFolder(const HostFolderPlaces& places);

// The search over this process's option, environment and executable.
HostFolderChoice FindHostFolder(const std::optional<std::string>& home_option);

// The user's data folder of this process's environment: what `kalvorin-host init` makes
// when it is given no folder.
std::filesystem::path UserHostFolder();

// Whether the folder holds Kalvorin.CFG.
bool HoldsConfigFile(const std::filesystem::path& folder);

} // namespace config
