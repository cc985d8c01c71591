// The .cmp encoder and the table-driven decoder.

#include "pictures/cmp_codec.h"
#include "pictures/cmp_table.h"
#include "pictures/cmp_tree.h"

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
    for (; i < data.size(); ++i) ++h[0][data[i]];
    std::array<std::uint64_t, kCmpLeafCount> counts{};
    for (int v = 0; v < 256; ++v) counts[v] = h[0][v] + h[1][v] + h[2][v] + h[3][v];
    counts[kCmpEndSymbol] = 1;
    return counts;
}

// One entry of the decoding table, indexed by the next kLutBits bits of the code stream.
constexpr int kLutBits = 11;
enum class LutKind : std::uint8_t { kLeaf, kNode, kBroken };
struct LutEntry {
    std::int16_t value = 0; // the symbol of a leaf, the node reached after kLutBits bits
    std::uint8_t length = 0;
    LutKind kind = LutKind::kBroken;
};

struct DecodeTables {
    std::array<LutEntry, 1 << kLutBits> lut;
    int max_depth = 0;
};

DecodeTables MakeTables(const CmpTree& tree) {
    DecodeTables t;
    for (int prefix = 0; prefix < (1 << kLutBits); ++prefix) {
        LutEntry e;
        int node = tree.root;
        for (int i = 0; i < kLutBits; ++i) {
            const int bit = (prefix >> (kLutBits - 1 - i)) & 1;
            node = bit ? tree.nodes[node].one : tree.nodes[node].zero;
            e.length = static_cast<std::uint8_t>(i + 1);
            if (node < 0) {
                e.kind = LutKind::kBroken;
                break;
            }
            if (tree.nodes[node].leaf()) {
                e.kind = LutKind::kLeaf;
                e.value = static_cast<std::int16_t>(node);
                break;
            }
            e.kind = LutKind::kNode;
            e.value = static_cast<std::int16_t>(node);
        }
        t.lut[prefix] = e;
    }
    for (const CmpCode& c : CmpCodes(tree)) t.max_depth = std::max(t.max_depth, c.length);
    return t;
}

std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

// Output buffer written through a raw pointer, grown by doubling.
class Output {
public:
    explicit Output(std::size_t guess) : buf_(std::max<std::size_t>(guess, 4096)) {}
    void Put(std::uint8_t b) {
        if (n_ == buf_.size()) buf_.resize(buf_.size() * 2);
        buf_[n_++] = b;
    }
    std::span<const std::uint8_t> bytes() const { return std::span<const std::uint8_t>(buf_).first(n_); }

private:
    std::vector<std::uint8_t> buf_;
    std::size_t n_ = 0;
};

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
    for (const std::uint8_t b : payload) writer.Put(codes[b].value, codes[b].length);
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
    Output out(code.size() * 2);

    auto broken = [&] {
        target.Write(out.bytes());
        source.Seek(source.size());
        reporter.ShowMessage(kCmpBrokenInputText, kCmpDecodeCaption);
        return -1;
    };

    // Fast part: while eight bytes can be loaded at once, the buffer always holds at least
    // 56 bits, more than any code of a tree whose frequencies fit 16 bits.
    std::uint64_t buf = 0;
    int bits = 0;
    const bool fast = tables.max_depth <= 56;
    while (fast) {
        if (bits < tables.max_depth) {
            if (end - p < 8) break;
            buf |= LoadBigEndian64(p) >> bits;
            p += (63 - bits) >> 3;
            bits |= 56;
        }
        const LutEntry e = tables.lut[buf >> (64 - kLutBits)];
        buf <<= e.length;
        bits -= e.length;
        int node = e.value;
        if (e.kind == LutKind::kBroken) return broken();
        if (e.kind == LutKind::kNode) {
            while (!tree.nodes[node].leaf()) {
                const int bit = static_cast<int>(buf >> 63);
                buf <<= 1;
                --bits;
                node = bit ? tree.nodes[node].one : tree.nodes[node].zero;
                if (node < 0) return broken();
            }
        }
        if (node == kCmpEndSymbol) {
            target.Write(out.bytes());
            source.Seek(source.position() + (static_cast<std::size_t>(p - begin) * 8 - static_cast<std::size_t>(bits) + 7) / 8);
            target.Seek(0);
            return 0;
        }
        out.Put(static_cast<std::uint8_t>(node));
    }

    // The last bytes, bit by bit from the exact position the fast part reached.
    std::size_t bit_pos = static_cast<std::size_t>(p - begin) * 8 - static_cast<std::size_t>(bits);
    const std::size_t bit_end = code.size() * 8;
    for (;;) {
        int node = tree.root;
        while (!tree.nodes[node].leaf()) {
            if (bit_pos >= bit_end) return broken();
            const int bit = (begin[bit_pos / 8] >> (7 - bit_pos % 8)) & 1;
            ++bit_pos;
            node = bit ? tree.nodes[node].one : tree.nodes[node].zero;
            if (node < 0) return broken();
        }
        if (node == kCmpEndSymbol) break;
        out.Put(static_cast<std::uint8_t>(node));
    }
    target.Write(out.bytes());
    source.Seek(source.position() + (bit_pos + 7) / 8);
    target.Seek(0);
    return 0;
}

} // namespace pictures
