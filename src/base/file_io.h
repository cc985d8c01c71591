// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way this program reads and writes files.
//
// Reads open without blocking and refuse anything but a regular file, so that a named pipe
// or a device put in a file's place cannot hang the program.
//
// Writes never touch the file they replace until the new contents are whole on disk: they go
// to a temporary file beside it, created exclusively under a name nobody can guess (so that a
// link planted there is never followed), flushed and renamed over the file. Every failure
// removes the temporary file and leaves the old file as it was. A temporary file left behind
// by a killed run is removed by the next write of the same file. A file whose owner has made
// it read-only is not replaced. A symbolic link at the name is replaced itself, so that a
// link planted in an output folder cannot redirect the write to a file elsewhere.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace base {

template <typename Bytes> struct BasicFileRead {
    enum class Status { Ok, Missing, TooLarge, Failed };
    Status status = Status::Missing;
    Bytes bytes;       // the contents when Ok
    std::string error; // what went wrong when Failed
};
using FileRead = BasicFileRead<std::string>;
using FileBytesRead = BasicFileRead<std::vector<std::uint8_t>>;

// Reads the whole file. A file larger than max_bytes is not read (TooLarge); a missing file
// is Missing; anything else that is not a readable regular file is Failed, with the reason.
FileRead ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes);
// The same as bytes (a picture's file), read straight into them.
FileBytesRead ReadFileBytesBounded(const std::filesystem::path& path, std::size_t max_bytes);

// Opens an existing file for reading: the descriptor (the caller closes it), or -1 with the
// reason in *error (`missing` set when the file is not there). Refuses anything but a
// regular file without waiting on it.
int OpenRegularFile(const std::filesystem::path& path, std::string* error, bool* missing = nullptr);

// The replacement of one file, written piece by piece (a document that a library streams
// out). Nothing is visible under the final name until Commit; destroying the object
// without a successful Commit removes the temporary file.
class AtomicFile {
public:
    // Prepares to replace path. A symbolic link at path is replaced by the new file, never
    // followed: the file it points to is left alone. Refused, with the reason in error(),
    // when path is something other than a regular file or a link (a folder, a pipe), is
    // read-only, or the temporary file cannot be created.
    explicit AtomicFile(const std::filesystem::path& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    bool ok() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }
    // The name that Commit replaces.
    const std::filesystem::path& target() const { return target_; }

    // Appends bytes to the temporary file (through a buffer: a library that streams a
    // document out in small pieces costs few system calls). False, with the reason in
    // error(), on failure; every later Write and Commit then fails too.
    bool Write(std::string_view bytes);
    // Flushes the temporary file to disk, gives it the permission bits of the file it
    // replaces (a new file gets 0666 less the umask) and renames it over the target.
    // Returns an empty text on success, else the reason (the temporary file is removed).
    std::string Commit();

private:
    void Discard();
    // Writes the buffer out; false on failure, as Write.
    bool Flush();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::string error_;
    int fd_ = -1;
    bool replacing_ = false;
    unsigned mode_ = 0;
    std::string buffer_;
};

// A failure about a file as one text that names the file once: the error as it is when it
// already names the file (the texts of this header do), else "path: error".
std::string NamingFile(const std::filesystem::path& path, const std::string& error);

// Why a write could not replace path (as AtomicFile refuses: not a regular file or a link,
// read-only), or an empty text when it could.
std::string ReplaceableProblem(const std::filesystem::path& path);

// Moves a finished file `from` over `to` on the same file system, as a write replaces a file:
// refused as AtomicFile refuses, the permission bits of the file replaced kept, a link at
// `to` replaced. An empty text on success, else the reason (nothing moved).
std::string MoveFileIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

// Replaces the whole file with bytes through an AtomicFile. Returns an empty text on
// success, else a description of the failure (path is then untouched).
std::string ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace base
