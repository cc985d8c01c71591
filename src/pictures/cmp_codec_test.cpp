// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/cmp_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace pictures {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Result {
    int status;
    Bytes bytes;
    std::vector<base::RecordingReporter::Message> messages;
};

Result Encode(const Bytes& payload) {
    ByteStream in(payload), out;
    base::RecordingReporter r;
    const int status = EncodeCmpStream(in, out, r);
    EXPECT_EQ(out.position(), 0u);
    return {status, out.bytes(), r.messages()};
}

template <int (*Decoder)(ByteStream&, ByteStream&, base::Reporter&)> Result DecodeWith(const Bytes& file) {
    ByteStream in(file), out;
    base::RecordingReporter r;
    const int status = Decoder(in, out, r);
    return {status, out.bytes(), r.messages()};
}

Result Decode(const Bytes& file) {
    return DecodeWith<DecodeCmpStream>(file);
}
Result DecodeReference(const Bytes& file) {
    return DecodeWith<DecodeCmpStreamReference>(file);
}

// The fast decoder must agree with the tree walk in status, bytes and messages.
void ExpectSameAsReference(const Bytes& file) {
    const Result fast = Decode(file);
    const Result ref = DecodeReference(file);
    ASSERT_EQ(fast.status, ref.status);
    ASSERT_EQ(fast.bytes, ref.bytes);
    ASSERT_EQ(fast.messages.size(), ref.messages.size());
    for (std::size_t i = 0; i < ref.messages.size(); ++i) {
        EXPECT_EQ(fast.messages[i].text, ref.messages[i].text);
        EXPECT_EQ(fast.messages[i].caption, ref.messages[i].caption);
    }
}

Bytes RandomBytes(std::mt19937& rng, std::size_t n, int alphabet) {
    std::uniform_int_distribution<int> d(0, alphabet - 1);
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(d(rng));
    return b;
}

TEST(CmpCodecExamples, EmptyPayload) {
    const Result r = Encode({});
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.bytes.size(), 513u);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(r.bytes[i], 0) << i;
    EXPECT_EQ(r.bytes[512], 0x80);
    const Result d = Decode(r.bytes);
    EXPECT_EQ(d.status, 0);
    EXPECT_TRUE(d.bytes.empty());
    EXPECT_TRUE(d.messages.empty());
}

TEST(CmpCodecExamples, Abc) {
    const Result r = Encode({'a', 'b', 'c'});
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.bytes.size(), 514u);
    for (int i = 0; i < 256; ++i) {
        const int expected = (i >= 0x61 && i <= 0x63) ? 1 : 0;
        EXPECT_EQ(r.bytes[2 * i], 0);
        EXPECT_EQ(r.bytes[2 * i + 1], expected) << i;
    }
    EXPECT_EQ(r.bytes[512], 0xE4);
    EXPECT_EQ(r.bytes[513], 0x00);
    EXPECT_EQ(Decode(r.bytes).bytes, (Bytes{'a', 'b', 'c'}));
}

TEST(CmpCodecExamples, HundredZeros) {
    const Result r = Encode(Bytes(100, 0));
    ASSERT_EQ(r.bytes.size(), 525u);
    EXPECT_EQ(r.bytes[0], 0x00);
    EXPECT_EQ(r.bytes[1], 0x64);
    for (int i = 512; i < 524; ++i)
        EXPECT_EQ(r.bytes[i], 0x00);
    EXPECT_EQ(r.bytes[524], 0x08);
    EXPECT_EQ(Decode(r.bytes).bytes, Bytes(100, 0));
}

TEST(CmpCodecExamples, ScalingKeepsRareBytes) {
    Bytes payload(200000, 0);
    payload.insert(payload.begin() + 1000, {1, 1});
    payload.push_back(1);
    const Result r = Encode(payload);
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.bytes[0], 0xC3);
    EXPECT_EQ(r.bytes[1], 0x50);
    EXPECT_EQ(r.bytes[2], 0x00);
    EXPECT_EQ(r.bytes[3], 0x01);
    EXPECT_EQ(Decode(r.bytes).bytes, payload);
    ExpectSameAsReference(r.bytes);
}

TEST(CmpCodecExamples, AppendedBytesAreIgnored) {
    const Bytes payload = {'h', 'e', 'l', 'l', 'o'};
    Bytes file = Encode(payload).bytes;
    file.insert(file.end(), {0xFF, 0x00, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE});
    const Result d = Decode(file);
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.bytes, payload);
}

TEST(CmpCodecErrors, TruncationAnywhereIsBrokenOnce) {
    std::mt19937 rng(7);
    const Bytes payload = RandomBytes(rng, 3000, 40);
    const Bytes file = Encode(payload).bytes;
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        const Bytes part(file.begin(), file.begin() + cut);
        const Result d = Decode(part);
        ASSERT_EQ(d.status, -1) << cut;
        ASSERT_EQ(d.messages.size(), 1u);
        EXPECT_EQ(d.messages[0].text, kCmpBrokenInputText);
        EXPECT_EQ(d.messages[0].caption, kCmpDecodeCaption);
        // What was decoded before the error is kept, and it is a prefix of the payload.
        ASSERT_LE(d.bytes.size(), payload.size());
        EXPECT_TRUE(std::equal(d.bytes.begin(), d.bytes.end(), payload.begin()));
        ExpectSameAsReference(part);
    }
}

