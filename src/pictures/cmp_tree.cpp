// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/cmp_tree.h"

#include "base/no_coverage.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

namespace pictures {

void ResetCmpTree(CmpTree& tree, std::span<const std::uint16_t, 256> frequencies) {
    tree.count = kCmpLeafCount;
    tree.root = -1;
    for (int i = 0; i < kCmpLeafCount; ++i)
        tree.nodes[i] = CmpNode{};
    for (int i = 0; i < 256; ++i)
        tree.nodes[i].frequency = frequencies[i];
    tree.nodes[kCmpEndSymbol].frequency = 1;
}

namespace {

// Takes from `live` (node indices in index order) the node of smallest frequency, the
// first one found on equal frequencies; -1 when live is empty. Coverage-guided fuzzing
// gains nothing from the comparisons of this quadratic loop and loses most of its speed to
// them (raw pointers: the checked subscripts are functions of their own, instrumented).
QEL_NO_COVERAGE int TakeSmallest(const CmpTree& tree, std::vector<int>& live) {
    const std::size_t n = live.size();
    const int* const ids = live.data();
    const CmpNode* const nodes = tree.nodes.data();
    std::size_t best = n;
    std::int32_t best_frequency = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::int32_t f = nodes[ids[k]].frequency;
        if (best == n || f < best_frequency) {
            best = k;
            best_frequency = f;
        }
    }
    if (best == n) return -1;
    const int index = live[best];
    live.erase(live.begin() + static_cast<std::ptrdiff_t>(best));
    return index;
}

// The merging loop, with the way of choosing the smallest parentless node given.
template <typename Smallest>
bool Build(CmpTree& tree, Smallest&& smallest, bool (*push)(CmpTree&, int, void*), void* queue) {
    for (;;) {
        const int a = smallest();
        if (a < 0) return false;
        // The node about to be made; its index is the current count.
        const int made = tree.count;
        CmpNode& node = tree.nodes[made];
        node = CmpNode{};
        node.one = static_cast<std::int16_t>(a);
        tree.nodes[a].parent = static_cast<std::int16_t>(made);
        const int b = smallest();
        if (b < 0) {
            if (tree.nodes[a].leaf()) {
                // Only the end symbol is present: it hangs below a root of its own.
                tree.root = made;
                ++tree.count;
            } else {
                tree.root = a;
            }
            return true;
        }
        node.zero = static_cast<std::int16_t>(b);
        node.frequency = tree.nodes[a].frequency + tree.nodes[b].frequency;
        tree.nodes[b].parent = static_cast<std::int16_t>(made);
        ++tree.count;
        if (push != nullptr) push(tree, made, queue);
    }
}

// Min-heap entries: (frequency, index); the smallest pair is the scan's choice.
using HeapEntry = std::pair<std::int32_t, int>;
using Heap = std::priority_queue<HeapEntry, std::vector<HeapEntry>, std::greater<>>;

bool PushNode(CmpTree& tree, int index, void* queue) {
    static_cast<Heap*>(queue)->emplace(tree.nodes[index].frequency, index);
    return true;
}

} // namespace

bool BuildCmpTree(CmpTree& tree) {
    std::vector<HeapEntry> storage;
    storage.reserve(kCmpMaxNodes);
    Heap heap(std::greater<>{}, std::move(storage));
    for (int i = 0; i < tree.count; ++i) {
        if (tree.nodes[i].parent == -1 && tree.nodes[i].frequency > 0) heap.emplace(tree.nodes[i].frequency, i);
    }
    auto smallest = [&heap] {
        if (heap.empty()) return -1;
        const int index = heap.top().second;
        heap.pop();
        return index;
    };
    return Build(tree, smallest, PushNode, &heap);
}

bool BuildCmpTreeByScan(CmpTree& tree) {
    // The scan of all nodes, restricted to the ones it can choose (parentless, with a
    // frequency), kept in index order: the same choices with less walking.
    std::vector<int> live;
    for (int i = 0; i < tree.count; ++i) {
        if (tree.nodes[i].parent == -1 && tree.nodes[i].frequency > 0) live.push_back(i);
    }
    auto smallest = [&] { return TakeSmallest(tree, live); };
    return Build(
        tree, smallest,
        [](CmpTree&, int index, void* list) {
            static_cast<std::vector<int>*>(list)->push_back(index);
            return true;
        },
        &live);
}

std::array<CmpCode, kCmpLeafCount> CmpCodes(const CmpTree& tree) {
    std::array<CmpCode, kCmpLeafCount> codes{};
    for (int symbol = 0; symbol < kCmpLeafCount; ++symbol) {
        if (tree.nodes[symbol].parent < 0 && symbol != tree.root) continue;
        CmpCode code;
        // Walk up to the root; the first step noted is the code's last bit.
        for (int node = symbol; node != tree.root && code.length < 64;) {
            const int parent = tree.nodes[node].parent;
            if (tree.nodes[parent].one == node) code.value |= std::uint64_t{1} << code.length;
            ++code.length;
            node = parent;
        }
        codes[symbol] = code;
    }
    return codes;
}

std::array<std::uint16_t, 256> ScaleCmpFrequencies(std::array<std::uint64_t, kCmpLeafCount> counts) {
    counts[kCmpEndSymbol] = 1;
    while (*std::max_element(counts.begin(), counts.end()) > 65535) {
        for (auto& f : counts)
            f = (f >> 1) | (f & 1);
    }
    std::array<std::uint16_t, 256> scaled{};
    for (int i = 0; i < 256; ++i)
        scaled[i] = static_cast<std::uint16_t>(counts[i]);
    return scaled;
}

} // namespace pictures
