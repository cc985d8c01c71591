// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_io.h"

#include "base/i18n.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace base {
namespace {

// pattern: a message with the path's %s and the system's reason's %s ("cannot open %s: %s").
std::string SystemError(const char* pattern, const std::filesystem::path& path, int error) {
    return Format(pattern, path.c_str(), std::strerror(error));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Temporary files of `target` are named ".NAME.tmp.PID.RANDOM".
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return std::string(".").append(target.filename().string()).append(".tmp.");
}

// Removes the temporary files of target that a process no longer running left behind (a
// run killed between creating and renaming its file). Those of live processes are theirs.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const char* digits = name.c_str() + prefix.size();
        const char* last = name.c_str() + name.size();
        long pid = 0;
        auto [rest, parsed] = std::from_chars(digits, last, pid);
        if (parsed != std::errc{} || rest == last || *rest != '.' || pid <= 0) continue;
        if (pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        ::unlink(it->path().c_str());
    }
}

bool IsReadOnly(const std::filesystem::path& path, const struct stat& info) {
    if ((info.st_mode & S_IWUSR) == 0) return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

int OpenRegularFile(const std::filesystem::path& path, std::string* error, bool* missing) {
    if (missing) *missing = false;
    // Non-blocking, so that opening a FIFO in the file's place returns at once.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        if (missing) *missing = errno == ENOENT;
        if (error) *error = SystemError(_("cannot open %s: %s"), path, errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        if (error) *error = SystemError(_("cannot read %s: %s"), path, errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        if (error) *error = Format(_("%s: not a regular file"), path.c_str());
        return -1;
    }
    // Regular files never block; reads go on as usual.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd.release();
}

namespace {

// Reads the whole file straight into the container, sized by the file and grown if the file
// grows while it is read (up to one byte past the bound, to tell a file that became too
// large).
template <typename Bytes> BasicFileRead<Bytes> ReadWhole(const std::filesystem::path& path, std::size_t max_bytes) {
    using Read = BasicFileRead<Bytes>;
    Read result;
    bool missing = false;
    Descriptor fd(OpenRegularFile(path, &result.error, &missing));
    if (fd.get() < 0) {
        if (missing) {
            result.error.clear();
            return result;
        }
        result.status = Read::Status::Failed;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.status = Read::Status::Failed;
        result.error = SystemError(_("cannot read %s: %s"), path, errno);
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > max_bytes) {
        result.status = Read::Status::TooLarge;
        return result;
    }
    Bytes bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t size = 0;
    while (true) {
        if (size == bytes.size()) {
            if (size > max_bytes) {
                result.status = Read::Status::TooLarge;
                return result;
            }
            const std::size_t past_bound = max_bytes == SIZE_MAX ? max_bytes : max_bytes + 1;
            bytes.resize(std::min(size * 2 + 4096, past_bound));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.status = Read::Status::Failed;
            result.error = SystemError(_("cannot read %s: %s"), path, errno);
            return result;
        }
        if (got == 0) break;
        size += static_cast<std::size_t>(got);
    }
    if (size > max_bytes) {
        result.status = Read::Status::TooLarge;
        return result;
    }
    bytes.resize(size);
    result.status = Read::Status::Ok;
    result.bytes = std::move(bytes);
    return result;
}

} // namespace

FileRead ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes) {
    return ReadWhole<std::string>(path, max_bytes);
}

FileBytesRead ReadFileBytesBounded(const std::filesystem::path& path, std::size_t max_bytes) {
    return ReadWhole<std::vector<std::uint8_t>>(path, max_bytes);
}

namespace {

// Whether path may be replaced (why not, when not), and the permission bits of the file
// there (nothing for none or a link).
std::string ReplaceableFile(const std::filesystem::path& path, std::optional<unsigned>* mode) {
    // The name itself is looked at and later replaced: a symbolic link at it is replaced
    // by the new file, never followed, so that whoever can write into the folder cannot
    // make this write land on a file elsewhere.
    struct stat original {};
    if (::lstat(path.c_str(), &original) != 0 || S_ISLNK(original.st_mode)) return {};
    if (!S_ISREG(original.st_mode)) return Format(_("%s: not a regular file; it is not replaced"), path.c_str());
    if (IsReadOnly(path, original)) return Format(_("%s: the file is read-only; it is not replaced"), path.c_str());
    *mode = original.st_mode & 07777;
    return {};
}

void SyncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path();
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace

std::string ReplaceableProblem(const std::filesystem::path& path) {
    std::optional<unsigned> mode;
    return ReplaceableFile(path, &mode);
}

std::string MoveFileIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::optional<unsigned> mode;
    if (std::string problem = ReplaceableFile(to, &mode); !problem.empty()) return problem;
    if (mode && ::chmod(from.c_str(), *mode) != 0) return SystemError(_("cannot set the permissions of %s: %s"), to, errno);
    if (::rename(from.c_str(), to.c_str()) != 0) return SystemError(_("cannot rename %s: %s"), to, errno);
    SyncFolderOf(to);
    return {};
}

AtomicFile::AtomicFile(const std::filesystem::path& path) : target_(path) {
    std::optional<unsigned> mode;
    error_ = ReplaceableFile(target_, &mode);
    if (!error_.empty()) return;
    replacing_ = mode.has_value();
    mode_ = mode.value_or(0);

    RemoveStaleTemporaries(target_);
    std::random_device random;
    const std::string prefix = TemporaryPrefix(target_) + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%08x%08x", random(), random());
        temporary_ = target_.parent_path() / (prefix + suffix);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    // Named as the caller named it: the temporary's name means nothing to the user.
    if (fd_ < 0) error_ = SystemError(_("cannot create %s: %s"), target_, errno);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0) return false;
    constexpr std::size_t kBufferBytes = 64 * 1024;
    if (buffer_.size() + bytes.size() > kBufferBytes && !Flush()) return false;
    if (bytes.size() >= kBufferBytes) {
        if (WriteAll(fd_, bytes)) return true;
        error_ = SystemError(_("cannot write %s: %s"), target_, errno);
        Discard();
        return false;
    }
    buffer_.append(bytes);
    return true;
}

