#include "app/printer_caps.h"

#include <cups/cups.h>
#include <gtkmm/papersize.h>

#include <cstdlib>

namespace app {
print::PaperSize SystemPaper() {
    return print::ChoosePaperSize().paper.value_or(*print::FindPaperSize("A4"));
}

PrinterCaps DefaultPrinterCaps() {
    PrinterCaps caps;
    caps.paper_width_mm = static_cast<int>(SystemPaper().width_mm);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
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
