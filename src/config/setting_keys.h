// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table of the settings in Kalvorin.CFG: section, key, type, default, bounds, who
// writes it, and the field of Settings that holds it. Rows are in the order the module
// reads them at start-up; LoadSettings, the Save functions and Settings() all go through it.

#include "config/settings.h"

#include <climits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace config {

enum class ValueType {
    Integer, // decimal text
    Boolean, // an integer, non-zero is on; written "1" / "0"
    Text,
    Decimal, // a decimal number with "." as the decimal point
};

// Who writes a key. The module never writes the host's keys.
enum class Writer {
    Host,          // section "UNSEI"
    PrintDialog,   // the print configuration dialog, on OK
    Shutdown,      // the main window, when it closes
    TestDialog,    // the test-print dialog, when it closes
    PictureDialog, // the monthly picture dialog, when it closes
};

// Where a value lives in Settings.
struct MonthPictureSlot {
    int month; // 1 … 12
};
struct PlaceSlot {
    DialogPlace Settings::*place;
    std::optional<int> DialogPlace::*part;
};
struct PageIntSlot {
    int page; // 1 … 5
    int PageOptions::*member;
};
struct PageBoolSlot {
    int page;
    bool PageOptions::*member;
};
using SettingField = std::variant<int Settings::*, std::string Settings::*, double Settings::*, MonthPictureSlot,
                                  PlaceSlot, PageIntSlot, PageBoolSlot>;

struct SettingKey {
    std::string_view section;
    std::string_view key;
    ValueType type;
    int default_number;            // Integer, Boolean (0 / 1)
    std::string_view default_text; // Text
    bool has_default;              // false: a missing value stays empty (dialog places)
    int min;                       // Integer, Decimal: a value outside min … max counts
    int max;                       // as unreadable and gives the default
    Writer writer;
    SettingField field;
    // Integer: what a number outside min … max gives when it is not the default (a value
    // the dialogs show as their last choice takes that choice).
    std::optional<int> out_of_range = std::nullopt;
    // Integer held in 8 bits: the file's number keeps its low 8 bits (and then lies within
    // min … max, 0 … 255); a value given for one run must lie within them.
    bool low_byte = false;
};

// Every row, in start-up read order.
std::span<const SettingKey> SettingKeys();

// The section names of the page families, "PRINT 1" … "PRINT 5".
std::string_view PageSection(int page);

// Sets the field of the row to its default (an empty place part when it has none).
void ApplyDefault(const SettingKey& row, Settings& settings);

// Reads the row's value from the file into its field, by the row's type and bounds.
void ReadSetting(const SettingKey& row, const ConfigFile& file, Settings& settings);

// The value of the row's field as written to the file, or nullopt for an empty place part.
std::optional<std::string> FormatSetting(const SettingKey& row, const Settings& settings);

// Sets the row's field from a value given for one run (a command line's override), by the
// row's type and bounds; booleans also take on / off, true / false, yes / no. Returns an
// empty text when set, else why the value does not fit (the field is then unchanged).
std::string ApplySettingText(const SettingKey& row, std::string_view text, Settings& settings);

} // namespace config
