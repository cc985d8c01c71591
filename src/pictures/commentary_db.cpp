// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/commentary_db.h"
#include "base/file_io.h"
#include "base/i18n.h"
#include "base/sjis.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_file.h"
#include "pictures/pixbuf_image.h"

#include <algorithm>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <istream>
#include <string>

namespace pictures {

namespace {

// An index of this size would hold about a million records; anything larger is not an
// index the host wrote.
constexpr std::uintmax_t kMaxIndexBytes = std::uintmax_t{256} << 20;

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ASCII is the same in UTF-8 and CP932: the usual names skip the conversion.
std::string EntryNameCaption(const IndexRecord& record) {
    if (IsAscii(record.name())) return std::string(record.name());
    return base::Cp932ToUtf8(record.name()).value_or(std::string(record.name()));
}

} // namespace

std::string_view IndexRecord::name() const {
    const auto* p = reinterpret_cast<const char*>(raw.data());
    return std::string_view(p, strnlen(p, kIndexNameSize));
}

CommentaryIndex ParseCommentaryIndex(std::span<const std::uint8_t> bytes) {
    CommentaryIndex index;
    const std::size_t count = bytes.size() / kIndexRecordSize;
    index.records.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        IndexRecord& r = index.records[i];
        std::memcpy(r.raw.data(), bytes.data() + i * kIndexRecordSize, kIndexRecordSize);
        for (int slot = 0; slot < kEntrySlots; ++slot)
            index.largest_block = std::max(index.largest_block, r.block(slot));
    }
    return index;
}

std::optional<CommentaryIndex> OpenCommentaryIndex(const std::filesystem::path& index_path) {
    const auto bytes = ReadFileBytes(index_path, kMaxIndexBytes);
    if (!bytes) return std::nullopt;
    return ParseCommentaryIndex(*bytes);
}

std::string CommentaryIndexProblem(const std::filesystem::path& index_path, const CommentaryIndex* index,
                                   const std::filesystem::path& data_path) {
    const char* path = index_path.c_str();
    std::error_code ec;
    if (!index) {
        return std::filesystem::exists(index_path, ec)
                   ? base::Format(_("%s cannot be read: the daily pages show no pentad pictures"), path)
                   : base::Format(_("%s not found: the daily pages show no pentad pictures"), path);
    }
    if (index->records.empty())
        return base::Format(_("%s holds no index record: the daily pages show no pentad pictures"), path);
    const std::uintmax_t size = std::filesystem::file_size(index_path, ec);
    if (!ec && size % kIndexRecordSize != 0) {
        return base::Format(_("%s is cut short inside its record %zu: the daily pages lack the pentad pictures "
                              "of the records lost"),
                            path, index->records.size() + 1);
    }
    const std::uintmax_t data_size = std::filesystem::file_size(data_path, ec);
    const std::uintmax_t data_blocks = ec ? 0 : (data_size + kDataBlockSize - 1) / kDataBlockSize;
    if (data_blocks > static_cast<std::uintmax_t>(std::max(index->largest_block, 0))) {
        return base::Format(_("%s is cut short: its %zu records name blocks up to %d of the %ju of %s; the daily "
                              "pages lack the pentad pictures of the records lost"),
                            path, index->records.size(), index->largest_block, data_blocks,
                            data_path.filename().c_str());
    }
    return {};
}

bool EntryNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(ca)) {
            // A double-byte character: both bytes exactly (its second byte may look like a letter).
            if (ca != cb) return false;
            if (i + 1 < a.size()) {
                if (a[i + 1] != b[i + 1]) return false;
                ++i;
            }
            continue;
        }
        if (FoldAscii(ca) != FoldAscii(cb)) return false;
    }
    return true;
}

const IndexRecord* FindEntry(const CommentaryIndex& index, std::string_view name) {
    const std::string cp932 = IsAscii(name) ? std::string(name) : base::Utf8ToCp932(name).value_or(std::string(name));
    for (const IndexRecord& r : index.records) {
        if (EntryNamesEqual(r.name(), cp932)) return r.hidden() ? nullptr : &r;
    }
    return nullptr;
}

std::vector<std::uint8_t> ReadEntryData(std::istream& in, const IndexRecord& record) {
    std::vector<std::uint8_t> data;
    std::array<char, kDataBlockSize> block;
    for (int slot = 0; slot < kEntrySlots; ++slot) {
        const int n = record.block(slot);
        if (n <= 0) continue;
        in.clear();
        in.seekg(static_cast<std::streamoff>(n - 1) * static_cast<std::streamoff>(kDataBlockSize));
        if (!in) break;
        in.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        data.insert(data.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < kDataBlockSize) break;
    }
    return data;
}

std::optional<std::vector<std::uint8_t>> ReadEntryData(const std::filesystem::path& data_path,
                                                       const IndexRecord& record) {
    const int fd = base::OpenRegularFile(data_path, nullptr);
    if (fd < 0) return std::nullopt;
    __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::in | std::ios::binary); // owns fd
    std::istream in(&buffer);
    return ReadEntryData(in, record);
}

std::optional<EntryPicture> LoadEntryPicture(const std::filesystem::path& data_path, std::string_view name,
                                             const CommentaryIndex& index, base::Reporter& reporter) {
    // A data file that is not a regular file (a named pipe) is refused, not waited on.
    std::string error;
    bool missing = false;
    const int fd = base::OpenRegularFile(data_path, &error, &missing);
    if (fd < 0) {
        // Only a name that is found needs the data file.
        if (FindEntry(index, name) == nullptr) return std::nullopt;
        reporter.ShowMessage(std::string(kReadErrorText) + "\r" + (missing ? data_path.string() : error),
                             kReadErrorCaption);
        return std::nullopt;
    }
    __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::in | std::ios::binary); // owns fd
    std::istream in(&buffer);
    return LoadEntryPicture(in, data_path.string(), name, index, reporter);
}

std::optional<EntryPicture> LoadEntryPicture(std::istream& in, std::string_view data_name, std::string_view name,
                                             const CommentaryIndex& index, base::Reporter& reporter) {
    const IndexRecord* record = FindEntry(index, name);
    if (record == nullptr) return std::nullopt;
    const int type = record->type();
    const std::string what = EntryNameCaption(*record);
    if (type > kLargestEntryType) {
        reporter.ShowMessage(std::string(kInvalidPicTypeText) + "\r" + what, what);
        return std::nullopt;
    }
    const auto entry_type = static_cast<EntryType>(type);
    if (entry_type == EntryType::kMetafile || entry_type == EntryType::kEnhancedMetafile) {
        reporter.ShowMessage(std::string(kMetafileSkippedText) + "\r" + what, what);
        return std::nullopt;
    }
    const std::vector<std::uint8_t> data = ReadEntryData(in, *record);
    std::optional<Bitmap> bitmap;
    switch (entry_type) {
    case EntryType::kCompressed:
    case EntryType::kCompressed2:
        bitmap = DecodeCmpPicture(data, what, reporter);
        if (!bitmap) return std::nullopt; // reported by the decoder or the loader
        break;
    case EntryType::kJpeg:
        bitmap = DecodeJpegImage(data);
        break;
    case EntryType::kIcon:
        bitmap = DecodeWithPixbuf(data, "ico");
        break;
    default:
        break;
    }
    if (!bitmap || bitmap->empty()) {
        reporter.ShowMessage(std::string(kReadErrorText) + "\r" + what + " (" + std::string(data_name) + ")",
                             kReadErrorCaption);
        return std::nullopt;
    }
    return EntryPicture{std::move(*bitmap), type};
}

} // namespace pictures
