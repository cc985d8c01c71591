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

// Several months to files a second time: asked once for the files there already; No
// leaves them as they were, Yes replaces them.
TEST_F(MainWindowTest, PrintingSeveralMonthsOverFilesAsksOnceForThem) {
    Open();
    const std::filesystem::path out = folder_ / "cal.pdf";
    window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
        auto settings = dialog.get_settings();
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_URI, Glib::filename_to_uri(out.string()));
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
        ChoosePrinterAndPrint(dialog, settings, "Print to File");
    };
    std::vector<std::vector<std::filesystem::path>> asked;
    bool answer = false;
    window_->print_controller().confirm_replace = [&](const std::vector<std::filesystem::path>& files) {
        asked.push_back(files);
        return answer;
    };
    window_->SelectFormat(pages::Format::kCalendar);
    state_.from_month = 1;
    state_.to_month = 2;
    config::testing::WriteBytes(folder_ / "cal-02.pdf", "kept");
    window_->Print();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (std::vector<std::filesystem::path>{folder_ / "cal-02.pdf"}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "cal-01.pdf"));
    EXPECT_EQ(ReadText(folder_ / "cal-02.pdf"), "kept");
    answer = true;
    window_->Print();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(1, DocumentPages(folder_ / "cal-01.pdf"));
    EXPECT_EQ(1, DocumentPages(folder_ / "cal-02.pdf"));
}

// The paper and orientation chosen are there at the next start; a damaged kept file leaves
// the default paper.
TEST_F(MainWindowTest, ThePageSetupChosenIsKeptForTheNextStart) {
    const std::filesystem::path kept = folder_ / "config" / "qelmarin" / "page-setup.ini";
    PrintController first(reporter_, "A4", kept);
    auto setup = Gtk::PageSetup::create();
    setup->set_paper_size_and_default_margins(Gtk::PaperSize("jis_b5"));
    setup->set_orientation(Gtk::PAGE_ORIENTATION_LANDSCAPE);
    first.KeepPageSetup(setup);
    ASSERT_TRUE(std::filesystem::exists(kept));
    PrintController next(reporter_, "A4", kept);
    EXPECT_EQ("jis_b5", next.page_setup()->get_paper_size().get_name());
    EXPECT_EQ(Gtk::PAGE_ORIENTATION_LANDSCAPE, next.page_setup()->get_orientation());
    const print::Printer printer = next.CurrentPrinter();
    EXPECT_GT(printer.page_width, printer.page_height);
    config::testing::WriteBytes(kept, "[Page Setup\nnot a key file");
    PrintController damaged(reporter_, "A4", kept);
    EXPECT_EQ("iso_a4", damaged.page_setup()->get_paper_size().get_name());
    EXPECT_TRUE(reporter_.messages().empty());
}

} // namespace
} // namespace app::testing
