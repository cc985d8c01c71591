// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/host_folder.h"

#include "base/i18n.h"
#include "config/host_location.h"

#include <cstdio>
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

std::optional<std::filesystem::path> OpenHostFolder(const std::optional<std::string>& home_option,
                                                    std::string_view program) {
    const config::HostFolderChoice choice = config::FindHostFolder(home_option);
    if (config::HoldsConfigFile(choice.folder)) return choice.folder;
    const std::string name(program);
    // Something else at the name (a named pipe, a device, a folder) is said as such: it is
    // there, and making a host folder over it is not what the user needs.
    const std::filesystem::path file = choice.folder / config::kConfigFileName;
    std::error_code ec;
    if (!choice.folder.empty() && std::filesystem::exists(file, ec)) {
        std::fprintf(stderr, _("%s: %s is not a regular file (host folder from %s)\n"), name.c_str(), file.c_str(),
                     SourceName(choice.source));
        return std::nullopt;
    }
    std::fprintf(stderr, _("%s: %s not found (host folder from %s)\n"), name.c_str(),
                 (choice.folder / config::kConfigFileName).c_str(), SourceName(choice.source));
    std::fprintf(stderr, "%s: %s\n", name.c_str(), base::Translate(config::kNoHostFolderHint).c_str());
    return std::nullopt;
}

} // namespace cli