TEST(CmpCodecErrors, AllZeroTableWithZeroBit) {
    Bytes file(512, 0);
    file.push_back(0x7F);
    const Result d = Decode(file);
    EXPECT_EQ(d.status, -1);
    ASSERT_EQ(d.messages.size(), 1u);
    EXPECT_EQ(d.messages[0].text, kCmpBrokenInputText);
    ExpectSameAsReference(file);
    // With a 1 bit first the same table is the empty payload.
    file.back() = 0x80;
    EXPECT_EQ(Decode(file).status, 0);
}

TEST(CmpCodecRoundTrip, RandomPayloads) {
    std::mt19937 rng(42);
    const std::size_t sizes[] = {0, 1, 2, 7, 8, 9, 255, 256, 4097, 65536, 100000, 1 << 20, 3 << 20};
    const int alphabets[] = {1, 2, 5, 17, 256};
    for (const std::size_t n : sizes) {
        for (const int a : alphabets) {
            const Bytes payload = RandomBytes(rng, n, a);
            const Result e = Encode(payload);
            ASSERT_EQ(e.status, 0);
            const Result d = Decode(e.bytes);
            ASSERT_EQ(d.status, 0) << n << " " << a;
            ASSERT_EQ(d.bytes, payload) << n << " " << a;
            if (n <= 100000) ExpectSameAsReference(e.bytes);
        }
    }
}

TEST(CmpCodecRoundTrip, RepeatedValuesAndSkewedDistributions) {
    for (int v : {0, 1, 0x7F, 0x80, 0xFF}) {
        const Bytes payload(70000, static_cast<std::uint8_t>(v));
        EXPECT_EQ(Decode(Encode(payload).bytes).bytes, payload) << v;
    }
    // Geometric frequencies give the deepest codes a 16-bit table allows.
    Bytes skewed;
    for (int v = 0; v < 21; ++v)
        skewed.insert(skewed.end(), std::size_t{1} << (20 - v), static_cast<std::uint8_t>(v));
    const Bytes file = Encode(skewed).bytes;
    EXPECT_EQ(Decode(file).bytes, skewed);
    ExpectSameAsReference(file);
}

TEST(CmpCodecRoundTrip, TargetWrittenFromItsPosition) {
    ByteStream in(Bytes{'x', 'y'});
    ByteStream out(Bytes{9, 9, 9});
    out.Seek(3);
    base::RecordingReporter r;
    ASSERT_EQ(EncodeCmpStream(in, out, r), 0);
    EXPECT_EQ(out.size(), 3u + 512u + 1u);
    EXPECT_EQ(out.bytes()[0], 9);
}

TEST(CmpCodecRoundTrip, DecodeWritesAtTheTargetsPosition) {
    const Bytes file = Encode({'p', 'q', 'r'}).bytes;
    for (auto decode : {DecodeCmpStream, DecodeCmpStreamReference}) {
        ByteStream in(file);
        ByteStream out(Bytes{1, 2, 3, 4, 5});
        out.Seek(2);
        base::RecordingReporter r;
        ASSERT_EQ(decode(in, out, r), 0);
        EXPECT_EQ(out.bytes(), (Bytes{1, 2, 'p', 'q', 'r'}));
        EXPECT_EQ(out.position(), 0u);
    }
}

TEST(CmpCodecFastDecoder, MatchesReferenceOnCraftedFiles) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 400; ++round) {
        // A random table (often sparse, sometimes with deep codes) and a random code stream.
        Bytes file(512, 0);
        const int used = std::uniform_int_distribution<int>(0, 256)(rng);
        for (int i = 0; i < used; ++i) {
            const int v = std::uniform_int_distribution<int>(0, 255)(rng);
            const int f = round % 3 == 0 ? 1 << std::uniform_int_distribution<int>(0, 15)(rng)
                                         : std::uniform_int_distribution<int>(0, 65535)(rng);
            file[2 * v] = static_cast<std::uint8_t>(f >> 8);
            file[2 * v + 1] = static_cast<std::uint8_t>(f);
        }
        const Bytes code = RandomBytes(rng, std::uniform_int_distribution<std::size_t>(0, 300)(rng), 256);
        file.insert(file.end(), code.begin(), code.end());
        ExpectSameAsReference(file);
    }
}

TEST(CmpCodecFastDecoder, MatchesReferenceOnMutatedFiles) {
    std::mt19937 rng(99);
    const Bytes payload = RandomBytes(rng, 20000, 64);
    const Bytes file = Encode(payload).bytes;
    for (int round = 0; round < 200; ++round) {
        Bytes m = file;
        const int flips = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int i = 0; i < flips; ++i) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, m.size() - 1)(rng);
            m[at] ^= static_cast<std::uint8_t>(1 << std::uniform_int_distribution<int>(0, 7)(rng));
        }
        ExpectSameAsReference(m);
    }
}

} // namespace
} // namespace pictures
