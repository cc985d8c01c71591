// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settings.h"

#include "base/sjis.h"
#include "config/cp932_scan.h"
#include "config/setting_keys.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace config {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

class SettingsTest : public ::testing::Test {
protected:
    Settings LoadFrom(std::string_view utf8_text) {
        WriteBytes(path_, base::Utf8ToCp932(utf8_text).value());
        return LoadSettings(file_, module_folder_);
    }

    TestFolder folder_;
    std::filesystem::path path_ = folder_ / "Kalvorin.CFG";
    std::filesystem::path module_folder_ = "/opt/kalvorin/";
    base::RecordingReporter reporter_;
    ConfigFile file_{path_, &reporter_};
};

PageOptions Margins10(PageOptions page) {
    page.up_space = page.down_space = page.left_space = page.right_space = 10;
    return page;
}

// The defaults as the configuration file's documentation lists them, written out here
// independently of the key table.
TEST_F(SettingsTest, EmptyFileGivesExactlyTheDefaults) {
    Settings s = LoadFrom("");
    EXPECT_EQ(s.birth_eto, 0);
    EXPECT_EQ(s.start_weekday, 0);
    EXPECT_EQ(s.data_folder, "/opt/kalvorin");
    EXPECT_EQ(s.era_name, "");
    EXPECT_EQ(s.era_first_year, 9999);
    EXPECT_EQ(s.font_height, -16);
    EXPECT_EQ(s.font_name, "@ＭＳ ゴシック");
    EXPECT_EQ(s.latitude, 0.0);
    EXPECT_EQ(s.longitude, 0.0);
    EXPECT_EQ(s.elevation, 0);
    EXPECT_EQ(s.preview_scale, 3);
    EXPECT_EQ(s.picture_size, 3);
    EXPECT_EQ(s.month_pictures[0], "歳時記01.cmp");
    EXPECT_EQ(s.month_pictures[8], "歳時記09.cmp");
    EXPECT_EQ(s.month_pictures[11], "歳時記12.cmp");
    EXPECT_EQ(s.test_dialog, DialogPlace{});
    EXPECT_EQ(s.picture_dialog, DialogPlace{});

    PageOptions calendar;
    calendar.under_bitmap = calendar.full_bmp = true;
    calendar.corner_bmp = calendar.color_level = 1;
    calendar.holiday_reverse = calendar.sekki = calendar.old_day_print = calendar.rokuyou_print = true;
    calendar.eto_print = calendar.zatsu_print = calendar.kikkyou1 = calendar.kikkyou2 = true;
    EXPECT_EQ(s.page(1), Margins10(calendar));

    PageOptions list;
    list.full_bmp = true;
    list.corner_bmp = list.color_level = list.c_print_pos = 1;
    EXPECT_EQ(s.page(2), Margins10(list));

    PageOptions daily;
    daily.full_bmp = true;
    daily.corner_bmp = daily.color_level = daily.day_print_pos = 1;
    daily.sekki = daily.old_day_print = daily.eto_print = daily.rokuyou_print = daily.zatsu_print = true;
    daily.kikkyou1 = daily.kikkyou2 = daily.unki = true;
    EXPECT_EQ(s.page(3), Margins10(daily));

    PageOptions poster;
    poster.c_print_pos = 1;
    EXPECT_EQ(s.page(4), Margins10(poster));
    EXPECT_EQ(s.page(5), Margins10(PageOptions{}));

    EXPECT_EQ(s, LoadSettings(ConfigFile(folder_ / "missing.cfg"), module_folder_));
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(SettingsTest, FontHeightIsAlwaysNegative) {
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=16\n").font_height, -16);
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=-16\n").font_height, -16);
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=24\n").font_height, -24);
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=0\n").font_height, -16);
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=-2147483648\n").font_height, -16);
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Height=big\n").font_height, -16);
}

TEST_F(SettingsTest, DataFolderLosesOneTrailingSeparator) {
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=C:\\Kalvorin\\\n").data_folder, "C:\\Kalvorin");
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=/home/u/pictures/\n").data_folder, "/home/u/pictures");
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=/home/u/pictures\n").data_folder, "/home/u/pictures");
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=/\n").data_folder, "/");
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=\n").data_folder, "/opt/kalvorin");
    std::string long_folder = "/" + std::string(400, 'd') + "/写真";
    EXPECT_EQ(LoadFrom("[UNSEI]\nDIR=" + long_folder + "\\\n").data_folder, long_folder);
}

TEST_F(SettingsTest, NamesAreCutAtTheLastWholeCharacterThatFits) {
    Settings s = LoadFrom("[UNSEI]\nGENGO NAME=令和元年\nFont Name=@ＭＳ ゴシックＭＳ ゴシック ＭＳ ゴシック\n");
    EXPECT_EQ(s.era_name, "令和");
    EXPECT_EQ(s.font_name, "@ＭＳ ゴシックＭＳ ゴシック Ｍ");
    EXPECT_EQ(base::Cp932Length(s.font_name), 30u); // one more double-byte character would pass 31
    EXPECT_EQ(LoadFrom("[UNSEI]\nGENGO NAME=abc令\n").era_name, "abc");
    EXPECT_EQ(LoadFrom("[UNSEI]\nGENGO NAME=ab令\n").era_name, "ab令");
    EXPECT_EQ(LoadFrom("[UNSEI]\nFont Name=\n").font_name, "@ＭＳ ゴシック");
}

TEST_F(SettingsTest, ValuesOutsideTheirBoundsTakeTheDefault) {
    Settings s = LoadFrom("[UNSEI]\nGENGO YEAR=0\n[PRINT]\nTESTSize=0\n"
                          "[PRINT 1]\nUp Space=-1\nDown Space=1000\nLeft Space=999\nRight Space=40\n");
    EXPECT_EQ(s.era_first_year, 9999);
    // "TESTSize" beyond 1 … 16 is what the dialog shows it as: 四分の一, 4; unreadable, the default.
    EXPECT_EQ(s.preview_scale, 4);
    EXPECT_EQ(LoadFrom("[PRINT]\nTESTSize=17\n").preview_scale, 4);
    EXPECT_EQ(LoadFrom("[PRINT]\nTESTSize=-3\n").preview_scale, 4);
    EXPECT_EQ(LoadFrom("[PRINT]\nTESTSize=two\n").preview_scale, 3);
    EXPECT_EQ(s.page(1).up_space, 10);
    EXPECT_EQ(s.page(1).down_space, 10);
    EXPECT_EQ(s.page(1).left_space, 999);
    EXPECT_EQ(s.page(1).right_space, 40);
    // Values the dialog shows otherwise are kept as stored until it writes them back.
    EXPECT_EQ(LoadFrom("[PRINT]\nTESTSize=7\n[PRINT 1]\nCornerBMP=9\n").preview_scale, 7);
    EXPECT_EQ(LoadFrom("[PRINT 1]\nCornerBMP=9\n").page(1).corner_bmp, 9);
}

TEST_F(SettingsTest, ColorLevelIsHeldInEightBits) {
    EXPECT_EQ(LoadFrom("[PRINT 1]\nColorLevel=257\n").page(1).color_level, 1);
    EXPECT_EQ(LoadFrom("[PRINT 2]\nColorLevel=-1\n").page(2).color_level, 255);
    EXPECT_EQ(LoadFrom("[PRINT 3]\nColorLevel=3\n").page(3).color_level, 3);
}

TEST_F(SettingsTest, PlaceIsDecimalTextWithinTheGlobe) {
    Settings s = LoadFrom("[UNSEI]\nIDO=35.6895\nKEIDO=139.6917\nHYOUKOU=40\n");
    EXPECT_DOUBLE_EQ(s.latitude, 35.6895);
    EXPECT_DOUBLE_EQ(s.longitude, 139.6917);
    EXPECT_EQ(s.elevation, 40);
    EXPECT_EQ(LoadFrom("[UNSEI]\nIDO=北緯35度\nKEIDO=\n").latitude, 0.0);
    EXPECT_EQ(LoadFrom("[UNSEI]\nIDO=95\nKEIDO=-181\n").latitude, 0.0);
    EXPECT_EQ(LoadFrom("[UNSEI]\nIDO=95\nKEIDO=-181\n").longitude, 0.0);
    EXPECT_EQ(LoadFrom("[UNSEI]\nKEIDO=-180\n").longitude, -180.0);
}

TEST_F(SettingsTest, HalfAPlaceNamesNone) {
    // One number damaged or missing beside a good one would put the sun on the equator or
    // the prime meridian: the pair names no place.
    for (const char* text : {"[UNSEI]\nIDO=91\nKEIDO=139.69\n", "[UNSEI]\nIDO=nan\nKEIDO=139.69\n",
                             "[UNSEI]\nIDO=35.68\nKEIDO=400\n", "[UNSEI]\nIDO=35.68\nKEIDO=1e308\n",
                             "[UNSEI]\nIDO=北緯35度\nKEIDO=139.69\n", "[UNSEI]\nKEIDO=139.69\n",
                             "[UNSEI]\nIDO=35.68\nKEIDO=\n"}) {
        const Settings s = LoadFrom(text);
        EXPECT_TRUE(s.place_damaged) << text;
        EXPECT_FALSE(s.names_place()) << text;
    }
    // Two good numbers name a place anywhere, the equator and the south too; none is no place.
    for (const char* text : {"[UNSEI]\nIDO=0\nKEIDO=100\n", "[UNSEI]\nIDO=-33.87\nKEIDO=151.21\n",
                             "[UNSEI]\nIDO=90\nKEIDO=-180\n"}) {
        EXPECT_TRUE(LoadFrom(text).names_place()) << text;
    }
    for (const char* text : {"[UNSEI]\n", "[UNSEI]\nIDO=\nKEIDO=\n", "[UNSEI]\nIDO=0\nKEIDO=0\n"}) {
        EXPECT_FALSE(LoadFrom(text).place_damaged) << text;
        EXPECT_FALSE(LoadFrom(text).names_place()) << text;
    }
}

TEST_F(SettingsTest, BooleansStoredAsAnyNonZeroIntegerAreOn) {
    Settings s = LoadFrom("[PRINT 1]\nDAYEnglish=2\nSekki=0\nUnki=yes\n[print 3]\nunki=0\n");
    EXPECT_TRUE(s.page(1).day_english);
    EXPECT_FALSE(s.page(1).sekki);
    EXPECT_FALSE(s.page(1).unki); // not an integer: the default of PRINT 1
    EXPECT_FALSE(s.page(3).unki);
}

TEST_F(SettingsTest, SavePrintSettingsWritesEveryDialogKeyAsItsOwnForm) {
    const std::string unsei = "[UNSEI]\r\nETO=7\r\nFont Height=16\r\n\r\n";
    WriteBytes(path_, unsei + "[PRINT 1]\r\nUnki=2\r\nSekki=true\r\n");
    Settings s = LoadSettings(file_, module_folder_);
    s.page(3).unki = false;
    s.page(2).c_print_pos = 6;
    s.page(5).left_space = 25;
    s.preview_scale = 2;
    ASSERT_TRUE(SavePrintSettings(file_, s));

    const std::string bytes = ReadBytes(path_);
    EXPECT_EQ(bytes.substr(0, unsei.size()), unsei);
    EXPECT_NE(bytes.find("[PRINT 1]\r\nUnki=1\r\nSekki=1\r\nUnderBitmap=1\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("BMP1"), std::string::npos);
    EXPECT_EQ(bytes.find("TEST X"), std::string::npos);
    EXPECT_EQ(LoadSettings(file_, module_folder_), s);
    EXPECT_TRUE(reporter_.messages().empty());
}

// The keys the print configuration dialog writes on OK, listed here from its description.
TEST_F(SettingsTest, SavePrintSettingsWritesExactlyTheDialogsKeys) {
    ASSERT_TRUE(SavePrintSettings(file_, Settings{}));
    const std::vector<std::string> margins = {"Up Space", "Down Space", "Left Space", "Right Space"};
    std::map<std::string, std::set<std::string>> expected = {
        {"PRINT", {"TESTSize", "BMPPrintSize"}},
        {"PRINT 1",
         {"UnderBitmap", "FullBMP", "CornerBMP", "ColorLevel", "DAYEnglish", "HolidayReverse", "Sekki", "OldDayPrint",
          "ROKUYOUPrint", "ETOPrint", "ZATSUPrint", "Kikkyou 1", "Kikkyou 2", "Unki"}},
        {"PRINT 2", {"UnderBitmap", "FullBMP", "CornerBMP", "ColorLevel", "LRPrint", "CalendarPrint", "CPrintPos"}},
        {"PRINT 3",
         {"UnderBitmap", "FullBMP", "CornerBMP", "ColorLevel", "DAYEnglish", "DayPrintPos", "KouBMPUse", "Sekki",
          "OldDayPrint", "ROKUYOUPrint", "ETOPrint", "ZATSUPrint", "Kikkyou 1", "Kikkyou 2", "Unki"}},
        {"PRINT 4", {"CPrintPos"}},
        {"PRINT 5", {}},
    };
    for (int page = 1; page <= 5; ++page) {
        for (const auto& margin : margins)
            expected["PRINT " + std::to_string(page)].insert(margin);
    }

    std::map<std::string, std::set<std::string>> written;
    std::string section;
    std::string bytes = ReadBytes(path_);
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t end = bytes.find("\r\n", pos);
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 2;
        if (line.empty()) continue;
        if (line.front() == '[') {
            section = line.substr(1, line.size() - 2);
        } else {
            std::string key = line.substr(0, line.find('='));
            EXPECT_TRUE(written[section].insert(key).second) << section << " " << key;
            std::string value = line.substr(line.find('=') + 1);
            EXPECT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << key;
        }
    }
    EXPECT_EQ(written, expected);
}

TEST_F(SettingsTest, MonthPicturesAndDialogPlacesRoundTrip) {
    WriteBytes(path_, "[PRINT]\r\nTEST X=10\r\nTEST Y=x\r\n");
    Settings s = LoadSettings(file_, module_folder_);
    EXPECT_EQ(s.test_dialog.x, 10);
    EXPECT_EQ(s.test_dialog.y, std::nullopt);
    s.month_pictures[3] = "桜 (2026).cmp";
    s.month_pictures[11] = " spaced.cmp";
    s.test_dialog = {1, -2, 300, 400};
    s.picture_dialog.width = 640;
    ASSERT_TRUE(SaveMonthPictures(file_, s));
    ASSERT_TRUE(SaveTestDialogPlace(file_, s));
    ASSERT_TRUE(SavePictureDialogPlace(file_, s));
    Settings loaded = LoadSettings(file_, module_folder_);
    EXPECT_EQ(loaded.month_pictures, s.month_pictures);
    EXPECT_EQ(loaded.test_dialog, s.test_dialog);
    EXPECT_EQ(loaded.picture_dialog, s.picture_dialog);
    EXPECT_EQ(ReadBytes(path_).find("BMP X"), std::string::npos); // empty parts are not written
}

TEST_F(SettingsTest, AMonthPictureCp932CannotHoldIsReportedAndNothingIsWritten) {
    WriteBytes(path_, "[PRINT]\r\nBMP1=a.cmp\r\n");
    Settings s = LoadSettings(file_, module_folder_);
    s.month_pictures[0] = "b.cmp";
    s.month_pictures[1] = "😀.cmp";
    EXPECT_FALSE(SaveMonthPictures(file_, s));
    EXPECT_EQ(ReadBytes(path_), "[PRINT]\r\nBMP1=a.cmp\r\n");
    EXPECT_EQ(reporter_.messages().size(), 1u);
}

TEST(SettingKeys, NoKeyAppearsTwiceAndTheHostsKeysAreNeverWrittenByTheModule) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const SettingKey& row : SettingKeys()) {
        std::string section(row.section), key(row.key);
        for (auto& c : section)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (auto& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(seen.insert({section, key}).second) << row.section << " " << row.key;
        EXPECT_EQ(row.section == "UNSEI", row.writer == Writer::Host) << row.key;
    }
}

} // namespace
} // namespace config
