// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_wrap.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(TextWrap, LinesFitAndContinueUnderTheirDescription) {
    EXPECT_EQ(6, TextColumns("ab日本"));
    EXPECT_EQ(2, TextColumns("ｴﾗ")); // half-width katakana: one column each
    // Words break at spaces, continuing under the description's first column.
    const std::string help = WrapText("  --out FILE   one two three four five six", 25);
    EXPECT_EQ("  --out FILE   one two\n               three four\n               five six", help);
    // Japanese breaks between characters, never before 、 or 。.
    for (const std::string& line : WrapLine("日本語の文章は、空白なしで折り返します。", 12, 2)) {
        EXPECT_LE(TextColumns(line), 12) << line;
        const std::string text = line.substr(line.find_first_not_of(' '));
        EXPECT_FALSE(text.starts_with("、") || text.starts_with("。")) << line;
    }
    // A word longer than the line is cut, not lost; short lines are left as they are.
    std::string joined;
    for (const std::string& line : WrapLine("abcdefghij", 4, 0))
        joined += line;
    EXPECT_EQ("abcdefghij", joined);
    EXPECT_EQ("a\n\nb\n", WrapText("a\n\nb\n", 10));
}

} // namespace
} // namespace base
