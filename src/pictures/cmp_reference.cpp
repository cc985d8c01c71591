// SPDX-License-Identifier: GPL-3.0-or-later
// The plain tree-walking decoder, bit by bit as the format defines it.

#include "pictures/cmp_codec.h"
#include "pictures/cmp_table.h"
#include "pictures/cmp_tree.h"

namespace pictures {

namespace {

class BitReader {
public:
    explicit BitReader(ByteStream& source) : source_(source) {}
    // False at the end of the data.
    bool Next(int& bit) {
        if (mask_ == 1) {
            if (!source_.ReadByte(current_)) return false;
            mask_ = 0x80;
        } else {
            mask_ >>= 1;
        }
        bit = (current_ & mask_) != 0 ? 1 : 0;
        return true;
    }

private:
    ByteStream& source_;
    std::uint16_t mask_ = 1;
    std::uint8_t current_ = 0;
};

} // namespace

int DecodeCmpStreamReference(ByteStream& source, ByteStream& target, base::Reporter& reporter) {
    CmpTree tree;
    ResetCmpTree(tree, ReadCmpTable(source));
    if (!BuildCmpTreeByScan(tree)) {
        reporter.ShowMessage(kCmpTreeBrokenText, kCmpDecodeCaption);
        return -1;
    }
    BitReader bits(source);
    for (;;) {
        int node = tree.root;
        while (!tree.nodes[node].leaf()) {
            int bit = 0;
            const int next = bits.Next(bit) ? (bit ? tree.nodes[node].one : tree.nodes[node].zero) : -1;
            if (next < 0) {
                reporter.ShowMessage(kCmpBrokenInputText, kCmpDecodeCaption);
                return -1;
            }
            node = next;
        }
        if (node == kCmpEndSymbol) break;
        target.WriteByte(static_cast<std::uint8_t>(node));
    }
    target.Seek(0);
    return 0;
}

} // namespace pictures
