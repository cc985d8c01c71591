// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_run.h"

#include "almanac/test_day_file.h"
#include "config/test_folder.h"
#include "gfx/trace_canvas.h"
#include "print/print_setup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace print {
namespace {

// Records what each document was begun with, and draws it on a trace canvas.
class RecordingSink : public DocumentSink {
public:
    struct Document {
        int month, days_in_month, first_record_date, colors, dpi_x, first_day, last_day;
        bool printing;
        gfx::Device device;
    };
    gfx::Canvas* BeginDocument(const pages::PrintState& s, const gfx::Device& device) override {
        documents.push_back({s.month, s.days_in_month, static_cast<int>(s.day(1).Date), s.colors, s.dpi_x, s.first_day,
                             s.last_day, s.printing, device});
        out_.str("");
        canvas_ = std::make_unique<gfx::TraceCanvas>(out_, device);
        return canvas_.get();
    }
    bool EndDocument() override {
        ++ended;
        return true;
    }
    std::vector<Document> documents;
    int ended = 0;

private:
    std::ostringstream out_;
    std::unique_ptr<gfx::TraceCanvas> canvas_;
};

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        config::testing::WriteBytes(folder_ / "Kalvorin.CFG", "[UNSEI]\r\nETO=7\r\n[PRINT]\r\nTESTSize=2\r\n");
        almanac::testing::WriteSyntheticDayFile(folder_ / "UNSEI.DAT");
        LoadPrintState(folder_.path(), state_, reporter_);
        state_.year = 2100;
        state_.colors = 2;
        state_.format = pages::Format::kPoster;
    }
    config::testing::TestFolder folder_;
    base::RecordingReporter reporter_;
    pages::PrintState state_;
    RecordingSink sink_;
    const Printer printer_{4960, 7016, 600, 600};
};

TEST_F(PrintRunTest, StateFromTheHostFolder) {
    EXPECT_EQ(7, state_.settings.birth_eto);
    EXPECT_EQ("@ＭＳ ゴシック", state_.face_name);
    EXPECT_EQ(-16, state_.font_height);
    EXPECT_EQ(folder_.path(), state_.host_folder);
    for (const pictures::Bitmap* b : state_.day_number_bitmaps)
        ASSERT_NE(nullptr, b);
    EXPECT_EQ(36, state_.day_number_bitmaps[31]->width);
}

TEST_F(PrintRunTest, ReversedRangePrintsNothing) {
    state_.from_month = 5;
    state_.to_month = 4;
    EXPECT_FALSE(PrintRun(state_, printer_, sink_));
    EXPECT_FALSE(Preview(state_, printer_, sink_));
    EXPECT_TRUE(sink_.documents.empty());
    ASSERT_EQ(2u, reporter_.messages().size());
    // The fixed text, then the months and what to do.
    EXPECT_EQ("月エラー\rThe first month (5) comes after the last month (4): choose a first month no later than "
              "the last one.",
              reporter_.messages()[0].text);
    EXPECT_EQ("ｴﾗｰ", reporter_.messages()[0].caption);
}

TEST_F(PrintRunTest, OneDocumentPerMonthWithItsRecords) {
    state_.from_month = 2;
    state_.to_month = 4;
    ASSERT_TRUE(PrintRun(state_, printer_, sink_));
    ASSERT_EQ(3u, sink_.documents.size());
    EXPECT_EQ(3, sink_.ended);
    // Gregorian month lengths: 2100 is not a leap year.
    EXPECT_EQ(2, sink_.documents[0].month);
    EXPECT_EQ(28, sink_.documents[0].days_in_month);
    EXPECT_EQ(21000201, sink_.documents[0].first_record_date);
    EXPECT_EQ(31, sink_.documents[1].days_in_month);
    EXPECT_EQ(21000401, sink_.documents[2].first_record_date);
    for (const auto& d : sink_.documents) {
        EXPECT_EQ(4960, d.device.width);
        EXPECT_EQ(7016, d.device.height);
        EXPECT_EQ(600, d.dpi_x);
        EXPECT_EQ(2, d.colors); // the printer's own colour count
        EXPECT_TRUE(d.printing);
    }
}

TEST_F(PrintRunTest, PreviewIsTheFirstMonthReducedAndInColour) {
    state_.from_month = 11;
    state_.to_month = 12;
    state_.format = pages::Format::kDaily;
    state_.first_day = 3;
    state_.last_day = 9;
    ASSERT_TRUE(Preview(state_, printer_, sink_));
    ASSERT_EQ(1u, sink_.documents.size());
    const auto& d = sink_.documents[0];
    EXPECT_EQ(11, d.month);
    EXPECT_EQ(2480, d.device.width);
    EXPECT_EQ(3508, d.device.height);
    EXPECT_EQ(300, d.device.dpi_y);
    EXPECT_EQ(256, d.device.colors);
    EXPECT_EQ(300, d.dpi_x);
    EXPECT_EQ(256, d.colors);
    EXPECT_EQ(1, d.first_day);
    EXPECT_EQ(1, d.last_day);
    EXPECT_FALSE(d.printing);
    // Restored afterwards.
    EXPECT_EQ(2, state_.colors);
    EXPECT_EQ(3, state_.first_day);
    EXPECT_EQ(9, state_.last_day);
}

