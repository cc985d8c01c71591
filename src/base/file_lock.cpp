// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_lock.h"

#include "base/i18n.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

std::filesystem::path FileLock::LockPath(const std::filesystem::path& path) {
    return path.parent_path() / std::string(".").append(path.filename().string()).append(".lock");
}

FileLock::FileLock(const std::filesystem::path& path) {
    const std::filesystem::path lock_path = LockPath(path);
    // Never through a link: the lock file is created where it is named or not at all.
    fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const int open_error = errno;
        struct stat info {};
        if (open_error == ELOOP && ::lstat(lock_path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            // Planted or left by mistake: what is wrong and what to do, not the system's words.
            error_ = Format(_("the lock file %s is a symbolic link, which is never followed; remove it and try "
                              "again"),
                            lock_path.c_str());
        } else {
            error_ = Format(_("cannot open the lock file %s: %s"), lock_path.c_str(), std::strerror(open_error));
        }
        return;
    }
    // Each FileLock has its own open file description, so the lock also keeps two threads of
    // one process apart.
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        error_ = Format(_("cannot lock %s: %s"), lock_path.c_str(), std::strerror(errno));
        ::close(fd_);
        fd_ = -1;
        return;
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_); // closing the last descriptor releases the lock
}

} // namespace base
