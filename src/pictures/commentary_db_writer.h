// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the commentary database, for the host stand-in and for tests: the entries'
// data laid out block after block in "Kalvo標準.DAT" and one index record each in
// "Kalvo標準.IDX".

#include "base/reporter.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pictures {

struct CommentaryEntry {
    std::string name; // UTF-8; at most 32 bytes in CP932
    int type = 0;     // 0 … 5, see EntryType
    std::vector<std::uint8_t> data;
    bool hidden = false;
};

// Writes both files into folder. Refuses (with a message, writing nothing) a name that is
// empty, too long or not CP932, a type outside 0 … 5, data of more than 100 blocks, or more
// blocks in all than a 16-bit block number reaches.
bool WriteCommentaryDatabase(const std::filesystem::path& folder, std::span<const CommentaryEntry> entries,
                             base::Reporter& reporter);

// The entry type a picture file's extension stands for (any letter case): .cmp 0, .jpg and
// .jpeg 1, .wmf 2, .emf 3, .ico 4; -1 for anything else.
int EntryTypeForFileName(const std::filesystem::path& path);

// Builds the database in folder from the picture files of pictures_folder (its regular files
// with a known extension, in name order, each entry named by its file name).
bool WriteCommentaryDatabaseFromFolder(const std::filesystem::path& pictures_folder,
                                       const std::filesystem::path& folder, base::Reporter& reporter);

} // namespace pictures
