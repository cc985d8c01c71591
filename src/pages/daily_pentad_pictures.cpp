// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/daily_pentad_pictures.h"

#include <cstdio>

namespace pages {
namespace {

// Passes every message on, except that a metafile is said to be unreadable only once.
class MetafileOnce : public base::Reporter {
public:
    MetafileOnce(base::Reporter& to, bool& told) : to_(to), told_(told) {}
    void ShowMessage(std::string_view text, std::string_view caption) override {
        if (text.starts_with(pictures::kMetafileSkippedText)) {
            if (told_) return;
            told_ = true;
        }
        to_.ShowMessage(text, caption);
    }

private:
    base::Reporter& to_;
    bool& told_;
};

} // namespace

std::string PentadEntryName(int pentad) {
    char name[16];
    std::snprintf(name, sizeof name, "kou%02d.jpg", pentad < 0 || pentad > 99 ? 0 : pentad);
    return name;
}

bool PentadPictures::Open(const std::filesystem::path& folder, base::Reporter& reporter) {
    Close();
    data_path_ = folder / std::filesystem::path(std::string(pictures::kCommentaryDataFile));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(data_path_, ec)) {
        reporter.ShowMessage(kDatabaseMissingText, kDatabaseMissingCaption);
        return false;
    }
    const std::filesystem::path index_path =
        folder / std::filesystem::path(std::string(pictures::kCommentaryIndexFile));
    auto index = pictures::OpenCommentaryIndex(index_path);
    // Told as the missing data file is; the pages are still drawn, with the pictures there are.
    const std::string problem = pictures::CommentaryIndexProblem(index_path, index ? &*index : nullptr, data_path_);
    if (!problem.empty()) reporter.ShowMessage(problem, kDatabaseMissingCaption);
    if (index) index_ = std::move(*index);
    return true;
}

const pictures::Bitmap* PentadPictures::Load(int pentad, base::Reporter& reporter) {
    current_.reset();
    MetafileOnce once(reporter, metafile_told_);
    current_ = pictures::LoadEntryPicture(data_path_, PentadEntryName(pentad), index_, once);
    return current_ ? &current_->bitmap : nullptr;
}

void PentadPictures::Close() {
    current_.reset();
    index_ = {};
    metafile_told_ = false;
}

} // namespace pages
