// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "almanac/calendar_math.h"
#include "almanac/test_day_file.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>

namespace app {
namespace {

// The day file is looked at once at start-up: a missing or cut-short file is told then,
// naming the file, and the program still starts.
TEST(StartUpTest, AMissingOrShortDayFileIsToldOnceAndTheProgramStillStarts) {
    config::testing::TestFolder folder;
    config::testing::WriteBytes(folder / "Kalvorin.CFG", "[UNSEI]\r\nETO=7\r\n");
    const std::string day_file = (folder / "UNSEI.DAT").string();
    struct Case {
        long records; // -1: no file
        const char* what;
    };
    const long whole = almanac::FileYearOffsets().RecordIndex(almanac::kLastYear, 12, 31) + 1;
    for (const Case& c : {Case{-1, "cannot open"}, Case{whole - 1, "file too short"}, Case{whole, nullptr}}) {
        std::filesystem::remove(day_file);
        if (c.records >= 0) almanac::testing::WriteSyntheticDayFile(day_file, c.records);
        base::RecordingReporter reporter;
        pages::PrintState state;
        ASSERT_TRUE(StartUp(folder.path(), Today{2026, 12, 7}, PrinterCaps{}, state, reporter));
        if (c.what == nullptr) {
            EXPECT_TRUE(reporter.messages().empty());
            continue;
        }
        ASSERT_EQ(1u, reporter.messages().size()) << c.what;
        EXPECT_NE(reporter.messages()[0].text.find(day_file), std::string::npos);
        EXPECT_NE(reporter.messages()[0].text.find(c.what), std::string::npos) << reporter.messages()[0].text;
    }
}

// A birth sign outside the sixty-year cycle (a hand-edited ETO=61) is no birth sign.
TEST(StartUpTest, OnlyASignOfTheCycleCountsAsABirthYear) {
    pages::PrintState state;
    for (int eto : {0, 61, -7}) {
        state.settings.birth_eto = eto;
        EXPECT_TRUE(NeedsBirthYearMessage(state)) << eto;
    }
    for (int eto : {1, 60}) {
        state.settings.birth_eto = eto;
        EXPECT_FALSE(NeedsBirthYearMessage(state)) << eto;
    }
}

} // namespace
} // namespace app
