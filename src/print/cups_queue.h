// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing through a CUPS scheduler without windows: the printer's resolution and colour,
// as the desktop program takes them, and one job per document. Every exchange with the
// scheduler is bounded in time, so that a scheduler that is gone or hangs ends in a message
// instead of a wait.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

typedef struct _http_s http_t;
typedef struct cups_dest_s cups_dest_t;
typedef struct _cups_dinfo_s cups_dinfo_t;

namespace print {

struct CupsPrinter {
    std::string name;
    int dpi = 600;      // printer-resolution-default, else 600
    bool colour = true; // printer-type's colour bit, as the desktop program reads it
};

class CupsQueue {
public:
    static constexpr int kConnectMilliseconds = 5000;
    static constexpr double kRequestSeconds = 30.0;

    ~CupsQueue();
    CupsQueue(const CupsQueue&) = delete;
    CupsQueue& operator=(const CupsQueue&) = delete;

    // The scheduler CUPS names (CUPS_SERVER, client.conf, else the local one), or nothing
    // with the reason in *error.
    static std::unique_ptr<CupsQueue> Connect(std::string* error);

    // The printer of that name, or the default printer for none; nothing with the reason.
    std::optional<CupsPrinter> FindPrinter(const std::optional<std::string>& name, std::string* error);

    // Sends a PDF document as one job of the printer found last, titled `title`, `copies`
    // times. The job's number, or 0 with the reason.
    int Submit(const std::filesystem::path& pdf, std::string_view title, int copies, std::string* error);

    // The scheduler's address as CUPS gives it, for messages.
    static std::string ServerName();

private:
    explicit CupsQueue(http_t* http) : http_(http) {}
    void ForgetPrinter();

    http_t* http_;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
};

} // namespace print
