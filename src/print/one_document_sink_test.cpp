// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/one_document_sink.h"

#include "almanac/test_day_file.h"
#include "config/test_folder.h"
#include "gfx/trace_canvas.h"
#include "print/print_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

namespace print {
namespace {

// Documents on a trace canvas, whose text is kept past the end of each.
class TraceSink : public DocumentSink {
public:
    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        ++begun;
        first_month = state.month;
        out_.str("");
        canvas_ = std::make_unique<gfx::TraceCanvas>(out_, device);
        return canvas_.get();
    }
    bool EndDocument() override {
        ++ended;
        trace = out_.str();
        return written;
    }
    int begun = 0, ended = 0, first_month = 0;
    bool written = true;
    std::string trace;

private:
    std::ostringstream out_;
    std::unique_ptr<gfx::TraceCanvas> canvas_;
};

class OneDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        config::testing::WriteBytes(folder_ / "Kalvorin.CFG", "[UNSEI]\r\nETO=7\r\n");
        almanac::testing::WriteSyntheticDayFile(folder_ / "UNSEI.DAT");
        LoadPrintState(folder_.path(), state_, reporter_);
        state_.year = 2100;
        state_.colors = 2;
        state_.format = pages::Format::kPoster;
    }
    int Pages() const { return sink_.trace.empty() ? 0 : 1 + CountOf("page\n"); }
    int CountOf(const std::string& line) const {
        int count = 0;
        for (std::size_t at = sink_.trace.find(line); at != std::string::npos; at = sink_.trace.find(line, at + 1))
            if (at == 0 || sink_.trace[at - 1] == '\n') ++count;
        return count;
    }
    config::testing::TestFolder folder_;
    base::RecordingReporter reporter_;
    pages::PrintState state_;
    TraceSink sink_;
    const Printer printer_{4960, 7016, 600, 600};
};

TEST_F(OneDocumentTest, TheMonthsFollowEachOtherOnNewPagesOfOneDocument) {
    state_.from_month = 3;
    state_.to_month = 5;
    OneDocumentSink one(sink_);
    ASSERT_TRUE(PrintRun(state_, printer_, one));
    EXPECT_EQ(1, sink_.begun);
    EXPECT_EQ(3, sink_.first_month);
    EXPECT_EQ(0, sink_.ended); // written only when the run is over
    ASSERT_TRUE(one.Finish());
    EXPECT_EQ(1, sink_.ended);
    EXPECT_EQ(3, Pages());

    // The same pages as three documents of their own: each later month begins on a new
    // page with the drawing state of a new canvas, where a document of its own begins with
    // its page size.
    std::ostringstream reset;
    {
        gfx::TraceCanvas fresh(reset, gfx::Device{printer_.page_width, printer_.page_height, 600, 600, 2});
        reset.str("");
        fresh.ResetDrawingState();
    }
    TraceSink separate;
    std::string joined;
    for (int month = 3; month <= 5; ++month) {
        state_.from_month = state_.to_month = month;
        ASSERT_TRUE(PrintRun(state_, printer_, separate));
        joined += month == 3 ? separate.trace
                             : "page\n" + reset.str() + separate.trace.substr(separate.trace.find('\n') + 1);
    }
    EXPECT_EQ(sink_.trace, joined);
}

TEST_F(OneDocumentTest, NothingBegunIsNothingToWriteAndAFailedWriteIsReported) {
    OneDocumentSink nothing(sink_);
    EXPECT_TRUE(nothing.Finish());
    EXPECT_EQ(0, sink_.ended);

    sink_.written = false;
    OneDocumentSink failing(sink_);
    state_.from_month = state_.to_month = 1;
    ASSERT_TRUE(PrintRun(state_, printer_, failing));
    EXPECT_FALSE(failing.Finish());
    EXPECT_TRUE(failing.Finish()); // ended once; nothing is left to write
}

} // namespace
} // namespace print
