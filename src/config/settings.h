// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every setting of Kalvorin.CFG that the module uses, as one plain value. The keys, their
// sections, types, defaults and bounds are in one table (setting_keys.h) that both reading
// and writing go through.

#include "config/config_file.h"
#include "config/edit_set.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace config {

// The options and margins of one page family, sections "PRINT 1" … "PRINT 5". Each section
// uses some of these keys (see the table); the others keep their zero values.
struct PageOptions {
    bool under_bitmap = false;    // "UnderBitmap"
    bool full_bmp = false;        // "FullBMP"
    int corner_bmp = 0;           // "CornerBMP": 1 bottom right, 2 top right, 3 bottom left, 4 top left
    int color_level = 0;          // "ColorLevel": 1 light, 2 middle, 3 dark; held in 8 bits
    bool day_english = false;     // "DAYEnglish"
    bool holiday_reverse = false; // "HolidayReverse"
    bool sekki = false;           // "Sekki"
    bool old_day_print = false;   // "OldDayPrint"
    bool rokuyou_print = false;   // "ROKUYOUPrint"
    bool eto_print = false;       // "ETOPrint"
    bool zatsu_print = false;     // "ZATSUPrint"
    bool kikkyou1 = false;        // "Kikkyou 1"
    bool kikkyou2 = false;        // "Kikkyou 2"
    bool unki = false;            // "Unki"
    bool lr_print = false;        // "LRPrint"
    bool calendar_print = false;  // "CalendarPrint"
    int c_print_pos = 0;          // "CPrintPos"
    int day_print_pos = 0;        // "DayPrintPos": 1 top right, otherwise bottom right
    bool kou_bmp_use = false;     // "KouBMPUse"
    int up_space = 0;             // "Up Space", millimetres
    int down_space = 0;           // "Down Space"
    int left_space = 0;           // "Left Space"
    int right_space = 0;          // "Right Space"

    bool operator==(const PageOptions&) const = default;
};

// Position and size of a dialog; a missing key leaves its part empty, and the dialog then
// uses its own place (centred on the screen, its designed size).
struct DialogPlace {
    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> width;
    std::optional<int> height;

    bool operator==(const DialogPlace&) const = default;
};

struct Settings {
    // A value holding the table's defaults; the data folder is empty until LoadSettings.
    Settings();

    // Section "UNSEI", written by the host.
    int birth_eto = 0;       // "ETO": BirthEto, 0 = none registered
    int start_weekday = 0;   // "Start Youbi": StartWeekday, 0 Sunday, otherwise Monday
    std::string data_folder; // "DIR": DataFolder, without a trailing separator
    std::string era_name;    // "GENGO NAME": at most 4 CP932 bytes
    int era_first_year = 0;  // "GENGO YEAR"
    int font_height = 0;     // "Font Height": always negative
    std::string font_name;   // "Font Name": at most 31 CP932 bytes
    double latitude = 0;     // "IDO"
    double longitude = 0;    // "KEIDO"
    int elevation = 0;       // "HYOUKOU", metres
    // Whether "IDO" or "KEIDO" is damaged: one of them holds a text that is not a number
    // within ±90 / ±180 (both then read 0), or only one of them holds a text at all.
    bool place_damaged = false;
    // Whether "IDO" and "KEIDO" name a place for sunrise and sunset: the host leaves both 0
    // until its user gives one. Any latitude counts, south of the equator too; a damaged pair
    // names none (its half that reads 0 would move the place to the equator or Greenwich).
    bool names_place() const { return !place_damaged && (latitude != 0 || longitude != 0); }

    // Section "PRINT".
    int preview_scale = 0;                      // "TESTSize": PreviewScale
    int picture_size = 0;                       // "BMPPrintSize": PictureSize
    std::array<std::string, 12> month_pictures; // "BMP1" … "BMP12": MonthPictures, index month − 1
    DialogPlace test_dialog;                    // "TEST X", "TEST Y", "TEST W", "TEST H"
    DialogPlace picture_dialog;                 // "BMP X", "BMP Y", "BMP W", "BMP H"

    // Sections "PRINT 1" … "PRINT 5", index section number − 1.
    std::array<PageOptions, 5> pages;

    PageOptions& page(int number) { return pages.at(static_cast<std::size_t>(number - 1)); }
    const PageOptions& page(int number) const { return pages.at(static_cast<std::size_t>(number - 1)); }

    bool operator==(const Settings&) const = default;
};

// Reads every setting, in start-up order. module_folder is the default of "DIR". After the
// table's rules (missing, unreadable or out-of-range values take the default):
// - "DIR": empty gives the module folder; one trailing "\" or "/" is removed; any length.
// - "GENGO NAME" is cut after the last whole character within 4 CP932 bytes, "Font Name"
//   within 31 bytes; an empty "Font Name" gives the default face.
// - "Font Height": a positive value is negated.
// - "ColorLevel" keeps its low 8 bits.
// - "IDO" / "KEIDO": decimal numbers within ±90 / ±180; anything else gives 0 and marks the
//   place damaged, as does one of the two without the other.
Settings LoadSettings(const ConfigFile& file, const std::filesystem::path& module_folder);

// Writes "TESTSize", "BMPPrintSize" and every key of "PRINT 1" … "PRINT 5" in one
// replacement of the file. Booleans are written "1" / "0". Windows write their edits
// instead (PrintSettingEdits).
bool SavePrintSettings(ConfigFile& file, const Settings& settings);

// Writes "BMP1" … "BMP12" of section "PRINT". Windows write their edits instead
// (MonthPictureEdits).
bool SaveMonthPictures(ConfigFile& file, const Settings& settings);

// The edits of a window that was given the settings `given` and leaves them as `edited`:
// the keys whose values differ, each set to its value in edited; a key whose value is as
// the window was given is not written, whatever the file holds now.
// - PrintSettingEdits: the print configuration dialog's keys ("TESTSize", "BMPPrintSize",
//   the keys of "PRINT 1" … "PRINT 5"), on OK.
// - MonthPictureEdits: "BMP1" … "BMP12", as the month pictures window closes with its
//   choice, and at shutdown.
EditSet PrintSettingEdits(const Settings& given, const Settings& edited);
EditSet MonthPictureEdits(const Settings& given, const Settings& edited);

// Reads the print configuration dialog's keys afresh into settings (the rest stays), by the
// rules of LoadSettings: after the dialog's edits are written, the file's values are the
// ones to print with, changes made outside included.
void ReadPrintSettings(const ConfigFile& file, Settings& settings);

// Write the places of the test-print dialog ("TEST X" …) and of the monthly picture dialog
// ("BMP X" …) when they close. Empty parts are not written.
bool SaveTestDialogPlace(ConfigFile& file, const Settings& settings);
bool SavePictureDialogPlace(ConfigFile& file, const Settings& settings);

} // namespace config
