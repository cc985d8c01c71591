// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An advisory lock that keeps writers of one shared file (the host, the desktop program
// and the command lines may run side by side) from interleaving their read–edit–replace
// steps. The lock is taken on a sibling file, ".NAME.lock", because the file itself is
// replaced by a rename at every write and a lock on it would go with the old version.

#include <filesystem>
#include <string>

namespace base {

class FileLock {
public:
    // Waits until no other holder of the lock of `path` is left (in this or any process
    // on the machine) and takes it. ok() is false, with the reason in error(), when the lock
    // file cannot be opened (a read-only folder, a link planted in its place). A process
    // forked while the lock is held shares it until the child exits or execs.
    explicit FileLock(const std::filesystem::path& path);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    bool ok() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }

    // The lock file of path.
    static std::filesystem::path LockPath(const std::filesystem::path& path);

private:
    int fd_ = -1;
    std::string error_;
};

} // namespace base
