// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_test_support.h"
#include "app/printer_caps.h"
#include "app/private_cups.h"
#include "app/window_test_fixture.h"

#include <glibmm/convert.h>
#include <glibmm/main.h>

#include <cstdlib>

namespace app::testing {
namespace {

// Two months of calendar pages and three days of daily pages through a real CUPS queue:
// the GTK print dialog talks to a scheduler of the test's own.
class CupsPrintTest : public MainWindowTest {
protected:
    static void SetUpTestSuite() {
        cups_ = new PrivateCups("qelmarin-test");
        // GTK's print back end and libcups find the scheduler here; before GTK starts.
        if (cups_->Running()) ::setenv("CUPS_SERVER", cups_->Socket().c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete cups_;
        cups_ = nullptr;
    }
    void SetUp() override {
        if (!cups_->Running()) GTEST_SKIP() << "no private CUPS scheduler: " << cups_->Problem();
        MainWindowTest::SetUp();
    }

    // Prints from the main window, the dialog driven to the test's queue with the settings
    // the callback adds.
    void PrintThroughTheQueue(const std::function<void(Gtk::PrintSettings&)>& adjust = {}) {
        bool driven = false;
        window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
            auto settings = dialog.get_settings();
            if (adjust) adjust(*settings.operator->());
            driven = ChoosePrinterAndPrint(dialog, settings, "qelmarin-test");
        };
        window_->Print();
        ASSERT_TRUE(driven) << "the dialog never offered the test's queue";
    }

    std::vector<PrivateCups::Job> WaitForJobs(std::size_t count) {
        std::vector<PrivateCups::Job> jobs;
        PumpUntil(
            [&] {
                jobs = cups_->Jobs();
                return jobs.size() >= count && std::all_of(jobs.begin(), jobs.end(), [](const auto& j) {
                           return j.state == IPP_JSTATE_COMPLETED && std::filesystem::exists(j.document);
                       });
            },
            20000);
        return jobs;
    }

    // The texts of the print run's messages (caption "Error").
    std::vector<std::string> PrintErrors() const {
        std::vector<std::string> texts;
        for (const auto& m : reporter_.messages())
            if (m.caption == "Error") texts.push_back(m.text);
        return texts;
    }
    std::string Messages() const {
        std::string all;
        for (const auto& m : reporter_.messages()) all += "\n  " + m.caption + ": " + m.text;
        return all;
    }

    static PrivateCups* cups_;
};
PrivateCups* CupsPrintTest::cups_ = nullptr;

TEST_F(CupsPrintTest, OneJobPerMonthAndTheDaysLeftInTheDialogForEveryMonth) {
    Open();
    // Calendar pages of November and December: two jobs of one page, titled "Kalvorin".
    state_.from_month = 11;
    state_.to_month = 12;
    window_->SelectFormat(pages::Format::kCalendar);
    PrintThroughTheQueue();
    std::vector<PrivateCups::Job> jobs = WaitForJobs(2);
    ASSERT_EQ(2u, jobs.size());
    // Named by their months, so that the queue tells them apart.
    EXPECT_EQ("Kalvorin 2026-11 暦", jobs[0].title);
    EXPECT_EQ("Kalvorin 2026-12 暦", jobs[1].title);
    for (const auto& job : jobs) EXPECT_EQ(1, DocumentPages(job.document)) << job.document;

    // Daily pages of December, days 5 to 7 chosen in the dialog: the month page and 3 days.
    state_.from_month = state_.to_month = 12;
    window_->SelectFormat(pages::Format::kDaily);
    PrintThroughTheQueue([](Gtk::PrintSettings& settings) {
        settings.set_print_pages(Gtk::PRINT_PAGES_RANGES);
        settings.set_page_ranges({Gtk::PrintSettings::PageRange(4, 6)});
    });
    jobs = WaitForJobs(3);
    ASSERT_EQ(3u, jobs.size());
    EXPECT_EQ("Kalvorin 2026-12 日めくり", jobs[2].title);
    EXPECT_EQ(4, DocumentPages(jobs[2].document));
    EXPECT_EQ(5, state_.first_day);
    EXPECT_EQ(7, state_.last_day);
}

// "Print to File" as PostScript is written by the program itself: the pages of the PDF the
// command line makes, and nothing reaches the printers (the test's queue is the default
// one, where GTK's print operation would send it).
TEST_F(CupsPrintTest, PrintToFileAsPostScriptWritesThePagesAndSendsNoJob) {
    Open();
    const std::size_t jobs_before = cups_->Jobs().size();
    const std::filesystem::path out = folder_ / "printed.ps";
    state_.from_month = state_.to_month = 12;
    window_->SelectFormat(pages::Format::kDaily);
    bool driven = false;
    window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
        auto settings = dialog.get_settings();
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_URI, Glib::filename_to_uri(out.string()));
        settings->set(GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "ps");
        settings->set_print_pages(Gtk::PRINT_PAGES_RANGES);
        settings->set_page_ranges({Gtk::PrintSettings::PageRange(0, 1)});
        driven = ChoosePrinterAndPrint(dialog, settings, "Print to File");
    };
    window_->Print();
    ASSERT_TRUE(driven) << "the dialog never offered Print to File";
    EXPECT_TRUE(reporter_.messages().empty());
    ASSERT_TRUE(std::filesystem::exists(out));
    // The month page and days 1 and 2.
    EXPECT_EQ(3, DocumentPages(out));
    const std::filesystem::path converted = PostScriptToPdf(out);
    ASSERT_FALSE(converted.empty()) << "ps2pdf could not read " << out;
    EXPECT_EQ(3, DocumentPages(converted));
    const std::filesystem::path reference = folder_ / "reference.pdf";
    PdfSink sink(reference);
    ASSERT_TRUE(print::PrintRun(state_, window_->print_controller().CurrentPrinter(), sink));
    EXPECT_EQ(3, DocumentPages(reference));
    EXPECT_LT(DifferingPixelShare(RasterisedFirstPage(converted, 40), RasterisedFirstPage(reference, 40)), 0.01);

