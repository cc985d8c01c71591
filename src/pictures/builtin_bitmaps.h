// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's built-in bitmaps, looked up by their resource names: "K00" … "K31" (36 × 36
// day numbers in kanji, 1 bit), "SUNDAY", "MONDAY", "TUSDAY", "WESDAY", "THUDAY", "FRIDAY",
// "SATADAY", "SUNDAY_BLACK", "SATADAY_BLACK" (16 × 16 weekday heads), "SYSCLOSE",
// "PREVIEWGLYPH", "page/K00" … "page/K31", the day numbers for printed pages (288 × 288,
// 1 bit, the same numerals laid out the same way), and "page/SUNDAY" … "page/SATADAY", the
// weekday characters for printed pages (128 × 128, 1 bit, drawn in the head's colour).

#include "pictures/bitmap.h"
#include "pictures/ink_bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pictures {

// The .bmp file image of the resource; empty when there is none of that name.
std::span<const std::uint8_t> BuiltinBitmapBytes(std::string_view name);

// The decoded bitmap, made on first use and kept for the life of the program; nullptr when
// there is no resource of that name.
const Bitmap* BuiltinBitmap(std::string_view name);

// The ink bits of a two-colour resource, made on first use and kept for the life of the
// program; nullptr when there is no 1-bit resource of that name.
const InkBitmap* BuiltinInkBitmap(std::string_view name);

// "K00" … "K31": the resource name of a day number (0 … 31; others are clamped).
std::string DayNumberBitmapName(int day);

// "page/K00" … "page/K31": the day number at 288 × 288 for printed pages (0 … 31; others
// are clamped). Stretched into a 225-pixel box at 600 dpi it is never coarser than a dot.
std::string PageDayNumberBitmapName(int day);

} // namespace pictures
