// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the picture buttons shared by the print configuration and month picture
// dialogs: which chosen .cmp files are accepted and under what name, where a new picture
// made from a bitmap goes, and the texts of their messages.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace dialogs {

inline constexpr std::string_view kErrorCaption = "ｴﾗｰ";
inline constexpr std::string_view kWrongExtension = "拡張子が違う";
inline constexpr std::string_view kWrongFolder = "ﾃﾞｨﾚｸﾄﾘが違う";

// The outcome of choosing an existing .cmp file for a month.
struct ChosenPicture {
    std::string name;       // the month picture name to store; empty when refused
    std::string_view error; // the message when refused, else empty
};

// A chosen file is accepted when its extension is .cmp in any letter case and its real
// path (links and "..") lies in the data folder or below it. The stored name is the path
// relative to the data folder ("spring.cmp", "old/spring.cmp"), so a picture in a
// subfolder is found again at print time. Folders are compared as whole path
// components, so /data/pics2 is not inside /data/pics.
ChosenPicture CheckChosenCmp(const std::filesystem::path& chosen, const std::filesystem::path& data_folder);

// The first of BP13.cmp, BP14.cmp, … that does not exist in the folder (the month picture
// dialog's new pictures); empty when a million names are taken.
std::filesystem::path NextNewPicturePath(const std::filesystem::path& data_folder);

// A new picture already made once: the BP<n>.cmp of the folder that holds exactly the
// bytes of cmp, so that importing the same picture again reuses it; empty when none does.
std::filesystem::path SameNewPicture(const std::filesystem::path& data_folder, std::span<const std::uint8_t> cmp);

// Where the configuration dialog's "新規" writes the .cmp made from a bitmap: the bitmap's
// name with the extension .cmp, in the data folder (where month pictures are looked for).
std::filesystem::path NewCmpPathFor(const std::filesystem::path& bitmap, const std::filesystem::path& data_folder);

// A margin in millimetres as its label shows it: the tens digit as a kanji numeral or a
// full-width space, the units digit as a kanji numeral or "○" (0 → "　○", 10 → "一○",
// 25 → "二五"). Values of 100 … 999 get their hundreds digit in front; others are clamped.
std::string MarginText(int millimetres);
// The same margin as a screen reader reads it: the number and ミリ ("10ミリ").
std::string MarginSpoken(int millimetres);

// The month name of the month picture dialog: "一月" … "十二月".
std::string MonthName(int month);

} // namespace dialogs