    Pump(1500); // a job would have reached the scheduler by now
    EXPECT_EQ(jobs_before, cups_->Jobs().size());
}

// A printer that stops answering between the dialog and the job: the job is given up after
// the stall limit with a message naming it, and the window goes on.
TEST_F(CupsPrintTest, AJobThatCannotReachItsPrinterIsGivenUpWithAMessage) {
    Open();
    window_->print_controller().SetStallLimit(2000);
    bool driven = false;
    window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
        auto settings = dialog.get_settings();
        if (!ChoosePrinter(dialog, settings, "qelmarin-test")) return;
        cups_->Stop();
        driven = PressPrint(dialog);
    };
    window_->Print();
    cups_->Start();
    ASSERT_TRUE(driven);
    // (The month's picture is missing from the test's folder: that is said too.)
    const std::vector<std::string> errors = PrintErrors();
    ASSERT_EQ(1u, errors.size()) << Messages();
    EXPECT_NE(std::string::npos, errors[0].find("Kalvorin 2026-12 暦")) << errors[0];
    EXPECT_NE(std::string::npos, errors[0].find("qelmarin-test")) << errors[0];
    EXPECT_TRUE(window_->get_visible());
}

// 終了 while a job waits for its printer ends the wait at once (before, the program stayed
// in GTK's print operation and never ended).
TEST_F(CupsPrintTest, ExitWhileAJobWaitsForItsPrinterEndsTheRun) {
    Open();
    window_->print_controller().SetStallLimit(10 * 60 * 1000);
    bool driven = false, exited = false;
    window_->print_controller().on_dialog_shown = [&](Gtk::PrintUnixDialog& dialog) {
        auto settings = dialog.get_settings();
        if (!ChoosePrinter(dialog, settings, "qelmarin-test")) return;
        cups_->Stop();
        driven = PressPrint(dialog);
        Glib::signal_timeout().connect(
            [&] {
                if (!window_->print_controller().Waiting()) return true;
                ClickCentre(window_->ExitButton());
                exited = true;
                return false;
            },
            100);
    };
    window_->Print();
    cups_->Start();
    ASSERT_TRUE(driven);
    EXPECT_TRUE(exited);
    EXPECT_FALSE(window_->get_visible());
    EXPECT_TRUE(PrintErrors().empty()) << Messages();
}

// The default printer's capabilities as the start-up asks for them, through the libcups the
// program loads itself, against what the scheduler tells the test through its own (the
// raw queue has no colour bit: monochrome, unlike the colour printer assumed without one).
TEST_F(CupsPrintTest, TheDefaultPrinterIsAskedThroughTheLoadedLibrary) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    ASSERT_NE(dest, nullptr) << "the test's queue is not the default printer";
    const char* type = cupsGetOption("printer-type", dest->num_options, dest->options);
    ASSERT_NE(type, nullptr);
    const int colors = (std::strtol(type, nullptr, 10) & CUPS_PRINTER_COLOR) ? 256 : 2;
    cupsFreeDests(1, dest);
    const PrinterCaps caps = DefaultPrinterCaps();
    EXPECT_EQ(caps.colors, colors) << "printer-type " << type;
    EXPECT_EQ(caps.paper_width_mm, static_cast<int>(SystemPaper().width_mm)); // a raw queue names no media
    // Asked again, the library already loaded answers the same.
    EXPECT_EQ(DefaultPrinterCaps().colors, colors);

    // As the program asks it: settled before a preview or a run, the answer is in the state
    // and the question no longer outstanding; settling again changes nothing.
    pages::PrintState state;
    state.colors = colors == 2 ? 256 : 2;
    state.paper_width_mm = 1;
    DefaultPrinterQuestion question(state);
    EXPECT_FALSE(question.Outstanding()) << "not asked yet";
    question.Settle(std::chrono::seconds(10));
    EXPECT_FALSE(question.Outstanding());
    EXPECT_EQ(state.colors, colors);
    EXPECT_EQ(state.paper_width_mm, static_cast<int>(SystemPaper().width_mm));
    state.colors = 0;
    question.Settle(std::chrono::seconds(10));
    EXPECT_EQ(state.colors, 0) << "the answer is put in once";
}

} // namespace
} // namespace app::testing
