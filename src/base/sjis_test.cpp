// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/sjis.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(Cp932, RoundTripsJapaneseAndWindowsExtensions) {
    // ① and the backslash are where CP932 differs from plain Shift-JIS.
    const std::string text = "暦注①\\ｴﾗｰ ～－";
    auto sjis = Utf8ToCp932(text);
    ASSERT_TRUE(sjis);
    EXPECT_EQ(std::string("\x87\x40", 2), sjis->substr(4, 2)); // ①
    EXPECT_EQ('\\', (*sjis)[6]);
    auto back = Cp932ToUtf8(*sjis);
    ASSERT_TRUE(back);
    EXPECT_EQ(text, *back);
}

TEST(Cp932, ReportsOffsetOfBadInput) {
    std::size_t bad = 99;
    // A lead byte without its trail byte at the end, after two good characters.
    EXPECT_FALSE(Cp932ToUtf8(std::string("ab\x88", 3), &bad));
    EXPECT_EQ(2u, bad);
    bad = 99;
    EXPECT_FALSE(Utf8ToCp932("a\xff", &bad));
    EXPECT_EQ(1u, bad);
    // A character CP932 cannot hold.
    EXPECT_FALSE(Utf8ToCp932("a😀"));
}

TEST(Cp932, ByteLengthsFollowTheDoubleByteRule) {
    EXPECT_EQ(0u, Cp932Length(""));
    EXPECT_EQ(2u, Cp932Length("一"));
    EXPECT_EQ(4u, Cp932Length(" 吉 "));
    EXPECT_EQ(4u, Cp932Length("ｴﾗｰ") + 1);
    EXPECT_EQ(12u, Cp932Length("春　正月節　"));
    EXPECT_EQ(14u, Cp932Length("冬　十一月節　"));
    EXPECT_EQ(14u, Cp932Length("@ＭＳ ゴシック"));
}

TEST(Cp932, TruncatesAtTheLastWholeCharacter) {
    EXPECT_EQ("令和", TruncateToCp932Bytes("令和元年", 4));
    EXPECT_EQ("令", TruncateToCp932Bytes("令和", 3));
    EXPECT_EQ("ab令", TruncateToCp932Bytes("ab令和", 5));
    EXPECT_EQ("", TruncateToCp932Bytes("令", 1));
    EXPECT_EQ("abc", TruncateToCp932Bytes("abc", 31));
}

} // namespace
} // namespace base
