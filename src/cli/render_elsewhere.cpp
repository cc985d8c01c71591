// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_elsewhere.h"

#include "cli/outcome.h"

#include "base/command_line.h"
#include "base/i18n.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace cli {
namespace {

// The messages, in one place.
constexpr const char* kNeedsOneFile = N_("--out - needs --one-file: one document can go to standard output");
constexpr const char* kTerminal =
    N_("standard output is a terminal: a PDF is not for reading there (redirect it to a file or a pipe)");
constexpr const char* kNoFolder = N_("cannot make a temporary folder");

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelmarin-render-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

int Fail(std::string_view program, std::string_view message) {
    return Outcome(program).Fail(message);
}

} // namespace

int RenderElsewhere(const Args& render_args, std::string_view program,
                    const std::function<int(const std::vector<std::filesystem::path>& files)>& take) {
    const TemporaryFolder folder;
    if (folder.path().empty()) return Fail(program, _(kNoFolder));
    Args args;
    for (std::size_t i = 0; i < render_args.size(); ++i) {
        // The caller's --out is replaced by the temporary folder.
        if (render_args[i] == "--out") {
            ++i;
            continue;
        }
        if (render_args[i].starts_with("--out=")) continue;
        args.push_back(render_args[i]);
    }
    args.push_back("--out=" + folder.path().string());
    // render names each file it writes on stdout: names of files about to be removed, so
    // they go nowhere, and stdout carries nothing but what `take` writes.
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool aside = saved >= 0 && null >= 0 && ::dup2(null, STDOUT_FILENO) >= 0;
    if (null >= 0) ::close(null);
    if (!aside) {
        if (saved >= 0) ::close(saved);
        return Fail(program, _("cannot set standard output aside"));
    }
    const int status = RunRender(args);
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    if (status != base::kExitOk) return status;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return take(files);
}

int RenderToStdout(const Args& render_args, bool one_file) {
    constexpr std::string_view program = "qelmarin-cli render";
    if (!one_file) {
        std::fprintf(stderr, "%s: %s\n", program.data(), _(kNeedsOneFile));
        return base::kExitUsage;
    }
    if (::isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "%s: %s\n", program.data(), _(kTerminal));
        return base::kExitUsage;
    }
    return RenderElsewhere(render_args, program, [&](const std::vector<std::filesystem::path>& files) {
        if (files.size() != 1) return Fail(program, _("the run wrote no document"));
        std::ifstream in(files[0], std::ios::binary);
        char buffer[1 << 16];
        while (in) {
            in.read(buffer, sizeof buffer);
            const std::size_t n = static_cast<std::size_t>(in.gcount());
            if (n > 0 && std::fwrite(buffer, 1, n, stdout) != n)
                return Fail(program, _("cannot write standard output"));
        }
        if (std::fflush(stdout) != 0) return Fail(program, _("cannot write standard output"));
        return base::kExitOk;
    });
}

} // namespace cli
