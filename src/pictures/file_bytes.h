#pragma once
// Whole files in and out of memory, as the picture code reads and writes them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

// The file's bytes; nullopt when it cannot be opened or read, is not a regular file, or is
// larger than max_bytes.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t max_bytes);

// Writes the bytes to a sibling file and renames it over path, so that a failed write never
// leaves half a file. False on any failure (the sibling is removed).
bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace pictures
