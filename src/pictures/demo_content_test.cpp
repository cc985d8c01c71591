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
