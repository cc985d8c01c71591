// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/private_cups.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace app::testing {
namespace {

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kLpadmin = "/usr/sbin/lpadmin";

} // namespace

PrivateCups::PrivateCups(const std::string& queue) : queue_(queue) {
    if (::access(kCupsd, X_OK) != 0 || ::access(kLpadmin, X_OK) != 0) {
        problem_ = "cupsd or lpadmin is not installed";
        return;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "qelmarin-cups-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        problem_ = "cannot make a temporary folder";
        return;
    }
    folder_ = pattern;
    socket_ = folder_ / "cups.sock";
    for (const char* sub : {"spool", "tmp", "cache", "state", "out"}) {
        std::filesystem::create_directories(folder_ / sub);
        std::filesystem::permissions(folder_ / sub, std::filesystem::perms::all);
    }
    std::filesystem::permissions(folder_, std::filesystem::perms::all);
    std::ofstream(folder_ / "cupsd.conf") << "Listen " << socket_.string() << "\n"
                                         << "LogLevel warn\nPreserveJobFiles Yes\nPreserveJobHistory Yes\n"
                                         << "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                         << "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n";
    // As root the scheduler runs its helpers as lp; as anyone else, as that user.
    const bool root = ::geteuid() == 0;
    std::ofstream(folder_ / "cups-files.conf")
        << "ServerRoot " << folder_.string() << "\nRequestRoot " << (folder_ / "spool").string() << "\nTempDir "
        << (folder_ / "tmp").string() << "\nCacheDir " << (folder_ / "cache").string() << "\nStateDir "
        << (folder_ / "state").string() << "\nDataDir /usr/share/cups\nServerBin /usr/lib/cups\n"
        << "ErrorLog " << (folder_ / "error_log").string() << "\nAccessLog " << (folder_ / "access_log").string()
        << "\nPageLog " << (folder_ / "page_log").string() << "\nFileDevice Yes\n"
        << (root ? "User lp\nGroup lp\nSystemGroup root\n" : "");

    if (!Start()) return;
    const std::string add = std::string(kLpadmin) + " -h '" + socket_.string() + "' -p " + queue_ + " -E -v 'file://" +
                            (folder_ / "out" / (queue_ + ".out")).string() + "' 2>/dev/null && " + kLpadmin +
                            " -h '" + socket_.string() + "' -d " + queue_;
    if (std::system(add.c_str()) != 0) problem_ = "lpadmin could not add the queue";
}

bool PrivateCups::Start() {
    if (pid_ > 0) return true;
    problem_.clear();
    pid_ = ::fork();
    if (pid_ == 0) {
        const std::string conf = (folder_ / "cupsd.conf").string(), files = (folder_ / "cups-files.conf").string();
        ::execl(kCupsd, kCupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (pid_ < 0) {
        problem_ = "cannot start cupsd";
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(socket_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_ || std::chrono::steady_clock::now() > end) {
            pid_ = -1;
            problem_ = "cupsd did not start (see " + (folder_ / "error_log").string() + ")";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void PrivateCups::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    std::error_code ec;
    std::filesystem::remove(socket_, ec);
}

PrivateCups::~PrivateCups() {
    Stop();
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

std::vector<PrivateCups::Job> PrivateCups::Jobs() const {
    std::vector<Job> result;
    http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
    if (!http) return result;
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(http, &jobs, queue_.c_str(), 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "d%05d-001", jobs[i].id);
        result.push_back(Job{jobs[i].id, jobs[i].title ? jobs[i].title : "", jobs[i].state, folder_ / "spool" / name});
    }
    cupsFreeJobs(count, jobs);
    httpClose(http);
    std::sort(result.begin(), result.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
    return result;
}

} // namespace app::testing
