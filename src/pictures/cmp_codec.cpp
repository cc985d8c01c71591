// SPDX-License-Identifier: GPL-3.0-or-later
// The .cmp encoder and the table-driven decoder.

#include "pictures/cmp_codec.h"

#include "base/no_coverage.h"
#include "pictures/cmp_table.h"
#include "pictures/cmp_tree.h"
#include "pictures/picture_limits.h"

#include <algorithm>
#include <cstring>

namespace pictures {

namespace {

// Appends bits to a byte buffer, most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(std::uint64_t value, int length) {
        if (length > 32) {
            Put(value >> 32, length - 32);
            length = 32;
            value &= 0xFFFFFFFFu;
        }
        acc_ = (acc_ << length) | value;
        bits_ += length;
        if (bits_ >= 32) {
            bits_ -= 32;
            const auto word = static_cast<std::uint32_t>(acc_ >> bits_);
            const std::uint8_t b[4] = {static_cast<std::uint8_t>(word >> 24), static_cast<std::uint8_t>(word >> 16),
                                       static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)};
            out_.insert(out_.end(), b, b + 4);
        }
    }

    // Zero bits up to the next byte boundary, a whole zero byte when already on one.
    void Flush() {
        const int pad = 8 - bits_ % 8;
        acc_ <<= pad;
        bits_ += pad;
        while (bits_ > 0) {
            bits_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(acc_ >> bits_));
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t acc_ = 0;
    int bits_ = 0;
};

std::array<std::uint64_t, kCmpLeafCount> CountBytes(std::span<const std::uint8_t> data) {
    // Four interleaved histograms keep consecutive equal bytes from stalling on one counter.
    std::array<std::array<std::uint64_t, 256>, 4> h{};
    std::size_t i = 0;
    for (; i + 4 <= data.size(); i += 4) {
        ++h[0][data[i]];
        ++h[1][data[i + 1]];
        ++h[2][data[i + 2]];
        ++h[3][data[i + 3]];
    }
    for (; i < data.size(); ++i)
        ++h[0][data[i]];
    std::array<std::uint64_t, kCmpLeafCount> counts{};
    for (int v = 0; v < 256; ++v)
        counts[v] = h[0][v] + h[1][v] + h[2][v] + h[3][v];
    counts[kCmpEndSymbol] = 1;
    return counts;
}

// The decoding table, indexed by the next kLutBits bits of the code stream. An entry holds
// in its low 16 bits the byte value of a code that fits (below 256), kEndEntry for the end
// symbol's code, kNodeEntry | node for a longer code whose walk goes on from that node after
// kLutBits bits, or kBrokenEntry where the bits lead to an absent child; bits 16 … 23 hold
// the number of bits the entry uses.
constexpr int kLutBits = 12;
constexpr std::uint32_t kEndEntry = 256;
constexpr std::uint32_t kNodeEntry = 0x4000;
constexpr std::uint32_t kBrokenEntry = 0x8000;

// Beside it, the same kLutBits bits as up to two whole byte codes: the first byte in bits
// 0 … 7, the second in 8 … 15, the bits both use in 16 … 23 and their count (1 or 2) in
// 24 … 31; 0 where the first code is not a byte that fits.
struct DecodeTables {
    std::array<std::uint32_t, 1 << kLutBits> lut;
    std::array<std::uint32_t, 1 << kLutBits> pairs;
    int max_depth = 0;
};

// Fills the entries of every prefix that walks to `node` after `depth` bits, `prefix`
// being those bits.
void FillTable(const CmpTree& tree, DecodeTables& t, int node, int depth, std::uint32_t prefix) {
    const int span = 1 << (kLutBits - depth);
    const std::uint32_t first = prefix << (kLutBits - depth);
    const auto fill = [&](std::uint32_t value) {
        std::fill_n(t.lut.begin() + first, span, value | static_cast<std::uint32_t>(depth) << 16);
    };
    if (node < 0) return fill(kBrokenEntry);
    if (tree.nodes[node].leaf()) return fill(static_cast<std::uint32_t>(node)); // 0 … 255, or kEndEntry
    if (depth == kLutBits) return fill(kNodeEntry | static_cast<std::uint32_t>(node));
    FillTable(tree, t, tree.nodes[node].zero, depth + 1, prefix << 1);
    FillTable(tree, t, tree.nodes[node].one, depth + 1, prefix << 1 | 1);
}

