// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/file_bytes.h"

#include "base/file_io.h"

#include <limits>

namespace pictures {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t max_bytes) {
    const std::size_t bound = static_cast<std::size_t>(std::min<std::uintmax_t>(max_bytes, SIZE_MAX));
    base::FileBytesRead read = base::ReadFileBytesBounded(path, bound);
    if (read.status != base::FileBytesRead::Status::Ok) return std::nullopt;
    return std::move(read.bytes);
}

bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, std::string* error) {
    std::string failure =
        base::ReplaceFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (failure.empty()) return true;
    if (error) *error = std::move(failure);
    return false;
}

} // namespace pictures
