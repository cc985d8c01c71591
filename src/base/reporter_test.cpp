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

} // namespace
} // namespace base
