// SPDX-License-Identifier: GPL-3.0-or-later
// The commentary database reader on arbitrary files. The input is the index file, then the
// data file after a separator "DATA"; every entry of the index is looked up and its data
// read, and its picture loaded. Pictures that need decoding (.cmp, JPEG, icon) are decoded
// for the first two such entries only: each decoding costs far more than the reading it
// follows, and the decoders have targets of their own (cmp_decode, jpeg_decode,
// picture_load); the other types (metafiles, unknown) are loaded for every entry.

#include "base/reporter.h"
#include "pictures/commentary_db.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

constexpr int kMaxDecodings = 2;

bool NeedsDecoding(int type) {
    using pictures::EntryType;
    return type == static_cast<int>(EntryType::kCompressed) || type == static_cast<int>(EntryType::kCompressed2) ||
           type == static_cast<int>(EntryType::kJpeg) || type == static_cast<int>(EntryType::kIcon);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t sep[] = {'D', 'A', 'T', 'A'};
    const std::uint8_t* split = std::search(data, data + size, sep, sep + 4);
    const std::span<const std::uint8_t> index_bytes(data, split);
    const std::uint8_t* data_begin = split == data + size ? split : split + 4;
    std::istringstream data_file(std::string(data_begin, data + size), std::ios::binary);

    const pictures::CommentaryIndex index = pictures::ParseCommentaryIndex(index_bytes);
    if (index.records.size() != index_bytes.size() / pictures::kIndexRecordSize) std::abort();
    base::RecordingReporter reporter;
    int decodings = 0;
    for (const pictures::IndexRecord& record : index.records) {
        if (record.name().size() > pictures::kIndexNameSize) std::abort();
        const auto bytes = pictures::ReadEntryData(data_file, record);
        if (bytes.size() > pictures::kEntrySlots * pictures::kDataBlockSize) std::abort();
        const std::string name(record.name());
        const pictures::IndexRecord* found = pictures::FindEntry(index, name);
        // The picture loaded is that of the first entry of the name.
        if (found && NeedsDecoding(found->type()) && decodings++ >= kMaxDecodings) continue;
        pictures::LoadEntryPicture(data_file, "fuzz", name, index, reporter);
    }
    return 0;
}