// The pair table from the filled lookup table: the same 4,096 steps for every tree, whose
// comparisons tell a fuzzer nothing (raw pointers, as the checked subscripts would be
// instrumented functions of their own).
QEL_NO_COVERAGE void MakePairs(DecodeTables& t) {
    constexpr std::uint32_t kMask = (1u << kLutBits) - 1;
    const std::uint32_t* const lut = t.lut.data();
    std::uint32_t* const pairs = t.pairs.data();
    for (std::uint32_t i = 0; i <= kMask; ++i) {
        const std::uint32_t first = lut[i];
        const std::uint32_t first_length = first >> 16;
        if ((first & 0xFFFF) >= 256) {
            pairs[i] = 0;
            continue;
        }
        pairs[i] = (first & 0xFF) | first_length << 16 | 1u << 24;
        // The second code is whole only when it ends within the bits the index holds.
        const std::uint32_t second = lut[(i << first_length) & kMask];
        const std::uint32_t second_length = second >> 16;
        if ((second & 0xFFFF) < 256 && first_length + second_length <= kLutBits)
            pairs[i] = (first & 0xFF) | (second & 0xFF) << 8 | (first_length + second_length) << 16 | 2u << 24;
    }
}

DecodeTables MakeTables(const CmpTree& tree) {
    DecodeTables t;
    // The root is never a leaf, so every entry takes at least one bit.
    FillTable(tree, t, tree.nodes[tree.root].zero, 1, 0);
    FillTable(tree, t, tree.nodes[tree.root].one, 1, 1);
    for (const CmpCode& c : CmpCodes(tree))
        t.max_depth = std::max(t.max_depth, c.length);
    MakePairs(t);
    return t;
}

std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

constexpr auto kDecodedCap = static_cast<std::size_t>(kMaxDecodedBytes);

// Doubles the output buffer up to the cap on decoded bytes; false at the cap, where the
// stream is refused as broken (no picture is that large).
bool Grow(std::vector<std::uint8_t>& out) {
    if (out.size() >= kDecodedCap) return false;
    out.resize(std::min(out.size() * 2, kDecodedCap));
    return true;
}

// Hands the decoded bytes to the target: moved in whole when the target is empty (the usual
// case), written at its position otherwise.
void Deliver(std::vector<std::uint8_t>& out, std::size_t n, ByteStream& target) {
    out.resize(n);
    if (target.size() == 0 && target.position() == 0) {
        target.bytes() = std::move(out);
        target.Seek(n);
    } else {
        target.Write(out);
    }
}

} // namespace

int EncodeCmpStream(ByteStream& source, ByteStream& target, base::Reporter& reporter) {
    source.Seek(0);
    const std::span<const std::uint8_t> payload = source.remaining();
    const std::array<std::uint16_t, 256> table = ScaleCmpFrequencies(CountBytes(payload));
    WriteCmpTable(table, target);
    CmpTree tree;
    ResetCmpTree(tree, table);
    if (!BuildCmpTree(tree)) {
        reporter.ShowMessage(kCmpTreeBrokenText, kCmpEncodeCaption);
        return -1;
    }
    const std::array<CmpCode, kCmpLeafCount> codes = CmpCodes(tree);
    std::vector<std::uint8_t> out;
    out.reserve(payload.size() + payload.size() / 8 + 64);
    BitWriter writer(out);
    for (const std::uint8_t b : payload)
        writer.Put(codes[b].value, codes[b].length);
    writer.Put(codes[kCmpEndSymbol].value, codes[kCmpEndSymbol].length);
    writer.Flush();
    source.Seek(source.size());
    target.Write(out);
    target.Seek(0);
    return 0;
}

