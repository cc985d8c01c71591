#pragma once
// Helpers of the printing tests: driving the GTK print dialog, and reading the pages of
// what was printed.

#include "controls/gui_test_support.h"

#include <gtkmm/printunixdialog.h>

#include <filesystem>
#include <string>

namespace app::testing {

using namespace controls::testing;

// Selects the named printer in the shown dialog (with the settings' other values), waits
// until the dialog has it, then clicks the dialog's Print button. False when the printer
// never appeared.
bool ChoosePrinterAndPrint(Gtk::PrintUnixDialog& dialog, const Glib::RefPtr<Gtk::PrintSettings>& settings,
                           const std::string& printer_name);

// The number of pages of a PDF (pdfinfo) or PostScript (%%Page: lines) document; -1 when
// it is neither.
int DocumentPages(const std::filesystem::path& path);

// The first page rasterised to PNG (pdftoppm at the given resolution); the PNG's bytes.
std::string RasterisedFirstPage(const std::filesystem::path& pdf, int dpi);

} // namespace app::testing
