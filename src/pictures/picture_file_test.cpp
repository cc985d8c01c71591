// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_image.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_file.h"
#include "pictures/picture_limits.h"
#include "pictures/picture_shrink.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace pictures {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class PictureFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qel_pictures_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static Bitmap Sample() {
        Bitmap b;
        b.width = 21;
        b.height = 13;
        for (int i = 0; i < 21 * 13; ++i)
            b.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8));
        return b;
    }

    fs::path dir_;
    base::RecordingReporter reporter_;
};

TEST_F(PictureFileTest, CmpFileDecodesToTheExactBmpImage) {
    const Bitmap sample = Sample();
    const Bytes bmp = EncodeBmpImage(sample);
    ASSERT_TRUE(WriteFileBytes(dir_ / "in.bmp", bmp));
    ASSERT_TRUE(MakeCmpFile(dir_ / "in.bmp", dir_ / "歳時記01.cmp", reporter_));
    ByteStream source(*ReadFileBytes(dir_ / "歳時記01.cmp", 1 << 20)), payload;
    ASSERT_EQ(DecodeCmpStream(source, payload, reporter_), 0);
    EXPECT_EQ(payload.bytes(), bmp);
    const auto loaded = LoadPictureFile(dir_, "歳時記01.cmp", reporter_);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->pixels, sample.pixels);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(PictureFileTest, MakesCmpFromJpegWhateverTheExtensionCase) {
    ASSERT_TRUE(WriteFileBytes(dir_ / "photo.JPG", EncodeJpegImage(Sample(), 90)));
    ASSERT_TRUE(MakeCmpFile(dir_ / "photo.JPG", dir_ / "BP13.cmp", reporter_));
    const auto loaded = LoadCmpFile(dir_ / "BP13.cmp", reporter_);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->width, 21);
    EXPECT_EQ(loaded->height, 13);
}

