// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole files in and out of memory, as the picture code reads and writes them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pictures {

// The file's bytes; nullopt when it cannot be opened or read, is not a regular file, or is
// larger than max_bytes.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t max_bytes);

// Replaces path with the bytes as base::ReplaceFileAtomically does: the file appears whole
// or not at all. False on any failure, with the reason in *error when error is given.
bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string* error = nullptr);

} // namespace pictures
