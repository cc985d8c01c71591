// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commentary database the host keeps beside the program: "Kalvo標準.IDX", fixed
// 239-byte index records, and "Kalvo標準.DAT", 4096-byte blocks that the records name.
// The daily page takes its pentad pictures from it.

#include "base/reporter.h"
#include "pictures/bitmap.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pictures {

inline constexpr std::string_view kCommentaryIndexFile = "Kalvo標準.IDX";
inline constexpr std::string_view kCommentaryDataFile = "Kalvo標準.DAT";
inline constexpr std::string_view kInvalidPicTypeText = "Invalid PicType..";
inline constexpr std::string_view kMetafileSkippedText = "メタファイルの絵は読めません";

inline constexpr std::size_t kIndexRecordSize = 239;
inline constexpr std::size_t kIndexNameSize = 33; // with its terminating zero
inline constexpr std::size_t kIndexHiddenAt = 33;
inline constexpr std::size_t kIndexTypeAt = 38;
inline constexpr std::size_t kIndexBlocksAt = 39;
inline constexpr int kEntrySlots = 100;
inline constexpr std::size_t kDataBlockSize = 4096;

// What an entry's data holds.
enum class EntryType : std::uint8_t {
    kCompressed = 0, // .cmp file image
    kJpeg = 1,
    kMetafile = 2,
    kEnhancedMetafile = 3,
    kIcon = 4,
    kCompressed2 = 5, // .cmp file image as well
};
inline constexpr int kLargestEntryType = 5;

struct IndexRecord {
    std::array<std::uint8_t, kIndexRecordSize> raw{};

    // The entry name in CP932: the bytes before the first zero, at most 33.
    std::string_view name() const;
    bool hidden() const { return raw[kIndexHiddenAt] != 0; }
    int type() const { return raw[kIndexTypeAt]; }
    // Block number of a slot (0 … 99), 1-based; 0 or less is an empty slot.
    int block(int slot) const {
        const std::size_t at = kIndexBlocksAt + 2 * static_cast<std::size_t>(slot);
        return static_cast<std::int16_t>(raw[at] | raw[at + 1] << 8);
    }
};

struct CommentaryIndex {
    std::vector<IndexRecord> records; // file order
    int largest_block = 0;
};

// The records of an index file image; a trailing partial record is ignored.
CommentaryIndex ParseCommentaryIndex(std::span<const std::uint8_t> bytes);

// Open index: nullopt when the file does not exist or cannot be read.
std::optional<CommentaryIndex> OpenCommentaryIndex(const std::filesystem::path& index_path);

// What makes an index unfit for the data file beside it, in words that name index_path and
// say what the daily pages then lack; empty when it is fit. `index` is what
// OpenCommentaryIndex gave (null: nothing). Unfit: missing or unreadable, without a whole
// record, ending inside a record, or cut at a record's end, which shows as records naming
// fewer blocks than the data file holds (the host writes the blocks of its entries one after
// another, so every block of the data file belongs to a record).
std::string CommentaryIndexProblem(const std::filesystem::path& index_path, const CommentaryIndex* index,
                                   const std::filesystem::path& data_path);

// Find entry: the first record, in file order, whose name equals `name` (UTF-8 or ASCII)
// without regard to the case of ASCII letters; none when there is none or that first
// record is hidden.
const IndexRecord* FindEntry(const CommentaryIndex& index, std::string_view name);

// True when the CP932 names are equal ignoring the case of ASCII letters (the second byte
// of a double-byte character is compared exactly).
bool EntryNamesEqual(std::string_view a, std::string_view b);

// Read entry data: the entry's blocks in slot order, empty slots skipped; a short or failed
// read ends it (so a block past the end of the file ends it). nullopt when the data file
// cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadEntryData(const std::filesystem::path& data_path,
                                                       const IndexRecord& record);
// The same from an open data stream (binary), which it leaves open.
std::vector<std::uint8_t> ReadEntryData(std::istream& data, const IndexRecord& record);

struct EntryPicture {
    Bitmap bitmap;
    int type = 0;
};

// Load entry picture: finds the entry, reads its data and loads it by its type. nullopt
// when the entry is not found (silently) or its picture cannot be had (reported once; a
// type above 5 shows "Invalid PicType.." with the entry name as caption).
std::optional<EntryPicture> LoadEntryPicture(const std::filesystem::path& data_path, std::string_view name,
                                             const CommentaryIndex& index, base::Reporter& reporter);
// The same from an open data stream; `data_name` names it in messages.
std::optional<EntryPicture> LoadEntryPicture(std::istream& data, std::string_view data_name, std::string_view name,
                                             const CommentaryIndex& index, base::Reporter& reporter);

} // namespace pictures
