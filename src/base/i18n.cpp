// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/i18n.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <filesystem>
#include <system_error>

// The installed locale folder, and the same folder relative to the programs' folder.
#ifndef QELMARIN_LOCALEDIR
#define QELMARIN_LOCALEDIR "/usr/share/locale"
#endif
#ifndef QELMARIN_LOCALEDIR_FROM_BIN
#define QELMARIN_LOCALEDIR_FROM_BIN "../share/locale"
#endif

namespace base {
namespace {

// The catalogues beside the running program (BIN/../share/locale), so that a tree installed
// under another prefix than the one it was built for (the Debian package is built for /usr
// from a tree configured for /usr/local) still finds its own; else the configured folder.
std::string LocaleFolder() {
    if (const char* dir = std::getenv("QELMARIN_LOCALEDIR"); dir && *dir) return dir;
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path beside = program.parent_path() / QELMARIN_LOCALEDIR_FROM_BIN;
        if (std::filesystem::is_directory(beside, ec)) return beside.lexically_normal().string();
    }
    return QELMARIN_LOCALEDIR;
}

} // namespace

void InitMessages() {
    std::setlocale(LC_MESSAGES, "");
    ::bindtextdomain(kTextDomain, LocaleFolder().c_str());
    // The catalogue is UTF-8 and so is everything else the programs write.
    ::bind_textdomain_codeset(kTextDomain, "UTF-8");
    // The system's reasons (strerror: "No such file or directory") come from the C library's
    // catalogue, converted to the character type's codeset, which stays "C" (ASCII): every
    // Japanese character of them would become "?". Asked for in UTF-8, they read as ours do.
    ::bind_textdomain_codeset("libc", "UTF-8");
}

std::string Translate(std::string_view text) {
    if (text.empty()) return {};
    const std::string key(text);
    return ::dgettext(kTextDomain, key.c_str());
}

std::string Format(const char* pattern, ...) {
    std::va_list args;
    va_start(args, pattern);
    std::va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size) + 1);
        std::vsnprintf(text.data(), text.size(), pattern, again);
        text.resize(static_cast<std::size_t>(size));
    }
    va_end(again);
    return text;
}

} // namespace base
