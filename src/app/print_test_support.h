// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the printing tests: driving the GTK print dialog, and reading the pages of
// what was printed.

#include "controls/gui_test_support.h"
#include "gfx/cairo_canvas.h"
#include "print/print_run.h"

#include <gtkmm/printunixdialog.h>

#include <filesystem>
#include <string>

namespace app::testing {

using namespace controls::testing;

// The command line's documents: one PDF per month from the same print run.
class PdfSink : public print::DocumentSink {
public:
    explicit PdfSink(std::filesystem::path path) : path_(std::move(path)) {}
    gfx::Canvas* BeginDocument(const pages::PrintState&, const gfx::Device& device) override {
        std::string error;
        canvas_ = gfx::CairoCanvas::CreatePdf(path_.string(), device, "Kalvorin", &error);
        return canvas_.get();
    }
    bool EndDocument() override { return canvas_ && canvas_->Finish(nullptr); }

private:
    std::filesystem::path path_;
    std::unique_ptr<gfx::CairoCanvas> canvas_;
};

// Selects the named printer in the shown dialog (with the settings' other values) and
// waits until the dialog has it. False (the dialog cancelled) when it never appeared.
bool ChoosePrinter(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
                   const std::string& printer_name);
// Clicks the dialog's Print button once it can be pressed.
bool PressPrint(Gtk::PrintUnixDialog& dialog);

// Selects the named printer in the shown dialog (with the settings' other values), waits
// until the dialog has it, then clicks the dialog's Print button. False when the printer
// never appeared.
bool ChoosePrinterAndPrint(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
                           const std::string& printer_name);

// The number of pages of a PDF (pdfinfo) or PostScript (%%Page: lines) document; -1 when
// it is neither.
int DocumentPages(const std::filesystem::path& path);

// A PostScript document converted to PDF (ps2pdf) beside it; the PDF's path, empty on failure.
std::filesystem::path PostScriptToPdf(const std::filesystem::path& ps);

// The share (0 … 1) of pixels that differ by more than a small tolerance in any channel
// between two PNG pictures; 1 when they cannot be read or differ in size.
double DifferingPixelShare(const std::string& png_a, const std::string& png_b);

// The first page rasterised to PNG (pdftoppm at the given resolution); the PNG's bytes.
std::string RasterisedFirstPage(const std::filesystem::path& pdf, int dpi);

} // namespace app::testing
