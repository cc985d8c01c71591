#include "app/print_test_support.h"

#include <gtkmm/printer.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace app::testing {
namespace {

std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

} // namespace

bool ChoosePrinterAndPrint(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
                           const std::string& printer_name) {
    // The printer list fills as the print back ends report; the settings name the one to take.
    settings->set_printer(printer_name);
    const bool found = PumpUntil(
        [&] {
            dialog.set_settings(settings);
            Pump(50);
            Glib::RefPtr<Gtk::Printer> printer = dialog.get_selected_printer();
            return printer && printer->get_name() == printer_name;
        },
        20000);
    if (!found) {
        dialog.response(Gtk::RESPONSE_CANCEL);
        return false;
    }
    Gtk::Widget* print_button = dialog.get_widget_for_response(Gtk::RESPONSE_OK);
    if (!print_button) return false;
    PumpUntil([&] { return print_button->is_sensitive() && print_button->get_mapped(); });
    ClickCentre(*print_button);
    return true;
}

int DocumentPages(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    if (head.starts_with("%PDF")) {
        std::istringstream info(Run("pdfinfo " + Quoted(path) + " 2>/dev/null"));
        for (std::string line; std::getline(info, line);)
            if (line.starts_with("Pages:")) return std::stoi(line.substr(6));
        return -1;
    }
    if (head.starts_with("%!PS")) {
        in.seekg(0);
        int pages = 0;
        for (std::string line; std::getline(in, line);) pages += line.starts_with("%%Page:");
        return pages;
    }
    return -1;
}

std::string RasterisedFirstPage(const std::filesystem::path& pdf, int dpi) {
    const std::filesystem::path root = pdf.string() + "-page";
    Run("pdftoppm -f 1 -l 1 -singlefile -png -r " + std::to_string(dpi) + " " + Quoted(pdf) + " " + Quoted(root));
    std::ifstream in(root.string() + ".png", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace app::testing
