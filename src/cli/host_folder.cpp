// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/host_folder.h"

#include "base/i18n.h"
#include "cli/outcome.h"
#include "config/host_location.h"

#include <system_error>

namespace cli {
namespace {

const char* SourceName(config::HostFolderSource source) {
    switch (source) {
    case config::HostFolderSource::kOption:
        return "--home";
    case config::HostFolderSource::kEnvironment:
        return "KALVORIN_HOME";
    case config::HostFolderSource::kProgramFolder:
        return _("the program's folder");
    case config::HostFolderSource::kUserData:
        return _("the user's data folder");
    }
    return "";
}

} // namespace

std::optional<std::filesystem::path> OpenHostFolder(const std::optional<std::string>& home_option, Outcome& outcome) {
    const config::HostFolderChoice choice = config::FindHostFolder(home_option);
    if (config::HoldsConfigFile(choice.folder)) return choice.folder;
    // Something else at the name (a named pipe, a device, a folder) is said as such: it is
    // there, and making a host folder over it is not what the user needs.
    const std::filesystem::path file = choice.folder / config::kConfigFileName;
    std::error_code ec;
    if (!choice.folder.empty() && std::filesystem::exists(file, ec)) {
        outcome.Fail(base::Format(_("%s is not a regular file (host folder from %s)"), file.c_str(),
                                  SourceName(choice.source)));
        return std::nullopt;
    }
    outcome.Fail(base::Format(_("%s not found (host folder from %s)"), file.c_str(), SourceName(choice.source)));
    outcome.Fail(base::Translate(config::kNoHostFolderHint));
    return std::nullopt;
}

} // namespace cli