TEST_F(PictureFileTest, PicturesThatCannotBeHadAreReportedOnce) {
    // Missing file.
    EXPECT_FALSE(LoadPictureFile(dir_, "missing.cmp", reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_EQ(reporter_.messages()[0].caption, kReadErrorCaption);
    reporter_.clear();

    // A named pipe in the picture's place: refused at once.
    ASSERT_EQ(::mkfifo((dir_ / "pipe.cmp").c_str(), 0644), 0);
    EXPECT_FALSE(LoadPictureFile(dir_, "pipe.cmp", reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    reporter_.clear();

    // Empty name.
    EXPECT_FALSE(LoadPictureFile(dir_, "", reporter_));
    EXPECT_EQ(reporter_.messages().size(), 1u);
    reporter_.clear();

    // A broken .cmp: only the codec's message.
    ASSERT_TRUE(WriteFileBytes(dir_ / "cut.cmp", Bytes(300, 0)));
    EXPECT_FALSE(LoadPictureFile(dir_, "cut.cmp", reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_EQ(reporter_.messages()[0].text, std::string(kCmpBrokenInputText) + "\r" + (dir_ / "cut.cmp").string());
    EXPECT_EQ(reporter_.messages()[0].caption, kCmpDecodeCaption);
    reporter_.clear();

    // A file larger than any picture file is refused before it is read (a sparse file: no
    // disk is spent on it).
    {
        std::ofstream(dir_ / "huge.cmp");
        fs::resize_file(dir_ / "huge.cmp", static_cast<std::uintmax_t>(kMaxPictureFileBytes) + 1);
    }
    EXPECT_FALSE(LoadPictureFile(dir_, "huge.cmp", reporter_));
    EXPECT_FALSE(MakeCmpFile(dir_ / "huge.cmp", dir_ / "out.cmp", reporter_));
    ASSERT_EQ(reporter_.messages().size(), 2u);
    EXPECT_NE(reporter_.messages()[0].text.find((dir_ / "huge.cmp").string() + ": larger than"), std::string::npos)
        << reporter_.messages()[0].text;
    reporter_.clear();

    // A good .cmp whose payload is not a bitmap.
    ByteStream text(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'}), cmp;
    ASSERT_EQ(EncodeCmpStream(text, cmp, reporter_), 0);
    ASSERT_TRUE(WriteFileBytes(dir_ / "text.cmp", cmp.bytes()));
    EXPECT_FALSE(LoadPictureFile(dir_, "text.cmp", reporter_));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_EQ(reporter_.messages()[0].text.rfind(kReadErrorText, 0), 0u);
    reporter_.clear();

    // Making a .cmp from something that is no picture writes nothing.
    ASSERT_TRUE(WriteFileBytes(dir_ / "notes.bmp", Bytes{'h', 'i'}));
    EXPECT_FALSE(MakeCmpFile(dir_ / "notes.bmp", dir_ / "out.cmp", reporter_));
    EXPECT_FALSE(fs::exists(dir_ / "out.cmp"));
    EXPECT_EQ(reporter_.messages().size(), 1u);
}

// A picture is imported at no more pixels than the largest paper prints at 600 dpi; its
// proportions are kept and its colours averaged.
TEST_F(PictureFileTest, ImportedPicturesAreShrunkToThePaper) {
    Bitmap wide;
    wide.width = kImportLongSide * 2 + 1;
    wide.height = 3;
    wide.pixels.assign(static_cast<std::size_t>(wide.width) * wide.height, 0xFF000000u);
    for (int x = 0; x < wide.width; x += 2) wide.pixels[static_cast<std::size_t>(x)] = 0xFFFFFFFFu;
    ASSERT_TRUE(WriteFileBytes(dir_ / "wide.bmp", EncodeBmpImage(wide)));
    ASSERT_TRUE(MakeCmpFile(dir_ / "wide.bmp", dir_ / "wide.cmp", reporter_));
    const std::optional<Bitmap> made = LoadCmpFile(dir_ / "wide.cmp", reporter_);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->width, kImportLongSide);
    EXPECT_EQ(made->height, 1);
    // Each new pixel averages two columns and three rows: one white pixel in six.
    EXPECT_EQ(made->at(100, 0) & 0xFF, (255u + 3) / 6);

    // A picture that fits is kept as it is; a tall one is bounded the other way round.
    EXPECT_EQ(ShrinkToFit(Sample(), kImportLongSide, kImportShortSide).pixels, Sample().pixels);
    Bitmap tall;
    tall.width = kImportShortSide + 100;
    tall.height = 2;
    tall.pixels.assign(static_cast<std::size_t>(tall.width) * tall.height, 0xFF123456u);
    const Bitmap shrunk = ShrinkToFit(tall, kImportLongSide, kImportShortSide);
    EXPECT_EQ(shrunk.width, kImportShortSide + 100) << "its long side fits the paper's long side";
    EXPECT_EQ(ShrinkToFit(tall, 1000, 500).width, 1000);
    EXPECT_EQ(ShrinkToFit(tall, 1000, 500).at(3, 0), 0xFF123456u);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(PictureFileTest, LoadsByExtensionInAnyCase) {
    ASSERT_TRUE(WriteFileBytes(dir_ / "a.BMP", EncodeBmpImage(Sample())));
    ASSERT_TRUE(WriteFileBytes(dir_ / "b.Jpeg", EncodeJpegImage(Sample(), 90)));
    ASSERT_TRUE(WriteFileBytes(dir_ / "c.txt", Bytes{'x'}));
    EXPECT_TRUE(LoadPictureByExtension(dir_ / "a.BMP", reporter_));
    EXPECT_TRUE(LoadPictureByExtension(dir_ / "b.Jpeg", reporter_));
    EXPECT_FALSE(LoadPictureByExtension(dir_ / "c.txt", reporter_));
    EXPECT_TRUE(reporter_.messages().empty());
    EXPECT_FALSE(IsPictureExtension(dir_ / "c.txt"));
    EXPECT_TRUE(IsPictureExtension(dir_ / "d.CmP"));
}

} // namespace
} // namespace pictures
