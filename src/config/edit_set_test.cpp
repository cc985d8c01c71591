// SPDX-License-Identifier: GPL-3.0-or-later
// Windows write edits, not snapshots: what they hand back is applied to the file as it is
// when written, so a change made meanwhile by another program stays.

#include "config/edit_set.h"

#include "config/holidays.h"
#include "config/settings.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>

namespace config {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

class EditSetTest : public ::testing::Test {
protected:
    Settings Load() { return LoadSettings(file_, folder_.path()); }

    TestFolder folder_;
    std::filesystem::path path_ = folder_ / "Kalvorin.CFG";
    base::RecordingReporter reporter_;
    ConfigFile file_{path_, &reporter_};
};

TEST_F(EditSetTest, EditsApplyToTheFileAsItIsWhenWritten) {
    WriteBytes(path_, "[PRINT]\r\nTESTSize=3\r\n[2026]\r\nHOLIDAY6=01\r\n");
    EditSet edits;
    edits.Set("PRINT", "TESTSize", "2");
    edits.Rewrite("2026", "HOLIDAY6", [](const std::optional<std::string>& now) { return now.value_or("") + "30"; });
    edits.Rewrite("2026", "HOLIDAY7", [](const std::optional<std::string>& now) { return now ? "had" : "new"; });
    // Another program writes after the edits were made and before they are written.
    WriteBytes(path_, "; host\r\n[PRINT]\r\nTESTSize=3\r\nBMPPrintSize=3\r\n[2026]\r\nHOLIDAY6=0115\r\n");
    ASSERT_TRUE(edits.WriteTo(file_));
    EXPECT_EQ(ReadBytes(path_), "; host\r\n[PRINT]\r\nTESTSize=2\r\nBMPPrintSize=3\r\n[2026]\r\nHOLIDAY6=011530\r\n"
                                "HOLIDAY7=new\r\n");
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(EditSetTest, NoEditLeavesTheFileUntouchedAndARefusedEditWritesNothing) {
    // Nothing to write: the file is not even made.
    EXPECT_TRUE(EditSet().WriteTo(file_));
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_TRUE(reporter_.messages().empty());

    const std::string stored = "[PRINT]\r\nBMP1=a.cmp\r\n";
    WriteBytes(path_, stored);
    EditSet fixed;
    fixed.Set("PRINT", "BMP2", "b.cmp");
    fixed.Set("PRINT", "BMP3", "😀.cmp");
    EXPECT_FALSE(fixed.WriteTo(file_));
    EditSet made;
    made.Set("PRINT", "BMP2", "b.cmp");
    made.Rewrite("PRINT", "BMP1", [](const std::optional<std::string>&) { return "line\nbreak"; });
    EXPECT_FALSE(made.WriteTo(file_));
    EXPECT_EQ(ReadBytes(path_), stored);
    EXPECT_EQ(reporter_.messages().size(), 2u);
}

TEST_F(EditSetTest, OnlyTheSettingsThatDifferFromWhatTheWindowWasGivenAreEdits) {
    WriteBytes(path_, "[PRINT]\r\nTESTSize=3\r\nBMPPrintSize=2\r\nBMP1=a.cmp\r\n");
    const Settings given = Load();
    Settings edited = given;
    EXPECT_TRUE(PrintSettingEdits(given, edited).empty());
    EXPECT_TRUE(MonthPictureEdits(given, edited).empty());

    edited.preview_scale = 2;
    edited.page(3).left_space = 12;
    edited.page(1).sekki = !edited.page(1).sekki;
    edited.page(1).sekki = !edited.page(1).sekki; // and back: no change
    edited.month_pictures[4] = "five.cmp";
    edited.test_dialog.x = 40; // another writer's key
    const EditSet print = PrintSettingEdits(given, edited);
    ASSERT_EQ(print.size(), 2u);
    EXPECT_EQ(print.edits()[0].key, "TESTSize");
    EXPECT_EQ(print.edits()[1].section, "PRINT 3");
    EXPECT_EQ(print.edits()[1].key, "Left Space");
    EXPECT_EQ(print.edits()[1].value, "12");
    const EditSet pictures = MonthPictureEdits(given, edited);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures.edits()[0].key, "BMP5");

    // Meanwhile another program changes a key the window also shows, and one it changed.
    WriteBytes(path_, "[PRINT]\r\nTESTSize=4\r\nBMPPrintSize=3\r\nBMP1=host.cmp\r\n");
    ASSERT_TRUE(print.WriteTo(file_));
    ASSERT_TRUE(pictures.WriteTo(file_));
    const Settings now = Load();
    EXPECT_EQ(now.preview_scale, 2); // the user's change wins over the other's
    EXPECT_EQ(now.picture_size, 3);  // not touched here: the other's value stays
    EXPECT_EQ(now.month_pictures[0], "host.cmp");
    EXPECT_EQ(now.month_pictures[4], "five.cmp");
    EXPECT_EQ(now.page(3).left_space, 12);
    EXPECT_EQ(ReadBytes(path_).find("Sekki"), std::string::npos);
    EXPECT_EQ(ReadBytes(path_).find("TEST X"), std::string::npos);

    // The window then takes the file's values of its keys, the other's included.
    Settings shown = edited;
    WriteBytes(path_, ReadBytes(path_) + "[PRINT 1]\r\nColorLevel=258\r\n");
    ReadPrintSettings(file_, shown);
    EXPECT_EQ(shown.picture_size, 3);
    EXPECT_EQ(shown.page(1).color_level, 2);        // held in 8 bits, as at start-up
    EXPECT_EQ(shown.month_pictures[4], "five.cmp"); // not a key of the print dialog
}

TEST_F(EditSetTest, HolidayEditsChangeTheToggledDaysOfTheFilesMarks) {
    WriteBytes(path_, "[2026]\r\nHOLIDAY1=0102\r\nHOLIDAY6=\r\nHOLIDAY8=11\r\n");
    HolidayTable given;
    LoadHolidays(file_, 2026, given);
    HolidayTable edited = given;
    edited.Toggle(6, 20);  // on
    edited.Toggle(1, 2);   // off
    edited.Toggle(12, 31); // on, then off: no edit
    edited.Toggle(12, 31);
    const EditSet edits = HolidayEdits(2026, given, edited);
    ASSERT_EQ(edits.size(), 2u);

    // The host marks days meanwhile, in the months edited here and in others; and one of
    // them is the day the user unmarked.
    WriteBytes(path_, "[2026]\r\nHOLIDAY1=010212\r\nHOLIDAY6=15\r\nHOLIDAY8=11\r\nHOLIDAY12=25\r\n");
    ASSERT_TRUE(edits.WriteTo(file_));
    EXPECT_EQ(ReadBytes(path_), "[2026]\r\nHOLIDAY1=0112\r\nHOLIDAY6=1520\r\nHOLIDAY8=11\r\nHOLIDAY12=25\r\n");

    // A year without a section: the edited months are added.
    HolidayTable none, one;
    one.Mark(3, 3, true);
    ASSERT_TRUE(HolidayEdits(2027, none, one).WriteTo(file_));
    HolidayTable read;
    LoadHolidays(file_, 2027, read);
    EXPECT_EQ(read, one);
}

} // namespace
} // namespace config
