// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A CUPS scheduler of the test's own: cupsd on a socket in a temporary folder, with one raw
// queue whose device is a file, and every job's document kept in the spool folder.

#include <cups/cups.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace app::testing {

class PrivateCups {
public:
    // Starts cupsd and adds the queue. Check Running(); Problem() says why it did not start.
    explicit PrivateCups(const std::string& queue);
    ~PrivateCups();

    // Stops the scheduler (its socket goes away: a printer that cannot be reached) and
    // starts it again with the same queue.
    void Stop();
    bool Start();

    bool Running() const { return pid_ > 0 && problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    const std::filesystem::path& Socket() const { return socket_; }

    struct Job {
        int id;
        std::string title;
        ipp_jstate_t state;
        std::filesystem::path document; // the spooled document
    };
    // Every job of the queue, oldest first.
    std::vector<Job> Jobs() const;

private:
    std::filesystem::path folder_;
    std::filesystem::path socket_;
    std::string queue_;
    pid_t pid_ = -1;
    std::string problem_;
};

} // namespace app::testing
