// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_elsewhere.h"

#include "cli/outcome.h"

#include "base/command_line.h"
#include "base/i18n.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

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

// How often a wait for a signal looks whether it may end.
constexpr timespec kSignalPoll{0, 100'000'000};

// The signals that end a run are held (blocked in this thread and in the threads it makes)
// while it lasts, and taken by sigtimedwait where the run can end cleanly.
class HeldSignals {
public:
    HeldSignals() {
        sigemptyset(&set_);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set_, signal);
        ::pthread_sigmask(SIG_BLOCK, &set_, &before_);
    }
    ~HeldSignals() {
        if (caught_ != 0) {
            // Ended by a signal: raised again with its own action, so that the caller's
            // shell sees the signal.
            std::fflush(stdout);
            std::fflush(stderr);
            std::signal(caught_, SIG_DFL);
            sigset_t one;
            sigemptyset(&one);
            sigaddset(&one, caught_);
            ::pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
            std::raise(caught_);
        }
        ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

    // A held signal that has arrived (taken), or 0 after a short wait.
    int Take() {
        const int signal = ::sigtimedwait(&set_, nullptr, &kSignalPoll);
        if (signal > 0) caught_ = signal;
        return signal > 0 ? signal : 0;
    }
    int caught() const { return caught_; }
    const sigset_t& before() const { return before_; }

private:
    sigset_t set_;
    sigset_t before_;
    std::atomic<int> caught_{0};
};

// Draws in a child process, so that a signal can end the drawing at once; its stdout (the
// names of the files, about to be removed) goes nowhere.
int RenderInChild(const Args& args, std::string_view program, HeldSignals& signals) {
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
        ::pthread_sigmask(SIG_SETMASK, &signals.before(), nullptr);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null < 0 || ::dup2(null, STDOUT_FILENO) < 0) ::_exit(base::kExitFailure);
        const int status = RunRenderFor(args, program);
        std::fflush(stderr);
        ::_exit(status);
    }
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return base::kExitFailure;
        }
        if (done < 0 && errno != EINTR) return base::kExitFailure;
        if (signals.Take() != 0) {
            ::kill(child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return base::kExitFailure;
        }
    }
}

// Waits for a held signal while `take` runs, and passes it on to `interrupted`.
class SignalWatch {
public:
    SignalWatch(HeldSignals& signals, const std::function<void()>& interrupted)
        : thread_([this, &signals, &interrupted] {
              while (!done_) {
                  if (signals.Take() != 0) {
                      if (interrupted) interrupted();
                      return;
                  }
              }
          }) {}
    ~SignalWatch() {
        done_ = true;
        thread_.join();
    }
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

} // namespace

int RenderElsewhere(const Args& render_args, std::string_view program,
                    const std::function<int(const std::vector<std::filesystem::path>& files)>& take,
                    const std::function<void()>& interrupted) {
    HeldSignals signals; // outlives the folder: a signal is raised again once it is gone
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
    const int status = RenderInChild(args, program, signals);
    if (status < 0) return Fail(program, _("cannot start the drawing process"));
    if (signals.caught() != 0) return base::kExitFailure;
    if (status != base::kExitOk) return status;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    const SignalWatch watch(signals, interrupted);
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
