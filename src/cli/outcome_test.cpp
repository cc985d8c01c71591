// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/outcome.h"

#include "base/command_line.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

// What is told decides the status: notes never fail a run, every failure does, whether the
// command tells it or a layer below reports it.
TEST(Outcome, TheStatusFollowsWhatWasTold) {
    Outcome notes("test");
    notes.Note("a note");
    notes.ShowMessage("a layer's note", base::kNoteCaption);
    EXPECT_EQ(base::kExitOk, notes.status());

    Outcome told("test");
    EXPECT_EQ(base::kExitFailure, told.Fail("a failure"));
    EXPECT_EQ(base::kExitFailure, told.status());
    EXPECT_EQ(0, told.reported_failures());

    Outcome reported("test");
    reported.ShowMessage("unreadable", "Error");
    reported.ShowMessage("unreadable", "Error"); // told once, counted twice
    EXPECT_TRUE(reported.failed());
    EXPECT_EQ(2, reported.reported_failures());
    EXPECT_EQ(base::kExitFailure, reported.status());
}

} // namespace
} // namespace cli
