// The commentary database reader on arbitrary files. The input is the index file, then the
// data file after a separator "DATA"; every entry of the index is looked up and loaded.

#include "base/reporter.h"
#include "pictures/commentary_db.h"
#include "pictures/file_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path data_path =
        std::filesystem::temp_directory_path() / ("qel_fuzz_" + std::to_string(::getpid()) + ".DAT");
    const std::uint8_t sep[] = {'D', 'A', 'T', 'A'};
    const std::uint8_t* split = std::search(data, data + size, sep, sep + 4);
    const std::span<const std::uint8_t> index_bytes(data, split);
    const std::span<const std::uint8_t> data_bytes(split == data + size ? split : split + 4, data + size);
    if (!pictures::WriteFileBytes(data_path, data_bytes)) return 0;

    const pictures::CommentaryIndex index = pictures::ParseCommentaryIndex(index_bytes);
    if (index.records.size() != index_bytes.size() / pictures::kIndexRecordSize) std::abort();
    base::RecordingReporter reporter;
    for (const pictures::IndexRecord& record : index.records) {
        if (record.name().size() > pictures::kIndexNameSize) std::abort();
        const auto bytes = pictures::ReadEntryData(data_path, record);
        if (!bytes || bytes->size() > pictures::kEntrySlots * pictures::kDataBlockSize) std::abort();
        const std::string name(record.name());
        pictures::FindEntry(index, name);
        pictures::LoadEntryPicture(data_path, name, index, reporter);
    }
    return 0;
}
