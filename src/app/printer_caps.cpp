// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printer_caps.h"

#include <cups/cups.h>
#include <gtkmm/papersize.h>

#include <cstdlib>

namespace app {

namespace {

// How long the start-up may wait for the scheduler, to connect and then for each answer.
// The window must appear at once whatever the network does; a scheduler slower than this
// is taken as absent (a colour printer with the system's paper, as without one).
constexpr int kConnectMs = 500;
constexpr double kAnswerSeconds = 1.0;

// Called by libcups when an answer is late: give up rather than wait on.
int GiveUp(http_t*, void*) {
    return 0;
}

} // namespace

print::PaperSize SystemPaper() {
    return print::ChoosePaperSize().paper.value_or(*print::FindPaperSize("A4"));
}

PrinterCaps DefaultPrinterCaps() {
    PrinterCaps caps;
    caps.paper_width_mm = static_cast<int>(SystemPaper().width_mm);
    // Our own connection, bounded in time, rather than libcups' default one, which waits
    // for an unreachable server as long as the network lets it.
    int cancel = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMs, &cancel);
    if (!http) return caps;
    httpSetTimeout(http, kAnswerSeconds, GiveUp, nullptr);
    cups_dest_t* dest = cupsGetNamedDest(http, nullptr, nullptr);
    httpClose(http);
    if (!dest) return caps;
    if (const char* type = cupsGetOption("printer-type", dest->num_options, dest->options)) {
        const long bits = std::strtol(type, nullptr, 10);
        caps.colors = (bits & CUPS_PRINTER_COLOR) ? 256 : 2;
    }
    if (const char* media = cupsGetOption("media", dest->num_options, dest->options)) {
        // A PWG or PPD media name; GTK knows both.
        Gtk::PaperSize paper(media);
        const double width = paper.get_width(Gtk::UNIT_MM);
        if (width > 0) caps.paper_width_mm = static_cast<int>(width);
    }
    cupsFreeDests(1, dest);
    return caps;
}

} // namespace app
