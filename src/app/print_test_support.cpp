// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_test_support.h"

#include <gdkmm/pixbufloader.h>
#include <gtkmm/printer.h>

#include <cstdio>
#include <cstdlib>
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

bool ChoosePrinter(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
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
    if (!found) dialog.response(Gtk::RESPONSE_CANCEL);
    return found;
}

bool PressPrint(Gtk::PrintUnixDialog& dialog) {
    Gtk::Widget* print_button = dialog.get_widget_for_response(Gtk::RESPONSE_OK);
    if (!print_button) return false;
    PumpUntil([&] { return print_button->is_sensitive() && print_button->get_mapped(); });
    ClickCentre(*print_button);
    return true;
}

bool ChoosePrinterAndPrint(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
                           const std::string& printer_name) {
    return ChoosePrinter(dialog, settings, printer_name) && PressPrint(dialog);
}

std::filesystem::path PostScriptToPdf(const std::filesystem::path& ps) {
    const std::filesystem::path pdf = ps.string() + ".pdf";
    Run("ps2pdf " + Quoted(ps) + " " + Quoted(pdf) + " 2>&1");
    return std::filesystem::exists(pdf) ? pdf : std::filesystem::path();
}

double DifferingPixelShare(const std::string& png_a, const std::string& png_b) {
    auto load = [](const std::string& bytes) -> Glib::RefPtr<Gdk::Pixbuf> {
        if (bytes.empty()) return {};
        try {
            auto loader = Gdk::PixbufLoader::create("png");
            loader->write(reinterpret_cast<const guint8*>(bytes.data()), bytes.size());
            loader->close();
            return loader->get_pixbuf();
        } catch (const Glib::Error&) {
            return {};
        }
    };
    const auto a = load(png_a), b = load(png_b);
    if (!a || !b || a->get_width() != b->get_width() || a->get_height() != b->get_height()) return 1.0;
    const int channels_a = a->get_n_channels(), channels_b = b->get_n_channels();
    long differing = 0;
    for (int y = 0; y < a->get_height(); ++y) {
        const guint8* ra = a->get_pixels() + y * a->get_rowstride();
        const guint8* rb = b->get_pixels() + y * b->get_rowstride();
        for (int x = 0; x < a->get_width(); ++x) {
            for (int c = 0; c < 3; ++c) {
                if (std::abs(ra[x * channels_a + c] - rb[x * channels_b + c]) > 48) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(a->get_width()) * a->get_height());
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