bool AtomicFile::Flush() {
    if (fd_ < 0) return false;
    const bool written = WriteAll(fd_, buffer_);
    buffer_.clear();
    if (written) return true;
    error_ = SystemError(_("cannot write %s: %s"), target_, errno);
    Discard();
    return false;
}

std::string AtomicFile::Commit() {
    if (fd_ < 0) return error_.empty() ? Format(_("cannot write %s"), target_.c_str()) : error_;
    auto fail = [&](const char* what) {
        error_ = SystemError(what, target_, errno);
        Discard();
        return error_;
    };
    if (!Flush()) return error_;
    if (replacing_ && ::fchmod(fd_, mode_) != 0) return fail(_("cannot set the permissions of %s: %s"));
    if (::fsync(fd_) != 0) return fail(_("cannot flush %s: %s"));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        ::unlink(temporary_.c_str());
        error_ = SystemError(_("cannot close %s: %s"), target_, errno);
        return error_;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error_ = SystemError(_("cannot rename %s: %s"), target_, errno);
        ::unlink(temporary_.c_str());
        return error_;
    }
    // The rename itself reaches the disk when the folder is flushed. A failure here leaves
    // a complete file either way, so it is not reported.
    SyncFolderOf(target_);
    return {};
}

std::string NamingFile(const std::filesystem::path& path, const std::string& error) {
    if (error.find(path.string()) != std::string::npos) return error;
    return path.string() + ": " + error;
}

std::string ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFile file(path);
    if (!file.ok()) return file.error();
    if (!file.Write(bytes)) return file.error();
    return file.Commit();
}

} // namespace base