TEST_F(PrintRunTest, PreviewDivisorBelowOneCountsAsOne) {
    state_.settings.preview_scale = 0;
    EXPECT_EQ(1, PreviewDivisor(state_));
    EXPECT_EQ(600, PreviewDevice(state_, printer_).dpi_x);
    state_.settings.preview_scale = -3;
    EXPECT_EQ(4960, PreviewDevice(state_, printer_).width);
}

TEST_F(PrintRunTest, AMissingOrShortDayFileIsReportedAndItsMonthsNotDrawn) {
    std::filesystem::remove(folder_ / "UNSEI.DAT");
    state_.from_month = 5;
    state_.to_month = 6;
    EXPECT_FALSE(PrintRun(state_, printer_, sink_));
    EXPECT_FALSE(Preview(state_, printer_, sink_));
    EXPECT_TRUE(sink_.documents.empty());
    ASSERT_FALSE(reporter_.messages().empty());
    EXPECT_NE(reporter_.messages()[0].text.find((folder_ / "UNSEI.DAT").string()), std::string::npos);

    // A file cut in the middle of June 2100: May is drawn, June is not.
    reporter_.clear();
    const std::int32_t cut = almanac::FileYearOffsets().RecordIndex(2100, 6, 15);
    almanac::testing::WriteSyntheticDayFile(folder_ / "UNSEI.DAT", cut);
    EXPECT_FALSE(PrintRun(state_, printer_, sink_));
    ASSERT_EQ(1u, sink_.documents.size());
    EXPECT_EQ(5, sink_.documents[0].month);
    int short_file = 0; // (the poster's missing month picture is told too)
    for (const auto& message : reporter_.messages())
        short_file += message.text.find("UNSEI.DAT: file too short") != std::string::npos;
    EXPECT_EQ(1, short_file);
    state_.from_month = 6;
    EXPECT_FALSE(Preview(state_, printer_, sink_));
    EXPECT_EQ(1u, sink_.documents.size());
}

TEST_F(PrintRunTest, HolidaysPrintFromMemoryAndThePlaceIsReadForEveryMonth) {
    // A holiday marked in the table but not yet in the file, and a file that meanwhile
    // holds another year's holiday and a new place from the host.
    state_.holidays.Clear();
    state_.holidays.Mark(6, 3, true);
    config::testing::WriteBytes(folder_ / "Kalvorin.CFG",
                                "[UNSEI]\r\nETO=7\r\nIDO=43.06\r\nKEIDO=141.35\r\nHYOUKOU=20\r\n"
                                "[2100]\r\nHOLIDAY6=09\r\n");
    state_.from_month = state_.to_month = 6;
    ASSERT_TRUE(PrintRun(state_, printer_, sink_));
    EXPECT_TRUE(state_.holidays.IsMarked(6, 3));
    EXPECT_FALSE(state_.holidays.IsMarked(6, 9));
    EXPECT_DOUBLE_EQ(43.06, state_.settings.latitude);
    EXPECT_DOUBLE_EQ(141.35, state_.settings.longitude);
    EXPECT_EQ(20, state_.settings.elevation);
    // Choosing the year loads the file's holidays of it.
    LoadYearHolidays(state_);
    EXPECT_TRUE(state_.holidays.IsMarked(6, 9));
    EXPECT_FALSE(state_.holidays.IsMarked(6, 3));
}

// The months of a queue are told apart: the name, then the year and month, then the format;
// a run in one document names its months.
TEST(JobTitle, NamesTheMonthsAndTheFormat) {
    pages::PrintState state;
    state.year = 2027;
    state.month = 1;
    state.format = pages::Format::kCalendar;
    EXPECT_EQ("Kalvorin 2027-01 暦", JobTitle(state));
    state.month = 12;
    state.format = pages::Format::kKikkyouNotes;
    EXPECT_EQ("Kalvorin 2027-12 吉凶解説", JobTitle(state));
    state.format = pages::Format::kDaily;
    EXPECT_EQ("Kalvorin 2027-12 日めくり", JobTitle(state));
    EXPECT_EQ("Kalvorin 2027-04-to-2028-03 一覧", JobTitle("2027-04-to-2028-03", 2));
}

} // namespace
} // namespace print
