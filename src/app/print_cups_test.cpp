#include "app/print_test_support.h"
#include "app/private_cups.h"
#include "app/window_test_fixture.h"

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
        window_->PrintStartButtonClick();
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
    for (const auto& job : jobs) {
        EXPECT_EQ("Kalvorin", job.title);
        EXPECT_EQ(1, DocumentPages(job.document)) << job.document;
    }

    // Daily pages of December, days 5 to 7 chosen in the dialog: the month page and 3 days.
    state_.from_month = state_.to_month = 12;
    window_->SelectFormat(pages::Format::kDaily);
    PrintThroughTheQueue([](Gtk::PrintSettings& settings) {
        settings.set_print_pages(Gtk::PRINT_PAGES_RANGES);
        settings.set_page_ranges({Gtk::PrintSettings::PageRange(4, 6)});
    });
    jobs = WaitForJobs(3);
    ASSERT_EQ(3u, jobs.size());
    EXPECT_EQ("Kalvorin", jobs[2].title);
    EXPECT_EQ(4, DocumentPages(jobs[2].document));
    EXPECT_EQ(5, state_.first_day);
    EXPECT_EQ(7, state_.last_day);
}

} // namespace
} // namespace app::testing
