// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sample pictures for a new host folder, drawn here without any external file: twelve
// seasonal month pictures and the seventy-two pentad pictures of the commentary database.

#include "base/reporter.h"
#include "pictures/bitmap.h"

#include <filesystem>
#include <string>

namespace pictures {

inline constexpr int kDemoMonthWidth = 848; // A4 proportions, portrait
inline constexpr int kDemoMonthHeight = 1200;
inline constexpr int kDemoPentadWidth = 640;
inline constexpr int kDemoPentadHeight = 480;

// The picture of a month (1 … 12): its season's colours and motif, and its name.
Bitmap DrawDemoMonthPicture(int month);

// The picture of a pentad (1 … 72, 1 = the first pentad of 立春): the season's motif in
// colours that move through the season, and its solar term and name.
Bitmap DrawDemoPentadPicture(int pentad);

// "歳時記01.cmp" … "歳時記12.cmp", the default month picture names.
std::string DemoMonthPictureName(int month);

// Writes the twelve month pictures into folder as .cmp files. False after a message when a
// file cannot be written.
bool WriteDemoMonthPictures(const std::filesystem::path& folder, base::Reporter& reporter);

// Writes "Kalvo標準.IDX" and "Kalvo標準.DAT" into folder with the 72 pentad pictures as
// JPEG entries "kou01.jpg" … "kou72.jpg", the names the daily page looks up.
bool WriteDemoCommentaryDatabase(const std::filesystem::path& folder, base::Reporter& reporter);

} // namespace pictures
