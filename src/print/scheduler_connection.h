// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection to a CUPS scheduler with a deadline: IPP requests sent over it and their
// answers read, and whatever is still waiting at the deadline (or when interrupted) ended
// by shutting the socket down, so that a scheduler that trickles its answer a byte at a
// time holds nothing past the deadline either.

#include <cups/ipp.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

typedef struct _http_s http_t;

namespace print {

struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

class SchedulerConnection {
public:
    // Connects to the scheduler CUPS names; everything on the connection ends after `bound`.
    explicit SchedulerConnection(std::chrono::seconds bound);
    ~SchedulerConnection();
    SchedulerConnection(const SchedulerConnection&) = delete;
    SchedulerConnection& operator=(const SchedulerConnection&) = delete;

    // Whether the connection was made; the reason when not.
    bool connected() const { return http_ != nullptr; }
    const std::string& connect_error() const { return connect_error_; }

    // Sends `request` to `resource`, followed by the bytes of `document` when one is given,
    // and reads the answer. The answer (whatever its IPP status), or nothing with the reason.
    Ipp Ask(const Ipp& request, const char* resource, const std::filesystem::path* document, std::string* error);

    // Ends what is waiting now; later requests fail at once. Safe from any thread.
    void Interrupt();

private:
    void Watch();
    void WatchSocket();
    bool Stopped() const { return stopped_.load(); }
    std::string WhyStopped() const;
    static int KeepWaiting(http_t* http, void* self);

    const std::chrono::seconds bound_;
    const std::chrono::steady_clock::time_point end_;
    http_t* http_ = nullptr;
    std::string connect_error_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool finished_ = false;
    bool interrupted_ = false;
    int socket_ = -1;
    std::atomic<bool> stopped_{false};
    std::thread watcher_;
};

} // namespace print
