// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours as the platform writes them: 0x00BBGGRR (red is 0x0000FF).

#include <cstdint>

namespace base {

using Color = std::uint32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0x0000FF;   // good named days, sunrise, 大安
constexpr Color kBlue = 0xFF0000;  // bad named days, 仏滅
constexpr Color kWhite = 0xFFFFFF;

} // namespace base
