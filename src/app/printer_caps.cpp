// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printer_caps.h"

#include <cups/cups.h>
#include <dlfcn.h>
#include <glibmm/main.h>
#include <gtkmm/papersize.h>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace app {

namespace {

// How long the start-up may wait for the scheduler, to connect and then for each answer.
// The window must appear at once whatever the network does; a scheduler slower than this
// is taken as absent (a colour printer with the system's paper, as without one).
constexpr int kConnectMs = 500;
constexpr double kAnswerSeconds = 1.0;
constexpr std::size_t kLongestMediaName = 128;

// Called by libcups when an answer is late: give up rather than wait on.
int GiveUp(http_t*, void*) {
    return 0;
}

// libcups is loaded when the printer is first asked about, not linked: it brings the TLS,
// Kerberos and service discovery libraries, whose loading and set-up would otherwise be
// paid before the window at every start. The print dialog's own backend loads it the same
// way. Without it, there is no printer to ask.
struct CupsCalls {
    decltype(&cupsServer) server = nullptr;
    decltype(&ippPort) port = nullptr;
    decltype(&cupsEncryption) encryption = nullptr;
    decltype(&httpConnect2) connect = nullptr;
    decltype(&httpSetTimeout) set_timeout = nullptr;
    decltype(&cupsGetNamedDest) get_named_dest = nullptr;
    decltype(&httpClose) close = nullptr;
    decltype(&cupsGetOption) get_option = nullptr;
    decltype(&cupsFreeDests) free_dests = nullptr;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const CupsCalls* Cups() {
    static const std::optional<CupsCalls> calls = []() -> std::optional<CupsCalls> {
        void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return std::nullopt;
        CupsCalls c;
        if (Find(library, "cupsServer", c.server) && Find(library, "ippPort", c.port) &&
            Find(library, "cupsEncryption", c.encryption) && Find(library, "httpConnect2", c.connect) &&
            Find(library, "httpSetTimeout", c.set_timeout) && Find(library, "cupsGetNamedDest", c.get_named_dest) &&
            Find(library, "httpClose", c.close) && Find(library, "cupsGetOption", c.get_option) &&
            Find(library, "cupsFreeDests", c.free_dests))
            return c;
        return std::nullopt; // kept loaded: unloading a library with threads of its own is not safe
    }();
    return calls ? &*calls : nullptr;
}

} // namespace

print::PaperSize SystemPaper() {
    return print::ChoosePaperSize().paper.value_or(*print::FindPaperSize("A4"));
}

PrinterCaps AssumedPrinterCaps() {
    PrinterCaps caps;
    caps.paper_width_mm = static_cast<int>(SystemPaper().width_mm);
    return caps;
}

PrinterCaps DefaultPrinterCaps() {
    PrinterCaps caps = AssumedPrinterCaps();
    // Our own connection, bounded in time, rather than libcups' default one, which waits
    // for an unreachable server as long as the network lets it.
    const CupsCalls* cups = Cups();
    if (!cups) return caps;
    int cancel = 0;
    http_t* http =
        cups->connect(cups->server(), cups->port(), nullptr, AF_UNSPEC, cups->encryption(), 1, kConnectMs, &cancel);
    if (!http) return caps;
    cups->set_timeout(http, kAnswerSeconds, GiveUp, nullptr);
    cups_dest_t* dest = cups->get_named_dest(http, nullptr, nullptr);
    cups->close(http);
    if (!dest) return caps;
    if (const char* type = cups->get_option("printer-type", dest->num_options, dest->options)) {
        const long bits = std::strtol(type, nullptr, 10);
        caps.colors = (bits & CUPS_PRINTER_COLOR) ? 256 : 2;
    }
    const char* media = cups->get_option("media", dest->num_options, dest->options);
    // A media name is a few dozen characters; a longer one is not a paper anyone knows.
    if (media && std::strlen(media) <= kLongestMediaName) {
        // A PWG or PPD media name; GTK knows both.
        Gtk::PaperSize paper(media);
        const double width = paper.get_width(Gtk::UNIT_MM);
        if (width > 0) caps.paper_width_mm = static_cast<int>(width);
    }
    cups->free_dests(1, dest);
    return caps;
}

DefaultPrinterQuestion::~DefaultPrinterQuestion() {
    poll_.disconnect();
}

void DefaultPrinterQuestion::Ask() {
    if (asked_) return;
    asked_ = true;
    answer_ = std::async(std::launch::async, DefaultPrinterCaps);
    poll_ = Glib::signal_timeout().connect(
        [this] {
            if (applied_) return false;
            if (answer_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return true;
            Apply();
            return false;
        },
        50);
}

void DefaultPrinterQuestion::Settle(std::chrono::milliseconds limit) {
    Ask();
    // Waited for once: a scheduler that has not answered by then does not hold up every
    // later preview as well.
    if (applied_ || waited_) return;
    waited_ = true;
    if (answer_.wait_for(limit) == std::future_status::ready) Apply();
}

bool DefaultPrinterQuestion::Outstanding() const {
    return asked_ && !applied_ && answer_.valid() && answer_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

void DefaultPrinterQuestion::Apply() {
    const PrinterCaps caps = answer_.get();
    applied_ = true;
    state_.colors = caps.colors;
    state_.paper_width_mm = caps.paper_width_mm;
}

} // namespace app
