// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/reporter.h"

#include <gtest/gtest.h>

namespace base {
namespace {

// A message box's body that begins with its caption reads as one line on a terminal; other
// texts keep every line.
TEST(TerminalMessage, TheCaptionIsNotSaidTwice) {
    EXPECT_EQ("Error: H/UNSEI.DAT: file too short\n", TerminalMessage("Error\rH/UNSEI.DAT: file too short", "Error"));
    EXPECT_EQ("ｴﾗｰ: 月エラー\n", TerminalMessage("月エラー", "ｴﾗｰ"));
    EXPECT_EQ("Error: first\nsecond\n", TerminalMessage("first\rsecond", "Error"));
    EXPECT_EQ("Error: Errors\nmore\n", TerminalMessage("Errors\rmore", "Error"));
}

// A run told of one broken file a hundred times says it once and still fails; a note alone
// is said once and does not fail it.
TEST(OnceReporter, SaysEachMessageOnceAndCountsProblemsNotNotes) {
    RecordingReporter out;
    OnceReporter once(out);
    for (int i = 0; i < 3; ++i)
        once.ShowMessage("no place", kNoteCaption);
    EXPECT_EQ(0, once.count());
    for (int i = 0; i < 3; ++i)
        once.ShowMessage("Kalvorin.CFG: too large", "Kalvorin.CFG");
    EXPECT_EQ(3, once.count());
    ASSERT_EQ(2u, out.messages().size());
    EXPECT_EQ(std::string(kNoteCaption), out.messages()[0].caption);
}

} // namespace
} // namespace base
