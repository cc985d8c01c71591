// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pentad pictures of a run of daily pages: the commentary database beside the program
// is opened at the start of the run, each day's picture is loaded afresh (the previous one
// released first, so a year of pages holds one picture at a time) and everything is
// released when the run ends.

#include "base/reporter.h"
#include "pictures/commentary_db.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pages {

inline constexpr std::string_view kDatabaseMissingText = "Kalvo標準.DATが見つからない...\r==> 処理不能";
inline constexpr std::string_view kDatabaseMissingCaption = "エラー";

// "kou05.jpg": the entry name of pentad 1 … 72.
std::string PentadEntryName(int pentad);

class PentadPictures {
public:
    // Opens the index of the database in folder. False (after showing the message) when
    // the data file is missing. An index that is missing, unreadable, empty or cut short
    // is said (caption "エラー", with its path), and the table holds what it has: none, or
    // the records before the cut.
    bool Open(const std::filesystem::path& folder, base::Reporter& reporter);

    // The picture of a pentad, or null when it cannot be had (no such entry, hidden,
    // invalid, unreadable). Valid until the next call. That a metafile picture cannot be
    // read is said once per run, naming the first such entry: a month of day pages would
    // otherwise repeat it for every day.
    const pictures::Bitmap* Load(int pentad, base::Reporter& reporter);

    // Releases the picture and the index table.
    void Close();

private:
    std::filesystem::path data_path_;
    pictures::CommentaryIndex index_;
    std::optional<pictures::EntryPicture> current_;
    bool metafile_told_ = false;
};

} // namespace pages
