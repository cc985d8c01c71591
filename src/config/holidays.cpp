// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/holidays.h"

#include "base/sjis.h"
#include "config/number_text.h"

#include <string>
#include <vector>

namespace config {
namespace {

constexpr int kMonths = 12;
constexpr int kDays = 31;

bool InTable(int month, int day) {
    return month >= 1 && month <= kMonths && day >= 1 && day <= kDays;
}

std::string HolidayKey(int month) {
    return "HOLIDAY" + std::to_string(month);
}

// Splits UTF-8 text into pieces of two characters (the last may have one).
std::vector<std::string_view> TwoCharacterPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        for (int n = 0; n < 2 && end < text.size(); ++n) {
            std::size_t length = 1;
            base::Cp932CharLength(text, end, &length);
            end += length;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end;
    }
    return pieces;
}

// The marks of one month's stored value.
std::array<std::uint8_t, 31> ParseHolidayMonth(std::string_view value) {
    HolidayTable one;
    for (std::string_view piece : TwoCharacterPieces(value))
        one.Mark(1, ParseInteger(piece).value_or(-1), true);
    return one.flags[0];
}

} // namespace

bool HolidayTable::IsMarked(int month, int day) const {
    return InTable(month, day) && flags[month - 1][day - 1] != 0;
}

void HolidayTable::Mark(int month, int day, bool marked) {
    if (InTable(month, day)) flags[month - 1][day - 1] = marked ? 1 : 0;
}

void HolidayTable::Toggle(int month, int day) {
    Mark(month, day, !IsMarked(month, day));
}

void LoadHolidays(const ConfigFile& file, int year, HolidayTable& table) {
    const ConfigFile::ReadScope one_version(file);
    table.Clear();
    const std::string section = std::to_string(year);
    for (int month = 1; month <= kMonths; ++month) {
        table.flags[month - 1] = ParseHolidayMonth(file.ReadString(section, HolidayKey(month), ""));
    }
}

std::string FormatHolidayMonth(const std::array<std::uint8_t, 31>& days) {
    std::string value;
    for (int day = 1; day <= kDays; ++day) {
        if (days[day - 1] == 0) continue;
        value += static_cast<char>('0' + day / 10);
        value += static_cast<char>('0' + day % 10);
    }
    return value;
}

std::vector<ConfigFile::Entry> HolidayEntries(int year, const HolidayTable& table) {
    const std::string section = std::to_string(year);
    std::vector<ConfigFile::Entry> entries;
    for (int month = 1; month <= kMonths; ++month) {
        entries.push_back({section, HolidayKey(month), FormatHolidayMonth(table.flags[month - 1])});
    }
    return entries;
}

bool SaveHolidays(ConfigFile& file, int year, const HolidayTable& table) {
    return file.WriteStrings(HolidayEntries(year, table));
}

bool HasHolidaySection(const ConfigFile& file, int year) {
    const std::string section = std::to_string(year);
    for (const std::string& name : file.SectionNames())
        if (name == section) return true;
    return false;
}

EditSet HolidayEdits(int year, const HolidayTable& given, const HolidayTable& edited) {
    EditSet edits;
    const std::string section = std::to_string(year);
    for (int month = 1; month <= kMonths; ++month) {
        const auto& before = given.flags[month - 1];
        const auto& after = edited.flags[month - 1];
        if (before == after) continue;
        edits.Rewrite(section, HolidayKey(month), [before, after](const std::optional<std::string>& current) {
            std::array<std::uint8_t, 31> days = ParseHolidayMonth(current.value_or(""));
            for (std::size_t d = 0; d < days.size(); ++d) {
                if ((before[d] != 0) != (after[d] != 0)) days[d] = after[d] != 0 ? 1 : 0;
            }
            return FormatHolidayMonth(days);
        });
    }
    return edits;
}

} // namespace config
