// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_image.h"
#include "pictures/commentary_db.h"
#include "pictures/commentary_db_writer.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace pictures {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

IndexRecord Record(std::string_view cp932_name, int type, std::initializer_list<int> blocks, bool hidden = false) {
    IndexRecord r;
    std::copy(cp932_name.begin(), cp932_name.end(), r.raw.begin());
    r.raw[kIndexHiddenAt] = hidden ? 1 : 0;
    r.raw[kIndexTypeAt] = static_cast<std::uint8_t>(type);
    std::size_t slot = 0;
    for (const int b : blocks) {
        r.raw[kIndexBlocksAt + 2 * slot] = static_cast<std::uint8_t>(b & 0xFF);
        r.raw[kIndexBlocksAt + 2 * slot + 1] = static_cast<std::uint8_t>((b >> 8) & 0xFF);
        ++slot;
    }
    return r;
}

Bytes IndexBytes(std::initializer_list<IndexRecord> records) {
    Bytes b;
    for (const auto& r : records)
        b.insert(b.end(), r.raw.begin(), r.raw.end());
    return b;
}

class CommentaryDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qel_cdb_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path Data() const { return dir_ / std::string(kCommentaryDataFile); }
    fs::path Index() const { return dir_ / std::string(kCommentaryIndexFile); }

    // A data file whose block n (1-based) is filled with the byte n.
    void WriteBlocks(int count, std::size_t last_block_size = kDataBlockSize) {
        Bytes d;
        for (int n = 1; n <= count; ++n)
            d.insert(d.end(), n == count ? last_block_size : kDataBlockSize, static_cast<std::uint8_t>(n));
        ASSERT_TRUE(WriteFileBytes(Data(), d));
    }

    fs::path dir_;
    base::RecordingReporter reporter_;
};

TEST_F(CommentaryDbTest, IndexIgnoresPartialRecordAndFindsLargestBlock) {
    Bytes b = IndexBytes({Record("a", 0, {3, 9}), Record("b", 1, {-4, 700})});
    b.resize(b.size() + 100, 0xEE);
    const CommentaryIndex index = ParseCommentaryIndex(b);
    EXPECT_EQ(index.records.size(), 2u);
    EXPECT_EQ(index.largest_block, 700);
    // Far more records than the 1024 the original table held.
    Bytes many;
    for (int i = 0; i < 3000; ++i) {
        const IndexRecord r = Record("kou" + std::to_string(i), 1, {i + 1});
        many.insert(many.end(), r.raw.begin(), r.raw.end());
    }
    const CommentaryIndex big = ParseCommentaryIndex(many);
    EXPECT_EQ(big.records.size(), 3000u);
    EXPECT_NE(FindEntry(big, "KOU2999"), nullptr);
}

TEST_F(CommentaryDbTest, FindIgnoresAsciiCaseAndStopsAtHiddenEntries) {
    // 表 is 0x95 0x5C and ポ is 0x83 0x7C; the trail byte of ア (0x83 0x41) looks like 'A'.
    const std::string hyou = "\x95\x5C";
    const std::string a_kana = "\x83\x41";
    const std::string ti_kana = "\x83\x61"; // チ: trail byte looks like 'a'
    const CommentaryIndex index = ParseCommentaryIndex(IndexBytes({
        Record("KOU05.JPG", 1, {1}),
        Record("kou06.jpg", 1, {2}, true),
        Record("kou06.jpg", 1, {3}),
        Record(hyou + "x", 0, {4}),
        Record(a_kana, 0, {5}),
    }));
    ASSERT_NE(FindEntry(index, "kou05.jpg"), nullptr);
    EXPECT_EQ(FindEntry(index, "kou05.jpg")->block(0), 1);
    EXPECT_EQ(FindEntry(index, "kou06.jpg"), nullptr); // the hidden one is first
    EXPECT_NE(FindEntry(index, "表X"), nullptr);
    EXPECT_NE(FindEntry(index, "ア"), nullptr);
    EXPECT_EQ(FindEntry(index, "チ"), nullptr);
    EXPECT_FALSE(EntryNamesEqual(a_kana, ti_kana));
    EXPECT_EQ(FindEntry(index, "kou05"), nullptr);
    EXPECT_EQ(FindEntry(CommentaryIndex{}, "kou05.jpg"), nullptr);
}

TEST_F(CommentaryDbTest, NameFillingAllBytesIsBounded) {
    IndexRecord r;
    std::fill(r.raw.begin(), r.raw.begin() + 40, 'z');
    EXPECT_EQ(r.name().size(), kIndexNameSize);
}

TEST_F(CommentaryDbTest, ReadSkipsEmptySlotsAndStopsAtShortReads) {
    WriteBlocks(5, 100);
    const auto data = ReadEntryData(Data(), Record("x", 0, {2, 0, -3, 4, 1}));
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), 3 * kDataBlockSize);
    EXPECT_EQ((*data)[0], 2);
    EXPECT_EQ((*data)[kDataBlockSize], 4);
    EXPECT_EQ((*data)[2 * kDataBlockSize], 1);

    // The short last block ends the reading; the slots after it are not read.
    const auto cut = ReadEntryData(Data(), Record("x", 0, {1, 5, 2}));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), kDataBlockSize + 100);

    // A block past the end of the file ends it cleanly.
    const auto past = ReadEntryData(Data(), Record("x", 0, {3, 32767, 1}));
    ASSERT_TRUE(past);
    EXPECT_EQ(past->size(), kDataBlockSize);

    EXPECT_FALSE(ReadEntryData(dir_ / "none.DAT", Record("x", 0, {1})));
}

