// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/cmp_tree.h"

#include <gtest/gtest.h>

#include <random>

namespace pictures {
namespace {

void ExpectSameTree(const CmpTree& a, const CmpTree& b) {
    ASSERT_EQ(a.count, b.count);
    ASSERT_EQ(a.root, b.root);
    for (int i = 0; i < a.count; ++i) {
        ASSERT_EQ(a.nodes[i].frequency, b.nodes[i].frequency) << i;
        ASSERT_EQ(a.nodes[i].one, b.nodes[i].one) << i;
        ASSERT_EQ(a.nodes[i].zero, b.nodes[i].zero) << i;
        if (i != a.root) {
            ASSERT_EQ(a.nodes[i].parent, b.nodes[i].parent) << i;
        }
    }
}

TEST(CmpTree, FullAlphabetUsesAll513Nodes) {
    std::array<std::uint16_t, 256> table;
    table.fill(1);
    CmpTree tree;
    ResetCmpTree(tree, table);
    ASSERT_TRUE(BuildCmpTree(tree));
    EXPECT_EQ(tree.count, 513);
    EXPECT_EQ(tree.root, 512);
    EXPECT_EQ(tree.nodes[512].frequency, 257);
}

TEST(CmpTree, HeapChoosesWhatTheScanChooses) {
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        std::array<std::uint16_t, 256> table{};
        const int used = std::uniform_int_distribution<int>(0, 256)(rng);
        // Few distinct values make many ties, where the index order decides.
        const int top = round % 2 ? 4 : 65535;
        for (int i = 0; i < used; ++i) {
            table[std::uniform_int_distribution<int>(0, 255)(rng)] =
                static_cast<std::uint16_t>(std::uniform_int_distribution<int>(1, top)(rng));
        }
        CmpTree heap, scan;
        ResetCmpTree(heap, table);
        ResetCmpTree(scan, table);
        ASSERT_TRUE(BuildCmpTree(heap));
        ASSERT_TRUE(BuildCmpTreeByScan(scan));
        ExpectSameTree(heap, scan);
    }
}

TEST(CmpTree, CodesAndScaling) {
    std::array<std::uint16_t, 256> table{};
    table['a'] = table['b'] = table['c'] = 1;
    CmpTree tree;
    ResetCmpTree(tree, table);
    ASSERT_TRUE(BuildCmpTree(tree));
    const auto codes = CmpCodes(tree);
    EXPECT_EQ(codes['a'].value, 0b11u);
    EXPECT_EQ(codes['b'].value, 0b10u);
    EXPECT_EQ(codes['c'].value, 0b01u);
    EXPECT_EQ(codes[kCmpEndSymbol].value, 0b00u);
    EXPECT_EQ(codes['d'].length, 0);

    std::array<std::uint64_t, kCmpLeafCount> counts{};
    counts[0] = 200000;
    counts[1] = 3;
    counts[2] = 100000;
    const auto scaled = ScaleCmpFrequencies(counts);
    EXPECT_EQ(scaled[0], 50000);
    EXPECT_EQ(scaled[1], 1);
    EXPECT_EQ(scaled[2], 25000);
    // Counts beyond 32 bits scale down as well instead of wrapping.
    counts[3] = std::uint64_t{1} << 40;
    EXPECT_EQ(ScaleCmpFrequencies(counts)[3], 32768);
    EXPECT_EQ(ScaleCmpFrequencies(counts)[1], 1);
}

} // namespace
} // namespace pictures
