// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/number_text.h"

#include <gtest/gtest.h>

namespace config {
namespace {

TEST(ParseInteger, AcceptsSignedDecimalWithinInt) {
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("-16"), -16);
    EXPECT_EQ(ParseInteger("+16"), 16);
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RejectsEverythingElse) {
    for (std::string_view text : {"", "-", "+", " 1", "1 ", "1a", "0x1F", "$1F", "1.0", "--1", "+-1", "2147483648",
                                  "-2147483649", "99999999999999999999999", "１"}) {
        EXPECT_FALSE(ParseInteger(text).has_value()) << text;
    }
}

TEST(ParseDecimal, AcceptsPlainDecimalNumbers) {
    EXPECT_DOUBLE_EQ(ParseDecimal("35.6895").value(), 35.6895);
    EXPECT_DOUBLE_EQ(ParseDecimal("-139.5").value(), -139.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("+1").value(), 1.0);
    EXPECT_DOUBLE_EQ(ParseDecimal(".5").value(), 0.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("5.").value(), 5.0);
}

TEST(ParseDecimal, RejectsEverythingElse) {
    for (std::string_view text : {"", ".", "-", "35,5", "1e3", "inf", "nan", "1.2.3", " 1", "1 ", "北緯35"}) {
        EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
    }
}

} // namespace
} // namespace config
