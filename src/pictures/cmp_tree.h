// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The code tree of the .cmp format: 257 leaves (byte values 0 … 255 and the end symbol 256)
// and the inner nodes made by merging the two smallest parentless nodes, lowest index first
// on equal frequencies. Encoder and decoder build it the same way from the same table.

#include <array>
#include <cstdint>
#include <span>

namespace pictures {

inline constexpr int kCmpEndSymbol = 256;
inline constexpr int kCmpLeafCount = 257;
inline constexpr int kCmpMaxNodes = 2 * kCmpLeafCount - 1;
inline constexpr std::size_t kCmpTableBytes = 512;

struct CmpNode {
    std::int32_t frequency = 0;
    std::int16_t parent = -1;
    std::int16_t one = -1;
    std::int16_t zero = -1;

    bool leaf() const { return one < 0 && zero < 0; }
};

struct CmpTree {
    // One spare: construction prepares the next node before it knows whether a second node
    // is left to merge, so the last round writes one past the 513 a tree can use.
    std::array<CmpNode, kCmpMaxNodes + 1> nodes{};
    int count = kCmpLeafCount;
    int root = -1;
};

// Resets the tree to 257 parentless leaves with the given byte frequencies and the end
// symbol's frequency 1.
void ResetCmpTree(CmpTree& tree, std::span<const std::uint16_t, 256> frequencies);

// Merges nodes until one root is left. False when no node has a frequency (the tree error).
// Picks the smallest nodes from a heap ordered by (frequency, index), which chooses exactly
// what the format's index-order scan chooses.
bool BuildCmpTree(CmpTree& tree);

// The same construction by the format's own rule, scanning the nodes in index order for each
// choice (a later node wins only with a strictly smaller frequency): the
// reference the heap version is tested against.
bool BuildCmpTreeByScan(CmpTree& tree);

// The code of every symbol as bits read root first, right-aligned in value; length 0 for
// symbols that are not in the tree. Codes reach at most about 35 bits.
struct CmpCode {
    std::uint64_t value = 0;
    int length = 0;
};
std::array<CmpCode, kCmpLeafCount> CmpCodes(const CmpTree& tree);

// Halves every count (keeping non-zero counts non-zero) until all fit 16 bits, as the
// stored table needs. counts[256] is the end symbol's 1.
std::array<std::uint16_t, 256> ScaleCmpFrequencies(std::array<std::uint64_t, kCmpLeafCount> counts);

} // namespace pictures
