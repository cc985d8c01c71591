// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/commentary_db_writer.h"
#include "base/i18n.h"
#include "base/sjis.h"
#include "pictures/commentary_db.h"
#include "pictures/file_bytes.h"
#include "pictures/picture_limits.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace pictures {

namespace {

constexpr std::string_view kWriterCaption = "ｴﾗｰ";
constexpr int kLargestBlockNumber = 32767;

bool Refuse(base::Reporter& reporter, const std::string& text) {
    reporter.ShowMessage(text, kWriterCaption);
    return false;
}

} // namespace

bool WriteCommentaryDatabase(const std::filesystem::path& folder, std::span<const CommentaryEntry> entries,
                             base::Reporter& reporter) {
    std::vector<std::uint8_t> index;
    std::vector<std::uint8_t> data;
    int next_block = 1;
    for (const CommentaryEntry& e : entries) {
        const auto name = base::Utf8ToCp932(e.name);
        if (!name || name->empty() || name->size() >= kIndexNameSize) {
            return Refuse(reporter, base::Format(_("the index cannot hold the name %s"), e.name.c_str()));
        }
        if (e.type < 0 || e.type > kLargestEntryType)
            return Refuse(reporter, base::Format(_("not a picture type: %s"), e.name.c_str()));
        const std::size_t blocks = (e.data.size() + kDataBlockSize - 1) / kDataBlockSize;
        if (blocks > static_cast<std::size_t>(kEntrySlots))
            return Refuse(reporter, base::Format(_("the picture is too large: %s"), e.name.c_str()));
        if (next_block + static_cast<int>(blocks) - 1 > kLargestBlockNumber) {
            return Refuse(reporter, base::Format(_("the data file is too large: %s"), e.name.c_str()));
        }
        std::array<std::uint8_t, kIndexRecordSize> record{};
        std::memcpy(record.data(), name->data(), name->size());
        record[kIndexHiddenAt] = e.hidden ? 1 : 0;
        record[kIndexTypeAt] = static_cast<std::uint8_t>(e.type);
        for (std::size_t slot = 0; slot < blocks; ++slot) {
            const int n = next_block++;
            record[kIndexBlocksAt + 2 * slot] = static_cast<std::uint8_t>(n & 0xFF);
            record[kIndexBlocksAt + 2 * slot + 1] = static_cast<std::uint8_t>(n >> 8);
        }
        index.insert(index.end(), record.begin(), record.end());
        data.insert(data.end(), e.data.begin(), e.data.end());
        data.resize(static_cast<std::size_t>(next_block - 1) * kDataBlockSize, 0); // whole blocks
    }
    const std::filesystem::path data_path = folder / std::filesystem::path(std::string(kCommentaryDataFile));
    const std::filesystem::path index_path = folder / std::filesystem::path(std::string(kCommentaryIndexFile));
    if (!WriteFileBytes(data_path, data) || !WriteFileBytes(index_path, index)) {
        return Refuse(reporter, "ファイル書込みエラー\r" + folder.string());
    }
    return true;
}

int EntryTypeForFileName(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".cmp") return static_cast<int>(EntryType::kCompressed);
    if (ext == ".jpg" || ext == ".jpeg") return static_cast<int>(EntryType::kJpeg);
    if (ext == ".wmf") return static_cast<int>(EntryType::kMetafile);
    if (ext == ".emf") return static_cast<int>(EntryType::kEnhancedMetafile);
    if (ext == ".ico") return static_cast<int>(EntryType::kIcon);
    return -1;
}

bool WriteCommentaryDatabaseFromFolder(const std::filesystem::path& pictures_folder,
                                       const std::filesystem::path& folder, base::Reporter& reporter) {
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(pictures_folder, ec)) {
        if (item.is_regular_file() && EntryTypeForFileName(item.path()) >= 0) files.push_back(item.path());
    }
    if (ec) return Refuse(reporter, base::Format(_("cannot read the folder %s"), pictures_folder.c_str()));
    std::sort(files.begin(), files.end());
    std::vector<CommentaryEntry> entries;
    for (const auto& file : files) {
        auto bytes = ReadFileBytes(file, kEntrySlots * kDataBlockSize);
        if (!bytes) return Refuse(reporter, "ファイル読込みエラー\r" + file.string());
        entries.push_back({file.filename().string(), EntryTypeForFileName(file), std::move(*bytes), false});
    }
    return WriteCommentaryDatabase(folder, entries, reporter);
}

} // namespace pictures
