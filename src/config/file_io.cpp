#include "config/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace config {
namespace {

std::string SystemError(std::string_view what, const std::filesystem::path& path, int error) {
    std::string text(what);
    text += ' ';
    text += path.string();
    text += ": ";
    text += std::strerror(error);
    return text;
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
    // Closes now and reports whether the close succeeded.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
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

// A name for the temporary file that no other writer in this or another process picks.
std::filesystem::path TemporarySibling(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = "." + target.filename().string() + ".tmp." + std::to_string(::getpid()) + "." +
                       std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

} // namespace

FileRead ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes) {
    FileRead result;
    // Non-blocking, so that a FIFO in the file's place cannot hang the program.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return result;
        result.status = FileRead::Status::Failed;
        result.error = SystemError("cannot open", path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.status = FileRead::Status::Failed;
        result.error = SystemError("cannot read", path, errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = FileRead::Status::Failed;
        result.error = path.string() + ": not a regular file";
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > max_bytes) {
        result.status = FileRead::Status::TooLarge;
        return result;
    }
    // Read up to one byte past the bound, in case the file grows while we read it.
    std::string bytes;
    char buffer[65536];
    while (true) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.status = FileRead::Status::Failed;
            result.error = SystemError("cannot read", path, errno);
            return result;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > max_bytes) {
            result.status = FileRead::Status::TooLarge;
            return result;
        }
    }
    result.status = FileRead::Status::Ok;
    result.bytes = std::move(bytes);
    return result;
}

std::string ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        target = std::filesystem::canonical(path, ec);
        if (ec) return "cannot follow the link " + path.string() + ": " + ec.message();
    }

    struct stat original {};
    bool replacing = ::stat(target.c_str(), &original) == 0;

    std::filesystem::path temporary = TemporarySibling(target);
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) return SystemError("cannot create", temporary, errno);

    auto fail = [&](std::string_view what) {
        std::string error = SystemError(what, temporary, errno);
        ::unlink(temporary.c_str());
        return error;
    };
    if (!WriteAll(fd.get(), bytes)) return fail("cannot write");
    if (replacing && ::fchmod(fd.get(), original.st_mode & 07777) != 0) return fail("cannot set the permissions of");
    if (::fsync(fd.get()) != 0) return fail("cannot flush");
    if (!fd.Close()) return fail("cannot close");
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail("cannot rename");

    // The rename itself reaches the disk when the folder is flushed. A failure here leaves
    // a complete file either way, so it is not reported.
    std::filesystem::path folder = target.parent_path();
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return {};
}

} // namespace config
