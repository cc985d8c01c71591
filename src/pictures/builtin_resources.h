// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bitmap files under resources/, compiled into the program: each one's name (its path
// under resources/ without ".bmp", e.g. "K01", "demo/month01") and its bytes.

#include <cstdint>
#include <span>
#include <string_view>

namespace pictures {

struct BuiltinResource {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// Sorted by name. Made by the build from the files under resources/.
std::span<const BuiltinResource> BuiltinResources();

} // namespace pictures
