// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing through a CUPS scheduler without windows: the printer's resolution and colour,
// as the desktop program takes them, and one job per document.
//
// Every exchange with the scheduler has one deadline, from the connection to the answer:
// finding the printer, and each job from its creation to the scheduler's answer to its
// document. A job counts as sent only when that answer says success; a job that fails
// after it was created is cancelled. Each failure says what happened: no answer, an
// answer that is not IPP, the connection closed, the job refused with the scheduler's
// own words.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace print {

struct CupsPrinter {
    std::string name;
    int dpi = 600;      // printer-resolution-default, else 600
    bool colour = true; // printer-type's colour bit, as the desktop program reads it
};

class SchedulerConnection;

class CupsQueue {
public:
    static constexpr int kDefaultDeadlineSeconds = 30;
    static constexpr int kMaxDeadlineSeconds = 3600;
    // A job's deadline grows by a second for each megabyte of its document.
    static constexpr std::uintmax_t kBytesPerExtraSecond = 1 << 20;

    // A queue of the scheduler CUPS names (CUPS_SERVER, client.conf, else the local one)
    // whose exchanges each end `deadline_seconds` after they begin.
    explicit CupsQueue(int deadline_seconds = kDefaultDeadlineSeconds);
    ~CupsQueue();
    CupsQueue(const CupsQueue&) = delete;
    CupsQueue& operator=(const CupsQueue&) = delete;

    // The printer of that name, or the default printer for none; nothing with the reason.
    std::optional<CupsPrinter> FindPrinter(const std::optional<std::string>& name, std::string* error);

    // Sends a PDF document as one job of the printer found last, titled `title`, `copies`
    // times. The job's number once the scheduler took the document, or 0 with the reason
    // (the job cancelled where it was created).
    int Submit(const std::filesystem::path& pdf, std::string_view title, int copies, std::string* error);

    // Ends the exchange in progress at once and refuses every later one. Safe from any
    // thread (a signal's watcher).
    void Interrupt();

    // The scheduler's address as CUPS gives it, for messages.
    static std::string ServerName();

private:
    std::chrono::seconds Deadline(std::uintmax_t document_bytes) const;
    // Cancels the job on a connection of its own, bounded like the rest.
    void Cancel(int job);

    std::chrono::seconds deadline_;
    std::optional<CupsPrinter> printer_;
    std::atomic<bool> interrupted_{false};
    std::mutex current_mutex_;
    SchedulerConnection* current_ = nullptr; // the exchange in progress, for Interrupt
};

} // namespace print
