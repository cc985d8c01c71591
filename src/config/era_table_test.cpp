// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/era_table.h"

#include <gtest/gtest.h>

namespace config {
namespace {

TEST(EraTable, TheYearAnEraBeginsPrintsUnderThePreviousOne) {
    EraTable eras("令和", 2019);
    EXPECT_EQ(eras.Lookup(2019), (EraYear{"平成", 31}));
    EXPECT_EQ(eras.Lookup(2020), (EraYear{"令和", 2}));
    EXPECT_EQ(eras.Lookup(1989), (EraYear{"昭和", 64}));
    EXPECT_EQ(eras.Lookup(1990), (EraYear{"平成", 2}));
    EXPECT_EQ(eras.Lookup(1912), (EraYear{"明治", 45}));
    EXPECT_EQ(eras.Lookup(1913), (EraYear{"大正", 2}));
    EXPECT_EQ(eras.Lookup(1869), (EraYear{"明治", 2}));
}

TEST(EraTable, YearsUpTo1868HaveNoEra) {
    EraTable eras;
    EXPECT_EQ(eras.Lookup(1868), std::nullopt);
    EXPECT_EQ(eras.Lookup(1), std::nullopt);
    EXPECT_EQ(eras.Lookup(-2147483647 - 1), std::nullopt);
}

TEST(EraTable, WithoutANewEraHeiseiGoesOn) {
    EraTable eras("", 9999);
    EXPECT_EQ(eras.Lookup(2100), (EraYear{"平成", 112}));
    EXPECT_EQ(eras.Lookup(9999), (EraYear{"平成", 8011}));
    EXPECT_EQ(EraTable().eras()[4], (Era{"未定", 9999}));
}

TEST(EraTable, ExtremeFirstYearsDoNotOverflow) {
    EraTable eras("X", -2147483647 - 1);
    EXPECT_EQ(eras.Lookup(-2), (EraYear{"X", 2147483647}));
    EXPECT_EQ(eras.Lookup(0), std::nullopt); // the era year would pass the range of int
    EXPECT_EQ(eras.Lookup(2147483647), std::nullopt);
}

} // namespace
} // namespace config
