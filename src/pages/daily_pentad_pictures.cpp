#include "pages/daily_pentad_pictures.h"

#include <cstdio>

namespace pages {

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
    if (auto index = pictures::OpenCommentaryIndex(index_path)) index_ = std::move(*index);
    return true;
}

const pictures::Bitmap* PentadPictures::Load(int pentad, base::Reporter& reporter) {
    current_.reset();
    current_ = pictures::LoadEntryPicture(data_path_, PentadEntryName(pentad), index_, reporter);
    return current_ ? &current_->bitmap : nullptr;
}

void PentadPictures::Close() {
    current_.reset();
    index_ = {};
}

} // namespace pages
