// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/kanji_numbers.h"

#include "base/sjis.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(KanjiNumerals, TableHasTheTraditionalForms) {
    EXPECT_EQ("〇", KanjiNumerals[0]);
    EXPECT_EQ("十", KanjiNumerals[10]);
    EXPECT_EQ("廿", KanjiNumerals[20]);
    EXPECT_EQ("卅", KanjiNumerals[30]);
    EXPECT_EQ("卅一", KanjiNumerals[31]);
    for (std::size_t i = 0; i < KanjiNumerals.size(); ++i)
        EXPECT_EQ(i <= 10 || i == 20 || i == 30 ? 2u : 4u, Cp932Length(KanjiNumerals[i])) << i;
}

TEST(KanjiNumbers, YearIsFourDigits) {
    EXPECT_EQ("一九〇一", FormatYearKanji(1901));
    EXPECT_EQ("二〇二六", FormatYearKanji(2026));
    EXPECT_EQ("二一〇〇", FormatYearKanji(2100));
}

TEST(KanjiNumbers, FortuneNumbersAreThreeColumnsAtMost) {
    EXPECT_EQ("　〇", FormatNumberKanji(0));
    EXPECT_EQ("　五", FormatNumberKanji(5));
    EXPECT_EQ("一〇", FormatNumberKanji(10));
    EXPECT_EQ("三六", FormatNumberKanji(36));
    EXPECT_EQ("一〇〇", FormatNumberKanji(100));
    EXPECT_EQ("一〇五", FormatNumberKanji(105));
    EXPECT_EQ("九九九", FormatNumberKanji(5000));
    EXPECT_EQ("　〇", FormatNumberKanji(-3));
}

TEST(KanjiNumbers, SunTimeNumbers) {
    EXPECT_EQ("〇", NumberToKanji(0));
    EXPECT_EQ("五", NumberToKanji(5));
    EXPECT_EQ("十", NumberToKanji(10));
    EXPECT_EQ("十七", NumberToKanji(17));
    EXPECT_EQ("二〇", NumberToKanji(20));
    EXPECT_EQ("四四", NumberToKanji(44));
    EXPECT_EQ("五二", NumberToKanji(52));
    EXPECT_EQ("一〇〇", NumberToKanji(100));
    EXPECT_EQ("二〇二六", NumberToKanji(12026));
}

} // namespace
} // namespace base
