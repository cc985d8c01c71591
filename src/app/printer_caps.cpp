#include "app/printer_caps.h"

#include <cups/cups.h>
#include <gtkmm/papersize.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace app {
namespace {

std::optional<print::PaperSize> PaperFromText(std::string text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    text = text.substr(first, text.find_first_of(" \t\r\n", first) - first);
    if (text == "b5") text = "B5"; // libpaper's b5 is the ISO size; the table holds the JIS one
    return print::FindPaperSize(text);
}

} // namespace

print::PaperSize SystemPaper() {
    if (const char* env = std::getenv("PAPERSIZE"); env && *env)
        if (auto paper = PaperFromText(env)) return *paper;
    std::ifstream file("/etc/papersize");
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (auto paper = PaperFromText(line)) return *paper;
        break;
    }
    return *print::FindPaperSize("A4");
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
