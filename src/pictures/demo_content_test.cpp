// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/commentary_db.h"
#include "pictures/demo_content.h"
#include "pictures/picture_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace pictures {
namespace {

namespace fs = std::filesystem;

TEST(DemoContent, MonthAndPentadPicturesDiffer) {
    const Bitmap jan = DrawDemoMonthPicture(1), aug = DrawDemoMonthPicture(8);
    EXPECT_EQ(jan.width, kDemoMonthWidth);
    EXPECT_EQ(jan.height, kDemoMonthHeight);
    EXPECT_GE(std::max(jan.width, jan.height), 1200);
    EXPECT_NE(jan.pixels, aug.pixels);
    EXPECT_NE(DrawDemoPentadPicture(1).pixels, DrawDemoPentadPicture(2).pixels);
    EXPECT_EQ(DemoMonthPictureName(3), "歳時記03.cmp");
}

double Luminance(std::uint32_t p) { return 0.299 * (p >> 16 & 0xFF) + 0.587 * (p >> 8 & 0xFF) + 0.114 * (p & 0xFF); }

struct RegionLight {
    double mean = 0;
    double dark_share = 0; // of pixels below 200 (of 255)
};

RegionLight Light(const Bitmap& b, double from, double to) {
    RegionLight r;
    long long n = 0;
    for (int y = static_cast<int>(b.height * from); y < static_cast<int>(b.height * to); ++y) {
        for (int x = 0; x < b.width; ++x, ++n) {
            const double l = Luminance(b.at(x, y));
            r.mean += l;
            r.dark_share += l < 200;
        }
    }
    r.mean /= static_cast<double>(n);
    r.dark_share /= static_cast<double>(n);
    return r;
}

TEST(DemoContent, MonthPicturesArePaleUnderTheGridWithTheMotifAtTheBottom) {
    // Under the calendar the weekday heads and five rows of cells cover the upper five
    // sixths of the picture, the title block the last sixth.
    for (int month = 1; month <= 12; ++month) {
        const Bitmap b = DrawDemoMonthPicture(month);
        const RegionLight grid = Light(b, 0, 0.8), band = Light(b, 0.86, 1);
        EXPECT_GT(grid.mean, 232) << month;
        EXPECT_LT(grid.dark_share, 0.002) << month << ": nothing dark where the small notes are printed";
        EXPECT_LT(band.mean, grid.mean - 12) << month << ": the motif stands in the band";
        EXPECT_GT(band.dark_share, 0.08) << month;
    }
}

TEST(DemoContent, WritesAHostFolderThatLoads) {
    const fs::path dir = fs::temp_directory_path() / ("qel_demo_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    base::RecordingReporter reporter;
    ASSERT_TRUE(WriteDemoMonthPictures(dir, reporter));
    ASSERT_TRUE(WriteDemoCommentaryDatabase(dir, reporter));
    for (int month : {1, 12}) {
        const auto bmp = LoadPictureFile(dir, DemoMonthPictureName(month), reporter);
        ASSERT_TRUE(bmp);
        EXPECT_EQ(bmp->pixels, DrawDemoMonthPicture(month).pixels);
    }
    const auto index = OpenCommentaryIndex(dir / std::string(kCommentaryIndexFile));
    ASSERT_TRUE(index);
    EXPECT_EQ(index->records.size(), 72u);
    const fs::path data = dir / std::string(kCommentaryDataFile);
    for (int pentad : {1, 5, 72}) {
        char name[16];
        std::snprintf(name, sizeof name, "kou%02d.jpg", pentad);
        const auto picture = LoadEntryPicture(data, name, *index, reporter);
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->bitmap.width, kDemoPentadWidth);
    }
    EXPECT_TRUE(reporter.messages().empty());
    fs::remove_all(dir);
}

} // namespace
} // namespace pictures