TEST_F(CommentaryDbTest, ANamedPipeInPlaceOfTheDataFileIsRefusedNotWaitedOn) {
    ASSERT_EQ(::mkfifo(Data().c_str(), 0644), 0);
    EXPECT_FALSE(ReadEntryData(Data(), Record("x", 0, {1})));
    const CommentaryIndex index = ParseCommentaryIndex(IndexBytes({Record("a", 0, {1})}));
    EXPECT_FALSE(LoadEntryPicture(Data(), "a", index, reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_NE(reporter_.messages()[0].text.find("not a regular file"), std::string::npos);

    fs::remove(Data());
    ASSERT_EQ(::mkfifo(Index().c_str(), 0644), 0);
    EXPECT_FALSE(OpenCommentaryIndex(Index()));
}

TEST_F(CommentaryDbTest, WriterAndLoaderRoundTrip) {
    Bitmap pic;
    pic.width = 120;
    pic.height = 90;
    for (int i = 0; i < 120 * 90; ++i)
        pic.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 40503u));
    const Bytes cmp = MakeCmpImage(pic, reporter_);
    const std::vector<CommentaryEntry> entries = {
        {"kou01.jpg", 1, EncodeJpegImage(pic, 90), false},
        {"kou02.jpg", 0, cmp, false},
        {"立春", 5, cmp, false},
        {"odd", 9, Bytes(10, 1), false},
        {"meta", 2, Bytes(10, 1), false},
        {"secret", 0, cmp, true},
        {"empty", 1, {}, false},
    };
    ASSERT_TRUE(WriteCommentaryDatabase(dir_, entries, reporter_) == false); // type 9 is refused
    EXPECT_EQ(reporter_.messages().size(), 1u);
    reporter_.clear();
    EXPECT_FALSE(fs::exists(Index()));

    std::vector<CommentaryEntry> good(entries.begin(), entries.end());
    good.erase(good.begin() + 3);
    ASSERT_TRUE(WriteCommentaryDatabase(dir_, good, reporter_));
    EXPECT_EQ(fs::file_size(Data()) % kDataBlockSize, 0u);
    const auto index = OpenCommentaryIndex(Index());
    ASSERT_TRUE(index);
    ASSERT_EQ(index->records.size(), good.size());

    const auto jpg = LoadEntryPicture(Data(), "KOU01.JPG", *index, reporter_);
    ASSERT_TRUE(jpg);
    EXPECT_EQ(jpg->type, 1);
    EXPECT_EQ(jpg->bitmap.width, 120);
    const auto compressed = LoadEntryPicture(Data(), "kou02.jpg", *index, reporter_);
    ASSERT_TRUE(compressed);
    EXPECT_EQ(compressed->bitmap.pixels, pic.pixels);
    EXPECT_TRUE(LoadEntryPicture(Data(), "立春", *index, reporter_));
    EXPECT_TRUE(reporter_.messages().empty());

    EXPECT_FALSE(LoadEntryPicture(Data(), "secret", *index, reporter_));
    EXPECT_FALSE(LoadEntryPicture(Data(), "nothing", *index, reporter_));
    EXPECT_TRUE(reporter_.messages().empty());

    EXPECT_FALSE(LoadEntryPicture(Data(), "meta", *index, reporter_));
    EXPECT_FALSE(LoadEntryPicture(Data(), "empty", *index, reporter_));
    EXPECT_EQ(reporter_.messages().size(), 2u);
}

TEST_F(CommentaryDbTest, TypeAboveFiveShowsInvalidPicType) {
    WriteBlocks(1);
    const CommentaryIndex index = ParseCommentaryIndex(IndexBytes({Record("kou07.jpg", 6, {1})}));
    EXPECT_FALSE(LoadEntryPicture(Data(), "kou07.jpg", index, reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    // The entry's name is the caption, and in the body too, under the message.
    EXPECT_EQ(reporter_.messages()[0].text, std::string(kInvalidPicTypeText) + "\rkou07.jpg");
    EXPECT_EQ(reporter_.messages()[0].caption, "kou07.jpg");
}

TEST_F(CommentaryDbTest, WriterRefusesOversizedEntriesAndLongNames) {
    EXPECT_FALSE(WriteCommentaryDatabase(dir_, std::vector<CommentaryEntry>{{"big", 1, Bytes(101 * kDataBlockSize, 0)}},
                                         reporter_));
    EXPECT_FALSE(WriteCommentaryDatabase(dir_, std::vector<CommentaryEntry>{{std::string(33, 'n'), 1, {}}}, reporter_));
    EXPECT_TRUE(WriteCommentaryDatabase(dir_, std::vector<CommentaryEntry>{{std::string(32, 'n'), 1, {}}}, reporter_));
    EXPECT_EQ(reporter_.messages().size(), 2u);
    EXPECT_EQ(EntryTypeForFileName("a.JPEG"), 1);
    EXPECT_EQ(EntryTypeForFileName("a.cmp"), 0);
    EXPECT_EQ(EntryTypeForFileName("a.txt"), -1);
}

} // namespace
} // namespace pictures
