// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_test_support.h"
#include "app/window_test_fixture.h"

#include <glibmm/convert.h>
#include <glibmm/shell.h>
#include <glibmm/spawn.h>

namespace app::testing {
namespace {

TEST_F(MainWindowTest, PrintToFileFromTheDialogGivesTheCommandLinesPages) {
    Open();
    const std::filesystem::path out = folder_ / "printed.pdf";
    bool driven = false;
    window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
        auto settings = dialog.get_settings();
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_URI, Glib::filename_to_uri(out.string()));
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
        driven = ChoosePrinterAndPrint(dialog, settings, "Print to File");
    };
    window_->SelectFormat(pages::Format::kCalendar);
    window_->Print();
    ASSERT_TRUE(driven) << "the dialog never offered Print to File";
    ASSERT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(1, DocumentPages(out));

    // The same month drawn as the command line draws it, on the dialog's paper and resolution.
    const std::filesystem::path reference = folder_ / "reference.pdf";
    PdfSink sink(reference);
    ASSERT_TRUE(print::PrintRun(state_, window_->print_controller().CurrentPrinter(), sink));
    EXPECT_EQ(1, DocumentPages(reference));
    const std::string printed = RasterisedFirstPage(out, 40);
    ASSERT_FALSE(printed.empty());
    EXPECT_TRUE(printed == RasterisedFirstPage(reference, 40));
    const print::Printer printer = window_->print_controller().CurrentPrinter();
    EXPECT_EQ(600, printer.dpi_x);
    EXPECT_EQ(4960, printer.page_width);
    // A document that says what it holds, on exactly the paper.
    std::string info;
    Glib::spawn_command_line_sync("pdfinfo " + Glib::shell_quote(out.string()), &info);
    EXPECT_NE(std::string::npos, info.find("595.276 x 841.89 pts (A4)")) << info;
    EXPECT_NE(std::string::npos, info.find("Kalvorin 2026年 暦 十二月")) << info;
}

TEST_F(MainWindowTest, CancellingTheDialogPrintsNothing) {
    Open();
    window_->print_controller().on_dialog_shown = [](Gtk::PrintUnixDialog& dialog) {
        dialog.response(Gtk::RESPONSE_CANCEL);
    };
    window_->Print();
    EXPECT_TRUE(reporter_.messages().empty());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "printed.pdf"));
}

} // namespace
} // namespace app::testing
