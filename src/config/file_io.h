#pragma once
// Whole-file reads with a size bound, and whole-file replacement that a crash can never
// leave half-written.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace config {

struct FileRead {
    enum class Status { Ok, Missing, TooLarge, Failed };
    Status status = Status::Missing;
    std::string bytes; // the contents when Ok
    std::string error; // what went wrong when Failed
};

// Reads the whole file. A file larger than max_bytes is not read (TooLarge).
FileRead ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes);

// Writes bytes to a new file beside path (same folder), flushes it to disk, gives it the
// permission bits of the file it replaces (a new file gets the default ones, 0666 less the
// umask) and renames it over path; then flushes the folder. A symbolic link is followed, so
// that the link stays and its target is replaced. On failure the temporary file is removed,
// path is untouched, and the result is a description of the failure; on success it is empty.
std::string ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace config
