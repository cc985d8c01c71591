// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/picture_choice.h"

#include "config/test_folder.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using config::testing::TestFolder;
using config::testing::WriteBytes;

TEST(CheckChosenCmp, ExtensionInAnyCaseInTheDataFolder) {
    TestFolder root;
    fs::create_directory(root / "pics");
    WriteBytes(root / "pics" / "X.CMP", "x");
    const ChosenPicture upper = CheckChosenCmp(root / "pics" / "X.CMP", root / "pics");
    EXPECT_EQ(upper.name, "X.CMP");
    EXPECT_TRUE(upper.error.empty());
    // A trailing separator on the folder changes nothing.
    EXPECT_EQ(CheckChosenCmp(root / "pics" / "X.CMP", (root / "pics").string() + "/").name, "X.CMP");

    const ChosenPicture bmp = CheckChosenCmp(root / "pics" / "x.bmp", root / "pics");
    EXPECT_EQ(bmp.error, kWrongExtension);
    EXPECT_TRUE(bmp.name.empty());
}

TEST(CheckChosenCmp, FoldersAreComparedAsWholePaths) {
    TestFolder root;
    fs::create_directories(root / "pics" / "old");
    fs::create_directory(root / "pics2");
    fs::create_directory(root / "other");
    // A folder whose name only begins with the data folder's name is another folder.
    EXPECT_EQ(CheckChosenCmp(root / "pics2" / "x.cmp", root / "pics").error, kWrongFolder);
    EXPECT_EQ(CheckChosenCmp(root / "other" / "x.cmp", root / "pics").error, kWrongFolder);
    EXPECT_EQ(CheckChosenCmp(root / "pics" / ".." / "other" / "x.cmp", root / "pics").error, kWrongFolder);
    // A subfolder is stored with its relative path, so the picture is found again.
    const ChosenPicture sub = CheckChosenCmp(root / "pics" / "old" / "x.cmp", root / "pics");
    EXPECT_TRUE(sub.error.empty());
    EXPECT_EQ(sub.name, "old/x.cmp");
}

TEST(CheckChosenCmp, LinksAreFollowed) {
    TestFolder root;
    fs::create_directory(root / "pics");
    fs::create_directory_symlink(root / "pics", root / "link");
    WriteBytes(root / "pics" / "a.cmp", "x");
    EXPECT_EQ(CheckChosenCmp(root / "link" / "a.cmp", root / "pics").name, "a.cmp");
    EXPECT_EQ(CheckChosenCmp(root / "pics" / "a.cmp", root / "link").name, "a.cmp");
}

TEST(NextNewPicturePath, TakesTheFirstFreeNumberFrom13) {
    TestFolder folder;
    EXPECT_EQ(NextNewPicturePath(folder.path()), folder / "BP13.cmp");
    WriteBytes(folder / "BP13.cmp", "x");
    EXPECT_EQ(NextNewPicturePath(folder.path()), folder / "BP14.cmp");
    WriteBytes(folder / "BP14.cmp", "x");
    WriteBytes(folder / "BP16.cmp", "x");
    EXPECT_EQ(NextNewPicturePath(folder.path()), folder / "BP15.cmp");
}

TEST(NewCmpPathFor, GoesIntoTheDataFolder) {
    EXPECT_EQ(NewCmpPathFor("/somewhere/else/spring.bmp", "/data"), fs::path("/data/spring.cmp"));
    EXPECT_EQ(NewCmpPathFor("/x/Photo.JPG", "/data"), fs::path("/data/Photo.cmp"));
}

TEST(MarginText, TwoKanjiCharacters) {
    EXPECT_EQ(MarginText(0), "　○");
    EXPECT_EQ(MarginText(5), "　五");
    EXPECT_EQ(MarginText(10), "一○");
    EXPECT_EQ(MarginText(25), "二五");
    EXPECT_EQ(MarginText(40), "四○");
    EXPECT_EQ(MarginText(99), "九九");
    EXPECT_EQ(MarginText(105), "一○五");
    EXPECT_EQ(MarginText(-3), "　○");
}

TEST(MonthName, KanjiNumeralAndMonth) {
    EXPECT_EQ(MonthName(1), "一月");
    EXPECT_EQ(MonthName(12), "十二月");
}

} // namespace
} // namespace dialogs
