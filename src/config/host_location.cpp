// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/host_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace config {
namespace {

const char* Nonempty(const char* text) {
    return text && *text ? text : nullptr;
}

// The home folder of the password database, for a process started without HOME.
std::filesystem::path PasswordHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir) {
        return {};
    }
    return found->pw_dir;
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

} // namespace

bool HoldsConfigFile(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_regular_file(folder / kConfigFileName, ec);
}

std::filesystem::path UserHostFolder(const std::function<const char*(const char*)>& getenv) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    if (const char* data = Nonempty(getenv("XDG_DATA_HOME")); data && data[0] == '/') {
        return std::filesystem::path(data) / "kalvorin";
    }
    std::filesystem::path home;
    if (const char* env = Nonempty(getenv("HOME"))) {
        home = env;
    } else {
        home = PasswordHome();
    }
    return home.empty() ? home : home / ".local" / "share" / "kalvorin";
}

std::filesystem::path UserHostFolder() {
    return UserHostFolder([](const char* name) { return std::getenv(name); });
}

HostFolderChoice ChooseHostFolder(const HostFolderPlaces& places) {
    if (places.home_option && !places.home_option->empty()) return {*places.home_option, HostFolderSource::kOption};
    if (const char* env = Nonempty(places.getenv("KALVORIN_HOME"))) return {env, HostFolderSource::kEnvironment};
    if (HoldsConfigFile(places.program_folder)) return {places.program_folder, HostFolderSource::kProgramFolder};
    return {UserHostFolder(places.getenv), HostFolderSource::kUserData};
}

HostFolderChoice FindHostFolder(const std::optional<std::string>& home_option) {
    return ChooseHostFolder({home_option, [](const char* name) { return std::getenv(name); }, ProgramFolder()});
}

} // namespace config