int DecodeCmpStream(ByteStream& source, ByteStream& target, base::Reporter& reporter) {
    CmpTree tree;
    ResetCmpTree(tree, ReadCmpTable(source));
    if (!BuildCmpTree(tree)) {
        reporter.ShowMessage(kCmpTreeBrokenText, kCmpDecodeCaption);
        return -1;
    }
    const DecodeTables tables = MakeTables(tree);
    const std::span<const std::uint8_t> code = source.remaining();
    const std::uint8_t* const begin = code.data();
    const std::uint8_t* p = begin;
    const std::uint8_t* const end = begin + code.size();

    // Room for the output, grown while decoding; most pictures come out a little larger
    // than their code stream.
    std::vector<std::uint8_t> out(std::min(code.size() + code.size() / 4 + 4096, kDecodedCap));
    std::size_t n = 0;

    std::size_t bit_pos = 0; // where the bit-by-bit part starts
    int result = 1;          // 1 while undecided, 0 at the end symbol, -1 for a broken stream

    // Fast part: while eight bytes can be loaded at once the buffer is refilled to at least
    // 56 bits, and symbols are taken from it while it holds more bits than the longest code.
    std::uint64_t buf = 0;
    int bits = 0;
    const int max_depth = tables.max_depth;
    // Every lookup then reads only bits of the stream, never the zeros after them.
    const int lookahead = std::max(max_depth, kLutBits);
    if (max_depth <= 56) {
        while (end - p >= 8) {
            buf |= LoadBigEndian64(p) >> bits;
            p += (63 - bits) >> 3;
            bits |= 56;
            if (out.size() - n < 64 && !Grow(out)) {
                result = -1;
                break;
            }
            std::uint8_t* o = out.data() + n;
            while (bits >= lookahead) {
                const std::uint32_t pair = tables.pairs[buf >> (64 - kLutBits)];
                if (pair != 0) {
                    // One or two bytes at once; the second is written in any case and
                    // counted only when it is there (the buffer has room to spare).
                    const int length = static_cast<int>(pair >> 16 & 0xFF);
                    o[0] = static_cast<std::uint8_t>(pair);
                    o[1] = static_cast<std::uint8_t>(pair >> 8);
                    o += pair >> 24;
                    buf <<= length;
                    bits -= length;
                    continue;
                }
                const std::uint32_t e = tables.lut[buf >> (64 - kLutBits)];
                const int length = static_cast<int>(e >> 16);
                buf <<= length;
                bits -= length;
                std::uint32_t symbol = e & 0xFFFF;
                if (symbol < 256) {
                    *o++ = static_cast<std::uint8_t>(symbol);
                    continue;
                }
                if (symbol & kNodeEntry) {
                    int node = static_cast<int>(symbol & ~kNodeEntry);
                    while (node >= 0 && !tree.nodes[node].leaf()) {
                        const int bit = static_cast<int>(buf >> 63);
                        buf <<= 1;
                        --bits;
                        node = bit ? tree.nodes[node].one : tree.nodes[node].zero;
                    }
                    symbol = node < 0 ? kBrokenEntry : static_cast<std::uint32_t>(node);
                    if (symbol < 256) {
                        *o++ = static_cast<std::uint8_t>(symbol);
                        continue;
                    }
                }
                result = symbol == kEndEntry ? 0 : -1;
                break;
            }
            n = static_cast<std::size_t>(o - out.data());
            if (result != 1) break;
        }
    }
    bit_pos = static_cast<std::size_t>(p - begin) * 8 - static_cast<std::size_t>(bits);

    // The last bytes, bit by bit from the exact position the fast part reached.
    const std::size_t bit_end = code.size() * 8;
    while (result == 1) {
        int node = tree.root;
        while (node >= 0 && !tree.nodes[node].leaf()) {
            if (bit_pos >= bit_end) {
                node = -1;
                break;
            }
            const int bit = (begin[bit_pos / 8] >> (7 - bit_pos % 8)) & 1;
            ++bit_pos;
            node = bit ? tree.nodes[node].one : tree.nodes[node].zero;
        }
        if (node < 0) {
            result = -1;
        } else if (node == kCmpEndSymbol) {
            result = 0;
        } else if (n == out.size() && !Grow(out)) {
            result = -1;
        } else {
            out[n++] = static_cast<std::uint8_t>(node);
        }
    }

    source.Seek(source.position() + (bit_pos + 7) / 8);
    Deliver(out, n, target);
    if (result != 0) {
        reporter.ShowMessage(kCmpBrokenInputText, kCmpDecodeCaption);
        return -1;
    }
    target.Seek(0);
    return 0;
}

} // namespace pictures
