// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/scheduler_connection.h"

#include "base/i18n.h"

#include <cups/cups.h>
#include <cups/http.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>

namespace print {
namespace {

// The longest answer taken: the few attributes asked for fit many times over.
constexpr std::size_t kMaxAnswerBytes = 1 << 20;
// How often a wait without data asks whether to go on.
constexpr double kWaitStepSeconds = 0.25;

struct MemoryReader {
    const std::string& bytes;
    std::size_t at = 0;
};

ssize_t ReadMemory(void* context, ipp_uchar_t* buffer, size_t bytes) {
    auto* reader = static_cast<MemoryReader*>(context);
    const std::size_t n = std::min(bytes, reader->bytes.size() - reader->at);
    std::memcpy(buffer, reader->bytes.data() + reader->at, n);
    reader->at += n;
    return static_cast<ssize_t>(n);
}

} // namespace

SchedulerConnection::SchedulerConnection(std::chrono::seconds bound)
    : bound_(bound), end_(std::chrono::steady_clock::now() + bound) {
    watcher_ = std::thread([this] { Watch(); });
    const char* server = cupsServer();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(bound).count();
    http_ = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         static_cast<int>(std::min<long long>(milliseconds, 5000)), nullptr);
    if (!http_) {
        connect_error_ = Stopped() ? WhyStopped() : base::Format(_("no print scheduler answers at %s"), server);
        return;
    }
    httpSetTimeout(http_, kWaitStepSeconds, &SchedulerConnection::KeepWaiting, this);
    WatchSocket();
}

SchedulerConnection::~SchedulerConnection() {
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    wake_.notify_all();
    watcher_.join();
    if (http_) httpClose(http_);
}

void SchedulerConnection::Watch() {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, end_, [this] { return finished_ || interrupted_; });
    if (finished_) return;
    stopped_ = true;
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

// The socket of the connection as it is now (libcups opens a new one when the scheduler
// closed the last): shut down at once when the connection has already been stopped.
void SchedulerConnection::WatchSocket() {
    const std::lock_guard lock(mutex_);
    socket_ = httpGetFd(http_);
    if (stopped_ && socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

void SchedulerConnection::Interrupt() {
    {
        const std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    wake_.notify_all();
}

int SchedulerConnection::KeepWaiting(http_t*, void* self) {
    return static_cast<SchedulerConnection*>(self)->Stopped() ? 0 : 1;
}

std::string SchedulerConnection::WhyStopped() const {
    {
        const std::lock_guard lock(mutex_);
        if (interrupted_) return _("interrupted");
    }
    return base::Format(_("the print scheduler at %s did not answer within %d s"), cupsServer(),
                        static_cast<int>(bound_.count()));
}

Ipp SchedulerConnection::Ask(const Ipp& request, const char* resource, const std::filesystem::path* document,
                             std::string* error) {
    const std::string server = cupsServer();
    auto failed = [&](const std::string& reason) {
        *error = Stopped() ? WhyStopped() : reason;
        return Ipp();
    };
    if (!http_) return failed(connect_error_);
    if (Stopped()) return failed("");
    const std::string closed = base::Format(_("the print scheduler at %s closed the connection"), server.c_str());

    std::error_code ec;
    const std::uintmax_t document_bytes = document ? std::filesystem::file_size(*document, ec) : 0;
    if (ec) return failed(base::Format(_("cannot read %s: %s"), document->c_str(), ec.message().c_str()));
    std::ifstream in;
    if (document) {
        in.open(*document, std::ios::binary);
        if (!in) return failed(base::Format(_("cannot read %s"), document->c_str()));
    }

    // The request: its IPP message and the document after it, in one body of known length.
    ippSetState(request.get(), IPP_STATE_IDLE);
    httpClearFields(http_);
    httpSetField(http_, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http_, ippLength(request.get()) + document_bytes);
    if (httpPost(http_, resource) != 0) return failed(closed);
    WatchSocket();
    ipp_state_t state;
    while ((state = ippWrite(http_, request.get())) != IPP_STATE_DATA)
        if (state == IPP_STATE_ERROR) return failed(closed);
    if (document) {
        char buffer[1 << 16];
        std::uintmax_t left = document_bytes;
        while (left > 0 && in) {
            in.read(buffer, static_cast<std::streamsize>(std::min<std::uintmax_t>(sizeof buffer, left)));
            const auto n = static_cast<std::size_t>(in.gcount());
            if (n == 0) break;
            if (httpWrite2(http_, buffer, n) < 0) return failed(closed);
            left -= n;
        }
        if (left > 0) return failed(base::Format(_("cannot read %s"), document->c_str()));
    }
    if (httpFlushWrite(http_) < 0) return failed(closed);

    // The answer: an HTTP status, then an IPP message.
    http_status_t status;
    while ((status = httpUpdate(http_)) == HTTP_STATUS_CONTINUE) {
    }
    if (status == HTTP_STATUS_ERROR) {
        const int why = httpError(http_);
        if (why == EINVAL)
            return failed(base::Format(_("the print scheduler at %s gave an answer that is not HTTP"), server.c_str()));
        if (why == ETIMEDOUT)
            return failed(base::Format(_("the print scheduler at %s did not answer"), server.c_str()));
        return failed(closed);
    }
    if (status != HTTP_STATUS_OK) {
        httpFlush(http_);
        return failed(base::Format(_("the print scheduler at %s answered HTTP %d (%s)"), server.c_str(),
                                   static_cast<int>(status), httpStatus(status)));
    }
    const off_t expected = httpGetLength2(http_);
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = httpRead2(http_, buffer, sizeof buffer);
        if (n < 0) return failed(closed);
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > kMaxAnswerBytes)
            return failed(base::Format(_("the print scheduler at %s gave an answer of more than %zu bytes"),
                                       server.c_str(), kMaxAnswerBytes));
    }
    if (Stopped()) return failed("");
    // Fewer bytes than announced, or none where the answer runs to the connection's end: the
    // connection closed before the answer was whole.
    if (expected == INT_MAX ? bytes.empty() : bytes.size() < static_cast<std::size_t>(std::max<off_t>(expected, 0)))
        return failed(closed);
    Ipp answer(ippNew());
    MemoryReader reader{bytes};
    while ((state = ippReadIO(&reader, ReadMemory, 1, nullptr, answer.get())) != IPP_STATE_DATA)
        if (state == IPP_STATE_ERROR || reader.at == bytes.size())
            return failed(base::Format(_("the print scheduler at %s gave an answer that is not IPP"), server.c_str()));
    return answer;
}

} // namespace print
